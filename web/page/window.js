// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The canvas as GLUT's window: its title and size, reshapes, and reading it right after a frame.
Page.window = (function () {
  var canvas = document.getElementById('canvas');
  var listening = false;
  var waiting = [];  // callbacks for the next frame drawn

  // The canvas's drawing buffer is its content box in device pixels; GLUT's
  // reshape hears of every change, as on a resized window. The stylesheet
  // keeps the canvas square, as wide as the window GLUT was asked for (in
  // CSS pixels) where there is room.
  function fit() {
    var style = getComputedStyle(canvas);
    var ratio = window.devicePixelRatio || 1;
    var width = Math.round(parseFloat(style.width) * ratio);
    var height = Math.round(parseFloat(style.height) * ratio);
    if (!(width > 0 && height > 0)) return;  // hidden, or not laid out
    if (width === canvas.width && height === canvas.height) return;
    canvas.width = width;
    canvas.height = height;
    if (listening) Module._web_reshape(width, height);
  }

  function open(title, width) {
    document.title = title;
    document.documentElement.style.setProperty('--window', width + 'px');
    fit();
  }

  // A page moved to a screen of another density, or zoomed, changes its
  // ratio without changing its CSS size.
  function watchRatio() {
    matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)')
      .addEventListener('change', function () { fit(); watchRatio(); }, {once: true});
  }

  // The program's loop has started: the window takes the canvas's size.
  function listen() {
    listening = true;
    Module._web_reshape(canvas.width, canvas.height);
    new ResizeObserver(fit).observe(canvas);
    window.addEventListener('resize', fit);
    watchRatio();
  }

  // Calls callback(canvas) once, right after the next frame is drawn, while
  // the drawing buffer still holds it: the one moment the canvas can be
  // read (drawImage, toDataURL, readPixels), since it is not preserved.
  function afterNextFrame(callback) {
    waiting.push(callback);
    Module._web_wait_for_frame();
  }

  function frameDrawn() {
    var now = waiting;
    waiting = [];
    now.forEach(function (callback) { callback(canvas); });
  }

  return {open: open, listen: listen, afterNextFrame: afterNextFrame, frameDrawn: frameDrawn};
})();
