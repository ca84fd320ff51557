// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The page inside another (?embed), full screen, and the share, save, pause and describe controls.
Page.actions = (function () {
  var app = document.getElementById('app');
  var embedded = new URLSearchParams(location.search).has('embed');
  document.body.classList.toggle('embed', embedded);

  // Inside another page the keys are the program's only while its frame
  // has the focus; the outline round the picture shows when.
  function showFocus() { document.body.classList.toggle('focused', document.hasFocus()); }

  function fullscreenElement() { return document.fullscreenElement || document.webkitFullscreenElement; }

  // The picture alone, as large as the screen allows (the stylesheet keeps
  // it square and centred on black, the window's reshape follows); the
  // control again, or Esc, comes back.
  function fullscreen() {
    if (fullscreenElement()) {
      (document.exitFullscreen || document.webkitExitFullscreen).call(document);
    } else {
      (app.requestFullscreen || app.webkitRequestFullscreen).call(app);
    }
  }

  // The picture as it is now, at the drawing buffer's pixels.
  function save() {
    Page.window.afterNextFrame(function (canvas) {
      canvas.toBlob(function (blob) {
        var link = document.createElement('a');
        link.href = URL.createObjectURL(blob);
        link.download = Page.program + '.png';
        document.body.appendChild(link);
        link.click();
        link.remove();
        setTimeout(function () { URL.revokeObjectURL(link.href); }, 60000);
      }, 'image/png');
    });
  }

  // Pause holds all motion (GLUT's idle callback); pressed again, it goes
  // on from where it stood. A device set to reduce motion starts paused.
  var pauseControl = document.querySelector('[data-action="pause"]');

  function setPaused(on) {
    pauseControl.setAttribute('aria-pressed', on ? 'true' : 'false');
    Module._web_pause(on ? 1 : 0);
  }

  function pause() { setPaused(pauseControl.getAttribute('aria-pressed') !== 'true'); }

  // The program is set up and about to draw its first frame.
  function start() {
    if (!matchMedia('(prefers-reduced-motion: reduce)').matches) return;
    setPaused(true);
    var notice = document.getElementById('notice');
    notice.textContent = (notice.hidden ? '' : notice.textContent + ' ') +
      'This device asks for reduced motion, so the picture stands still: Pause lets it move.';
    notice.hidden = false;
  }

  function attach() {
    var does = {share: Page.view.share, fullscreen: fullscreen, save: save, pause: pause,
                describe: function () { Page.describe.now(); }};
    document.querySelectorAll('[data-action]').forEach(function (control) {
      control.addEventListener('click', does[control.dataset.action]);
    });
    // Where the browser has no element full screen (an iPhone), or the frame
    // is not allowed it, the control is not there.
    document.querySelector('[data-action="fullscreen"]').hidden =
      !(document.fullscreenEnabled || document.webkitFullscreenEnabled);
    if (embedded) {
      window.addEventListener('focus', showFocus);
      window.addEventListener('blur', showFocus);
      showFocus();
    }
  }

  attach();
  return {start: start};
})();
