// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What goes wrong before or while the program runs, said in words where the picture would be.
Page.problem = (function () {
  var program = Page.program;
  var reload = '<button type="button" onclick="location.reload()">Reload the page</button>';
  // The address holds the view (view.js), so reloading it starts there.
  var again = '<p>Its picture and keys no longer work. <button type="button" ' +
    'onclick="location.reload()">Start ' + program + ' again</button> at the view in the address, ' +
    'as your last input left it.</p>';
  var problems = {
    webgl: '<p><strong>This browser cannot draw WebGL</strong>, which ' + program + ' needs for its ' +
      'picture. WebGL may be switched off: in Chrome, Chromium or Edge, turn on "Use graphics ' +
      'acceleration when available" in the settings (System) and reload; in Firefox, set ' +
      '<code>webgl.disabled</code> to false in <code>about:config</code>. Or open this page in a ' +
      'current Firefox, Chrome, Edge or Safari.</p>',
    shader: '<p><strong>This page could not draw its picture:</strong> <code id="what"></code></p>' +
      '<p>The browser did not accept the page\'s shaders. A current Firefox, Chrome, Edge or ' +
      'Safari may.</p>',
    lost: '<p><strong>The picture was lost:</strong> the browser took back its graphics context ' +
      '(the graphics driver restarted, or too many pages were drawing).</p>' + again,
    stopped: '<p><strong>' + program + ' stopped</strong> with an error inside it: ' +
      '<code id="what"></code></p>' + again,
    pictures: '<p><strong>This browser cannot unpack ' + program + '\'s pictures</strong>, which ' +
      'are packed inside the page: <span id="what"></span></p><p>A current Firefox, Chrome, Edge ' +
      'or Safari can. <a href="?noimages">Open ' + program + ' without its pictures</a></p>',
    load: '<p><strong>' + program + ' could not be loaded</strong>: <span id="what"></span></p>' +
      '<p>A current browser with WebAssembly switched on is needed. ' + reload + '</p>',
  };

  // Shows the problem of `kind` (a key of problems), and `what` went wrong
  // where it has a place for it. The first problem is the one to read.
  function show(kind, what) {
    var problem = document.getElementById('problem');
    if (!problem.hidden) return;
    problem.innerHTML = problems[kind];
    var where = document.getElementById('what');
    if (where) where.textContent = String(what);
    problem.hidden = false;
    ['canvas', 'controls', 'explorer', 'actions'].forEach(function (id) {
      document.getElementById(id).hidden = true;
    });
    var button = problem.querySelector('button');
    if (button && kind !== 'load') button.focus();
  }

  document.getElementById('canvas').addEventListener('webglcontextlost', function () {
    show('lost');
  });
  // Once running, the program's own errors stop it: a trap, or a C++
  // exception nothing catches (thrown as its address). The page's are not its.
  window.addEventListener('error', function (e) {
    if (!Module.calledRun) show('load', e.message);
    else if (e.error instanceof WebAssembly.RuntimeError) show('stopped', e.error.message);
    else if (typeof e.error === 'number') show('stopped', 'a C++ exception that nothing caught');
  });
  return {show: show};
})();
