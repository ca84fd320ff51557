// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// A gamepad of the browser's standard mapping, polled each animation frame while one is there: sticks and buttons as held keys, and the menu.
Page.gamepad = (function () {
  // Page.pad, from the key table: [kind ('axis' or 'button'), index, sign
  // (-1: up or left), action (a key, 'menu', or 'menu up', 'menu down',
  // 'menu choose', 'menu close')] for each control the program takes.
  var rows = Page.pad;
  var DEAD_ZONE = 0.5;  // of a stick's travel, so that a stick at rest drifting does nothing
  var releases = rows.map(function () { return null; });  // of the keys held
  var was = rows.map(function () { return false; });

  function on(row, pad) {
    if (row[0] === 'axis') return (pad.axes[row[1]] || 0) * row[2] > DEAD_ZONE;
    var button = pad.buttons[row[1]];
    return Boolean(button && button.pressed);
  }

  function act(action) {
    var menu = Page.menu;
    if (action === 'menu') menu.open();
    else if (action === 'menu up') menu.move(-1);
    else if (action === 'menu down') menu.move(1);
    else if (action === 'menu choose') menu.choose();
    else if (action === 'menu close') menu.close();
  }

  // A key row holds its key while its control is on and the menu closed; a
  // menu row acts once as its control comes on, 'menu' only with the menu
  // closed and the others only with it open.
  // In a frame, as with keys, the gamepad is the program's only while the
  // frame has the focus; else what it held is let go.
  var framed = window.self !== window.top;

  function standard(all) {
    return [].filter.call(all || [], function (pad) {
      return pad && pad.connected && pad.mapping === 'standard';
    });
  }

  // Returns whether a pad is there or a control still on: while so, the
  // page polls every animation frame.
  function poll(all) {
    var pads = framed && !document.hasFocus() ? [] : standard(all);
    if (!pads.length && !was.some(Boolean)) return false;
    var menuOpen = Page.menu.isOpen();
    rows.forEach(function (row, i) {
      var now = pads.some(function (pad) { return on(row, pad); });
      var action = row[3];
      if (action.length === 1) {
        if (now && !menuOpen && !releases[i]) releases[i] = Page.input.hold(action.charCodeAt(0));
        if ((!now || menuOpen) && releases[i]) {
          releases[i]();
          releases[i] = null;
        }
      } else if (now && !was[i] && (action === 'menu') !== menuOpen) {
        act(action);
      }
      was[i] = now;
    });
    return true;
  }

  // A hidden page gets no animation frames, so it would not see a stick
  // let go: it lets go of everything.
  function letGo() {
    if (document.visibilityState === 'visible') return;
    releases.forEach(function (release) { if (release) release(); });
    releases = rows.map(function () { return null; });
    was = rows.map(function () { return false; });
  }

  // Looks for a pad twice a second from the program's start on (and at
  // once when the browser says one is connected), so that a gamepad
  // connected later works too; while one is there it polls every animation
  // frame. Without a pad a frame costs nothing. A page in a frame that may
  // not use gamepads stops.
  function listen() {
    if (!navigator.getGamepads) return;
    var polling = false, looking;
    function read() {
      try {
        return navigator.getGamepads();
      } catch (e) {
        clearInterval(looking);
        return null;
      }
    }
    function frame() {
      polling = poll(read());
      if (polling) requestAnimationFrame(frame);
    }
    function look() {
      if (!polling && standard(read()).length) {
        polling = true;
        requestAnimationFrame(frame);
      }
    }
    document.addEventListener('visibilitychange', letGo);
    window.addEventListener('gamepadconnected', look);
    looking = setInterval(look, 500);
  }

  return {listen: listen};
})();
