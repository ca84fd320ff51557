// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// GLUT's right-button menu as a list on the page.
Page.menu = (function () {
  var canvas = document.getElementById('canvas');
  var menu = document.getElementById('menu');

  function add(label, value) {
    var item = document.createElement('li');
    item.textContent = label;
    item.dataset.value = value;
    function choose(e) {
      e.preventDefault();
      menu.hidden = true;
      Module._web_menu(value);
      Page.view.touched();
    }
    item.addEventListener('click', choose);
    item.addEventListener('contextmenu', choose);
    menu.appendChild(item);
  }

  // Opens the menu at a point of the page, kept inside the screen.
  function openAt(x, y) {
    highlight(-1);
    menu.hidden = false;
    var right = window.scrollX + document.documentElement.clientWidth - menu.offsetWidth;
    var bottom = window.scrollY + document.documentElement.clientHeight - menu.offsetHeight;
    menu.style.left = Math.max(window.scrollX, Math.min(x, right)) + 'px';
    menu.style.top = Math.max(window.scrollY, Math.min(y, bottom)) + 'px';
  }

  // The right button (or a long touch) on the picture opens the menu where
  // it was pressed, and so does the menu control; a click on an entry
  // chooses it, a press anywhere else closes it.
  function attach() {
    canvas.addEventListener('contextmenu', function (e) {
      e.preventDefault();
      openAt(e.pageX, e.pageY);
    });
    var control = document.querySelector('#controls [data-menu]');
    control.addEventListener('pointerdown', function (e) { e.preventDefault(); });
    control.addEventListener('click', function () {
      var box = control.getBoundingClientRect();
      openAt(box.left + window.scrollX, box.bottom + window.scrollY);
    });
    document.addEventListener('pointerdown', function (e) {
      if (!menu.contains(e.target) && !control.contains(e.target)) menu.hidden = true;
    });
  }

  // The gamepad's way through the menu: it opens over the picture's corner
  // with its first entry highlighted; the highlight moves, is chosen as a
  // click would choose it, or the menu closes.
  var highlighted = -1;

  function highlight(index) {
    if (highlighted >= 0) menu.children[highlighted].classList.remove('highlighted');
    highlighted = index;
    if (index >= 0) menu.children[index].classList.add('highlighted');
  }

  function isOpen() { return !menu.hidden; }

  function open() {
    var box = canvas.getBoundingClientRect();
    openAt(box.left + window.scrollX + 8, box.top + window.scrollY + 8);
    highlight(0);
  }

  function move(by) {
    highlight(Math.max(0, Math.min(menu.children.length - 1, highlighted + by)));
  }

  function choose() {
    if (highlighted >= 0) menu.children[highlighted].click();
  }

  function close() { menu.hidden = true; }

  return {add: add, attach: attach, isOpen: isOpen, open: open, move: move, choose: choose,
          close: close};
})();
