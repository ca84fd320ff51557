// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The page inside another (?embed), full screen, and the share and save controls.
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

  function attach() {
    var does = {share: Page.view.share, fullscreen: fullscreen, save: save};
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
  return {};
})();
