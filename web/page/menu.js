// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// GLUT's right-button menu as a menu button and its menu (the WAI-ARIA pattern).
Page.menu = (function () {
  var canvas = document.getElementById('canvas');
  var menu = document.getElementById('menu');
  var button = null;  // the menu control, once attached
  var opener = null;  // what had the focus when the menu opened, given it back

  function entries() { return [].slice.call(menu.children); }

  // An entry that the key table ties to a flag of the view text is a check
  // box, ticked while the flag is 1; its label stays as the program gave it.
  function updateChecks() {
    var view = Page.view.text();
    entries().forEach(function (item) {
      var field = Page.checks[item.textContent];
      if (!field) return;
      var found = view.match(new RegExp('(?:^|&)' + field + '=([01])(?:&|$)'));
      item.setAttribute('aria-checked', found && found[1] === '1' ? 'true' : 'false');
    });
  }

  function add(label, value) {
    var item = document.createElement('li');
    item.textContent = label;
    item.dataset.value = value;
    item.tabIndex = -1;
    item.setAttribute('role', Page.checks[label] ? 'menuitemcheckbox' : 'menuitem');
    function chosen(e) {
      e.preventDefault();
      choose(item);
    }
    item.addEventListener('click', chosen);
    item.addEventListener('contextmenu', chosen);
    menu.appendChild(item);
  }

  function choose(item) {
    close(true);
    if (!Module._web_menu(Number(item.dataset.value))) return;
    updateChecks();
    Page.view.touched();
    Page.describe.chosen(item.textContent);
  }

  function focusEntry(index) {
    var all = entries();
    if (all.length) all[(index + all.length) % all.length].focus({preventScroll: true});
  }

  function current() { return entries().indexOf(document.activeElement); }

  // Opens the menu at a point of the page, kept inside the screen, with the
  // focus on an entry (-1: the last).
  function openAt(x, y, entry) {
    if (!Module._web_takes_input()) return;  // GLUT's answer: a held frame is the explorer's
    if (menu.hidden) opener = document.activeElement;
    updateChecks();
    menu.hidden = false;
    if (button) button.setAttribute('aria-expanded', 'true');
    var right = window.scrollX + document.documentElement.clientWidth - menu.offsetWidth;
    var bottom = window.scrollY + document.documentElement.clientHeight - menu.offsetHeight;
    menu.style.left = Math.max(window.scrollX, Math.min(x, right)) + 'px';
    menu.style.top = Math.max(window.scrollY, Math.min(y, bottom)) + 'px';
    focusEntry(entry);
  }

  function openAtButton(entry) {
    var box = button.getBoundingClientRect();
    openAt(box.left + window.scrollX, box.bottom + window.scrollY, entry);
  }

  // Closes the menu; with giveBack, the focus goes back where it was.
  function close(giveBack) {
    if (menu.hidden) return;
    var inside = menu.contains(document.activeElement);
    menu.hidden = true;
    if (button) button.setAttribute('aria-expanded', 'false');
    if ((giveBack || inside) && opener && opener.focus) opener.focus({preventScroll: true});
  }

  // The menu's keys: Up, Down, Home and End move, Enter and Space choose,
  // Escape closes, Tab closes and moves on from the control that opened it.
  // None reaches the program.
  function menuKey(e) {
    var moves = {ArrowDown: current() + 1, ArrowUp: current() - 1, Home: 0, End: -1};
    if (e.key in moves) {
      focusEntry(moves[e.key]);
    } else if (e.key === 'Enter' || e.key === ' ') {
      if (current() >= 0) choose(entries()[current()]);
    } else if (e.key === 'Escape') {
      close(true);
    } else if (e.key === 'Tab') {
      close(true);
      e.stopPropagation();
      return;
    } else {
      return;
    }
    e.preventDefault();
    e.stopPropagation();
  }

  // Enter, Space or Down open the menu on its first entry, Up on its last.
  function buttonKey(e) {
    var entry = {Enter: 0, ' ': 0, ArrowDown: 0, ArrowUp: -1}[e.key];
    if (entry === undefined) return;
    e.preventDefault();
    e.stopPropagation();
    openAtButton(entry);
  }

  // The right button (or a long touch, or the keyboard's menu key) on the
  // picture opens the menu where it was pressed; the menu control opens it
  // under itself; a press anywhere else closes it.
  function attach() {
    canvas.addEventListener('contextmenu', function (e) {
      e.preventDefault();
      var box = canvas.getBoundingClientRect();
      var keyboard = e.button !== 2 && e.clientX === 0 && e.clientY === 0;
      openAt(keyboard ? box.left + window.scrollX + 8 : e.pageX,
             keyboard ? box.top + window.scrollY + 8 : e.pageY, 0);
    });
    button = document.querySelector('#controls [data-menu]');
    button.addEventListener('pointerdown', function (e) { e.preventDefault(); });
    // A pointer's click, or a screen reader's (the keys' come as keydown).
    button.addEventListener('click', function () {
      if (menu.hidden) openAtButton(0); else close(true);
    });
    button.addEventListener('keydown', buttonKey);
    menu.addEventListener('keydown', menuKey);
    document.addEventListener('pointerdown', function (e) {
      if (!menu.contains(e.target) && !button.contains(e.target)) close(false);
    });
  }

  // The gamepad's way through the menu: it opens over the picture's corner
  // on its first entry; the focus moves, is chosen as a click would choose,
  // or the menu closes.
  function isOpen() { return !menu.hidden; }

  function open() {
    var box = canvas.getBoundingClientRect();
    openAt(box.left + window.scrollX + 8, box.top + window.scrollY + 8, 0);
  }

  function move(by) {
    focusEntry(Math.max(0, Math.min(entries().length - 1, current() + by)));
  }

  function chooseFocused() {
    if (current() >= 0) choose(entries()[current()]);
  }

  return {add: add, attach: attach, isOpen: isOpen, open: open, move: move, choose: chooseFocused,
          close: function () { close(true); }};
})();
