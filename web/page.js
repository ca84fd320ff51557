// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The page side of GLUT, for web/glut.cpp: the window is the canvas, the
// keyboard the document's keys and the on-screen controls, the mouse the
// canvas's pointer, and the right-button menu a list on the page.
var pageCanvas = document.getElementById('canvas');
var pageMenu = document.getElementById('menu');
var pageListening = false;

// The canvas's drawing buffer is its content box in device pixels; GLUT's
// reshape hears of every change, as on a resized window. The stylesheet
// keeps the canvas square, as wide as the window GLUT was asked for (in CSS
// pixels) where there is room.
function pageFit() {
  var style = getComputedStyle(pageCanvas);
  var ratio = window.devicePixelRatio || 1;
  var width = Math.round(parseFloat(style.width) * ratio);
  var height = Math.round(parseFloat(style.height) * ratio);
  if (!(width > 0 && height > 0)) return;  // hidden, or not laid out
  if (width === pageCanvas.width && height === pageCanvas.height) return;
  pageCanvas.width = width;
  pageCanvas.height = height;
  if (pageListening) _web_reshape(width, height);
}

function pageOpenWindow(title, width) {
  document.title = title;
  document.documentElement.style.setProperty('--window', width + 'px');
  pageFit();
}

// A page moved to a screen of another density, or zoomed, changes its ratio
// without changing its CSS size.
function pageWatchRatio() {
  matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)')
    .addEventListener('change', function () { pageFit(); pageWatchRatio(); }, {once: true});
}

// A key that types a character gives its code, in either case, as GLUT's
// keyboard callback has it; Enter, Escape, Backspace, Tab and Delete give
// theirs; other keys (arrows, function keys) have no such code and, as on
// the desktop without a special-key callback, do nothing. Keys typed into a
// form field stay there.
function pageKeyDown(e) {
  var target = e.target;
  if (target.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(target.tagName)) return;
  var named = {Enter: 13, Escape: 27, Backspace: 8, Tab: 9, Delete: 127};
  var code = e.key.length == 1 ? e.key.charCodeAt(0) : named[e.key];
  if (code === undefined || code > 255 || e.ctrlKey || e.altKey || e.metaKey) return;
  if (e.key !== 'Tab') e.preventDefault();  // Tab still moves between the page's controls
  _web_key(code);
}

// A drag on the picture sends whole key presses, one for each twentieth of
// the picture's width, so that the picture follows the finger: right turns
// as J does, left as L, down tilts as K, up as I. Coming back sends the
// opposite key. Half a pixel is allowed for coordinates rounded to pixels.
var pageDrag = null;

function pageFollow(sent, travelled, step, forward, backward) {
  var wanted = Math.sign(travelled) * Math.floor((Math.abs(travelled) + 0.5) / step);
  for (; sent < wanted; ++sent) _web_key(forward.charCodeAt(0));
  for (; sent > wanted; --sent) _web_key(backward.charCodeAt(0));
  return sent;
}

function pageListenToPointer() {
  pageCanvas.addEventListener('pointerdown', function (e) {
    if (e.button !== 0) return;
    pageCanvas.setPointerCapture(e.pointerId);
    pageDrag = {id: e.pointerId, x: e.clientX, y: e.clientY, across: 0, down: 0};
  });
  pageCanvas.addEventListener('pointermove', function (e) {
    var box = pageCanvas.getBoundingClientRect();
    var width = parseFloat(getComputedStyle(pageCanvas).width);
    var scale = pageCanvas.width / width;
    _web_mouse(Math.floor((e.clientX - box.left - pageCanvas.clientLeft) * scale),
               Math.floor((e.clientY - box.top - pageCanvas.clientTop) * scale));
    if (!pageDrag || e.pointerId !== pageDrag.id) return;
    var step = width / 20;
    pageDrag.across = pageFollow(pageDrag.across, e.clientX - pageDrag.x, step, 'j', 'l');
    pageDrag.down = pageFollow(pageDrag.down, e.clientY - pageDrag.y, step, 'k', 'i');
  });
  ['pointerup', 'pointercancel'].forEach(function (name) {
    pageCanvas.addEventListener(name, function () { pageDrag = null; });
  });
}

// An on-screen control presses its key once when touched, then, held, again
// after 0.4 s and 25 times a second until it is let go, like a held key.
function pageListenToControls() {
  document.querySelectorAll('#controls [data-key]').forEach(function (button) {
    var code = button.dataset.key.charCodeAt(0), timer = null;
    function stop() {
      clearTimeout(timer);
      clearInterval(timer);
      timer = null;
    }
    button.addEventListener('pointerdown', function (e) {
      e.preventDefault();  // keeps the focus, and the keys, where they were
      button.setPointerCapture(e.pointerId);
      stop();
      _web_key(code);
      timer = setTimeout(function () {
        timer = setInterval(function () { _web_key(code); }, 40);
      }, 400);
    });
    ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function (name) {
      button.addEventListener(name, stop);
    });
    // A keyboard's or a screen reader's activation comes as a click alone.
    button.addEventListener('click', function (e) { if (e.detail === 0) _web_key(code); });
  });
  document.getElementById('controls').addEventListener('contextmenu', function (e) {
    e.preventDefault();
  });
}

function pageListen() {
  pageListening = true;
  _web_reshape(pageCanvas.width, pageCanvas.height);
  document.addEventListener('keydown', pageKeyDown);
  pageListenToPointer();
  pageListenToControls();
  new ResizeObserver(pageFit).observe(pageCanvas);
  window.addEventListener('resize', pageFit);
  pageWatchRatio();
}

function pageAddMenuEntry(label, value) {
  var item = document.createElement('li');
  item.textContent = label;
  item.dataset.value = value;
  function choose(e) {
    e.preventDefault();
    pageMenu.hidden = true;
    _web_menu(value);
  }
  item.addEventListener('click', choose);
  item.addEventListener('contextmenu', choose);
  pageMenu.appendChild(item);
}

// Opens the menu at a point of the page, kept inside the screen.
function pageOpenMenu(x, y) {
  pageMenu.hidden = false;
  var right = window.scrollX + document.documentElement.clientWidth - pageMenu.offsetWidth;
  var bottom = window.scrollY + document.documentElement.clientHeight - pageMenu.offsetHeight;
  pageMenu.style.left = Math.max(window.scrollX, Math.min(x, right)) + 'px';
  pageMenu.style.top = Math.max(window.scrollY, Math.min(y, bottom)) + 'px';
}

// The right button (or a long touch) on the picture opens the menu where it
// was pressed, and so does the menu control; a click on an entry chooses it,
// a press anywhere else closes it.
function pageAttachMenu() {
  pageCanvas.addEventListener('contextmenu', function (e) {
    e.preventDefault();
    pageDrag = null;
    pageOpenMenu(e.pageX, e.pageY);
  });
  var control = document.querySelector('#controls [data-menu]');
  control.addEventListener('pointerdown', function (e) { e.preventDefault(); });
  control.addEventListener('click', function () {
    var box = control.getBoundingClientRect();
    pageOpenMenu(box.left + window.scrollX, box.bottom + window.scrollY);
  });
  document.addEventListener('pointerdown', function (e) {
    if (!pageMenu.contains(e.target) && !control.contains(e.target)) pageMenu.hidden = true;
  });
}
