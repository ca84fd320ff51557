// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The camera from outside: a second picture of the program's own scene
// seen by an observer that orbits it, with the program's eye and view
// volume drawn in (web/gl/outside.h), and the volume in words. The layer
// draws it on the program's canvas before each frame; it is copied here.
Page.outside = (function () {
  var control = document.querySelector('[data-action="outside"]');
  var view = document.querySelector('[data-view="outside"]');
  var picture = view.querySelector('canvas');
  var words = view.querySelector('[data-words]');
  var canvas = document.getElementById('canvas');
  var stage = document.getElementById('stage');
  // Where the observer starts: round the scene's middle, far enough back
  // to see all of it and the volume up to it.
  var start = {roomtour: [6.5, 4, 5, 42, 35, 35], planets: [0, 0, 15, 80, 35, 40]}[Page.program];
  var pose = start.slice(), shown = false, at = 0, g = null, said = '', timer = 0;

  function lookAt(eye, target) {
    var f = [0, 1, 2].map(function (k) { return target[k] - eye[k]; }), n = Math.hypot.apply(null, f);
    f = f.map(function (v) { return v / n; });
    var s = [-f[2], 0, f[0]], m = Math.hypot(s[0], s[2]);
    s = [s[0] / m, 0, s[2] / m];
    var u = [s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]];
    var d = function (a) { return -(a[0] * eye[0] + a[1] * eye[1] + a[2] * eye[2]); };
    return [s[0], u[0], -f[0], 0, s[1], u[1], -f[1], 0, s[2], u[2], -f[2], 0, d(s), d(u), -d(f), 1];
  }

  // The observer's projection: 50 degrees high, square, no far plane.
  function times(a, b) {
    var c = [];
    for (var i = 0; i < 16; ++i) {
      var row = i % 4, col = i >> 2;
      c.push(a[row] * b[col * 4] + a[4 + row] * b[col * 4 + 1] + a[8 + row] * b[col * 4 + 2] + a[12 + row] * b[col * 4 + 3]);
    }
    return c;
  }

  function send() {
    var yaw = pose[4] * Math.PI / 180, pitch = pose[5] * Math.PI / 180, r = pose[3];
    var eye = [pose[0] + r * Math.cos(pitch) * Math.sin(yaw), pose[1] + r * Math.sin(pitch),
               pose[2] + r * Math.cos(pitch) * Math.cos(yaw)];
    var f = 1 / Math.tan(25 * Math.PI / 180), near = 0.1;
    var m = times([f, 0, 0, 0, 0, f, 0, 0, 0, 0, -1, -1, 0, 0, -2 * near, 0], lookAt(eye, pose.slice(0, 3)));
    if (!at) at = Module._malloc(64);
    HEAPF32.set(m, at >> 2);
    Module.ccall('web_outside', null, ['number', 'number', 'number'], [1, at, picture.width]);
    settle();
  }

  // The words once the view has settled, and again while it is shown, as
  // the program moves on.
  function settle() {
    clearTimeout(timer);
    timer = setTimeout(function () {
      if (!shown) return;
      var text = Module.ccall('outside_words', 'string', ['number', 'number'],
                              [Module._web_window_size(0), Module._web_window_size(1)]);
      if (text !== said) words.textContent = said = text;
      settle();
    }, 500);
  }

  function show(on) {
    shown = on;
    control.setAttribute('aria-pressed', String(on));
    view.hidden = !on;
    stage.classList.toggle('outside', on);
    picture.width = picture.height = Math.min(320, canvas.width, canvas.height);
    if (on) send();
    else Module.ccall('web_outside', null, ['number', 'number', 'number'], [0, 0, 0]);
  }

  // The layer drew the outside view at the canvas's bottom left.
  function drawn(size) {
    g = g || picture.getContext('2d');
    g.drawImage(canvas, 0, canvas.height - size, size, size, 0, 0, picture.width, picture.height);
  }

  function turn(yaw, pitch, nearer) {
    pose[4] = (pose[4] + yaw) % 360;
    pose[5] = Math.max(-85, Math.min(85, pose[5] + pitch));
    pose[3] = Math.max(1, Math.min(400, pose[3] * nearer));
    send();
  }

  function listen() {
    control.addEventListener('click', function () { show(!shown); });
    view.querySelector('[data-outside="home"]').addEventListener('click', function () {
      pose = start.slice();
      send();
    });
    // Arrows orbit, + and - come nearer and go farther, Home goes back;
    // no key here reaches the program.
    picture.addEventListener('keydown', function (e) {
      var keys = {ArrowLeft: [-5, 0, 1], ArrowRight: [5, 0, 1], ArrowUp: [0, 5, 1], ArrowDown: [0, -5, 1],
                  '+': [0, 0, 0.9], '=': [0, 0, 0.9], '-': [0, 0, 1 / 0.9], Home: null}, key = keys[e.key];
      if (e.key === 'Tab') return;
      e.stopPropagation();
      if (key === undefined) return;
      e.preventDefault();
      if (key) {
        turn(key[0], key[1], key[2]);
      } else {
        pose = start.slice();
        send();
      }
    });
    var drag = null;
    picture.addEventListener('pointerdown', function (e) {
      drag = [e.clientX, e.clientY];
      picture.setPointerCapture(e.pointerId);
    });
    picture.addEventListener('pointermove', function (e) {
      if (!drag) return;
      turn((drag[0] - e.clientX) / 2, (e.clientY - drag[1]) / 2, 1);
      drag = [e.clientX, e.clientY];
    });
    ['pointerup', 'pointercancel'].forEach(function (name) { picture.addEventListener(name, function () { drag = null; }); });
  }

  return {listen: listen, drawn: drawn};
})();
