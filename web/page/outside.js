// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The camera from outside: a second picture of the program's own scene
// seen by an observer that orbits it, with the program's eye and view
// volume drawn in (web/gl/outside.h), and the volume in words. The layer
// draws it on this canvas, a WebGL context of its own, with each frame.
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
  var pose = start.slice(), shown = false, lost = false, said = '', timer = 0;

  // Shown with the observer's pose (web/gl/outside.h) and the picture's
  // size, or hidden; never drawn once its canvas has no context.
  function send(on) {
    Module.ccall('web_outside', null, new Array(8).fill('number'),
                 [on && !lost ? 1 : 0].concat(pose, [picture.width]));
    if (on) settle();
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
    send(on);
  }

  // The second canvas has no context: the browser gave it none, or took it
  // back. Its picture goes, and says why; the words stay.
  function gone(why) {
    lost = true;
    if (picture.hidden) return;
    picture.hidden = true;
    words.insertAdjacentHTML('beforebegin', '<p role="status">' + why + '</p>');
  }
  function refused() {
    gone('This browser gives the picture from outside no WebGL context of its own, so only its words are shown.');
  }

  function turn(yaw, pitch, nearer) {
    pose[4] = (pose[4] + yaw) % 360;
    pose[5] = Math.max(-85, Math.min(85, pose[5] + pitch));
    pose[3] = Math.max(1, Math.min(400, pose[3] * nearer));
    send(true);
  }

  function listen() {
    control.addEventListener('click', function () { show(!shown); });
    picture.addEventListener('webglcontextlost', function () {
      gone('The browser took back the picture from outside, so only its words are shown until the page is loaded again.');
      send(shown);
    });
    view.querySelector('[data-outside="home"]').addEventListener('click', function () {
      pose = start.slice();
      send(true);
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
        send(true);
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

  return {listen: listen, refused: refused};
})();
