// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The keyboard, the on-screen controls and drags on the picture, as GLUT's key presses.
Page.input = (function () {
  var canvas = document.getElementById('canvas');
  var framed = window.self !== window.top;
  // The viewer: the picture, its controls and its menu. The help text and
  // the key table lie outside it.
  var viewer = ['stage', 'bar', 'controls', 'menu'].map(function (id) {
    return document.getElementById(id);
  });

  function inViewer(element) {
    return viewer.some(function (part) { return part.contains(element); });
  }

  // Letters reach the program only while the focus is in the viewer (in a
  // frame: while the frame has the focus), so that typing or speaking
  // elsewhere on the page moves nothing.
  function takesKeys(target) { return framed || inViewer(target); }

  function focused() {
    return document.hasFocus() && (framed || inViewer(document.activeElement));
  }

  // GLUT decides whether the key reaches the program (none while the
  // explorer holds a frame); the address and the words follow if it did.
  // Returns whether it did.
  function press(code) {
    if (!Module._web_key(code)) return false;
    Page.view.touched();
    Page.describe.touched();
    return true;
  }

  // A key that types a character gives its code, in either case, as GLUT's
  // keyboard callback has it; Enter, Escape, Backspace, Tab and Delete give
  // theirs; other keys (arrows, function keys) have no such code and, as on
  // the desktop without a special-key callback, do nothing. Keys typed into
  // a form field stay there, and Enter and Space on a control are the
  // control's.
  function keyDown(e) {
    var target = e.target;
    if (target.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(target.tagName)) return;
    if (!takesKeys(target)) return;
    var own = target !== canvas && target !== document.body && target !== document.documentElement;
    if (own && (e.key === 'Enter' || e.key === ' ')) return;
    var named = {Enter: 13, Escape: 27, Backspace: 8, Tab: 9, Delete: 127};
    var code = e.key.length == 1 ? e.key.charCodeAt(0) : named[e.key];
    if (code === undefined || code > 255 || e.ctrlKey || e.altKey || e.metaKey) return;
    // A key the program took is its own; Tab still moves between the page's controls.
    if (press(code) && e.key !== 'Tab') e.preventDefault();
  }

  // A drag on the picture sends whole key presses, one for each twentieth of
  // the picture's width, so that the picture follows the finger: right turns
  // as J does, left as L, down tilts as K, up as I. Coming back sends the
  // opposite key. Half a pixel is allowed for coordinates rounded to pixels.
  var drag = null;

  function follow(sent, travelled, step, forward, backward) {
    var wanted = Math.sign(travelled) * Math.floor((Math.abs(travelled) + 0.5) / step);
    for (; sent < wanted; ++sent) press(forward.charCodeAt(0));
    for (; sent > wanted; --sent) press(backward.charCodeAt(0));
    return sent;
  }

  function listenToPointer() {
    canvas.addEventListener('pointerdown', function (e) {
      if (e.button !== 0) return;
      canvas.setPointerCapture(e.pointerId);
      drag = {id: e.pointerId, x: e.clientX, y: e.clientY, across: 0, down: 0};
    });
    canvas.addEventListener('pointermove', function (e) {
      if (!drag || e.pointerId !== drag.id) return;
      var step = parseFloat(getComputedStyle(canvas).width) / 20;
      drag.across = follow(drag.across, e.clientX - drag.x, step, 'j', 'l');
      drag.down = follow(drag.down, e.clientY - drag.y, step, 'k', 'i');
    });
    // A long touch opens the menu instead of dragging on.
    ['pointerup', 'pointercancel', 'contextmenu'].forEach(function (name) {
      canvas.addEventListener(name, function () { drag = null; });
    });
  }

  // A held control (on the screen or a gamepad's) presses its key once at
  // once, then again after 0.4 s and 25 times a second, like a held key,
  // until the function returned is called.
  function hold(code) {
    press(code);
    var timer = setTimeout(function () {
      timer = setInterval(function () { press(code); }, 40);
    }, 400);
    return function release() {
      clearTimeout(timer);
      clearInterval(timer);
    };
  }

  function listenToControls() {
    document.querySelectorAll('#controls [data-key]').forEach(function (button) {
      var code = button.dataset.key.charCodeAt(0), release = null;
      function stop() {
        if (release) release();
        release = null;
      }
      button.addEventListener('pointerdown', function (e) {
        e.preventDefault();  // keeps the focus, and the keys, where they were
        button.setPointerCapture(e.pointerId);
        stop();
        release = hold(code);
      });
      ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function (name) {
        button.addEventListener(name, stop);
      });
      // A keyboard's or a screen reader's activation comes as a click alone.
      button.addEventListener('click', function (e) { if (e.detail === 0) press(code); });
    });
    document.getElementById('controls').addEventListener('contextmenu', function (e) {
      e.preventDefault();
    });
  }

  // The page opened on its own gives the picture the focus, so that the
  // keys work at once; in a frame, the host's page keeps it.
  function listen() {
    if (!framed) canvas.focus({preventScroll: true});
    document.addEventListener('keydown', keyDown);
    listenToPointer();
    listenToControls();
  }

  return {listen: listen, hold: hold, focused: focused};
})();
