// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The view in words: the picture's description, made again once the view
// settles after an input, and spoken in a polite live region while the
// viewer has the focus; the describe control speaks it on demand.
Page.describe = (function () {
  var described = document.getElementById('describe');
  var spoken = document.getElementById('spoken');
  var SETTLE = 500;  // ms without an input before the view counts as settled
  var timer = null, situation = '';

  // The program's words (viewer/sight.h): a line a piece, the name of the
  // object it names ('' for none, '=' for the situation: where the camera
  // stands, or how the planets run), a tab, its text.
  function pieces() {
    return Module.ccall('view_words', 'string', [], []).split('\n').filter(Boolean)
      .map(function (line) {
        var tab = line.indexOf('\t');
        return {object: line.slice(0, tab), text: line.slice(tab + 1)};
      });
  }

  // The description, rebuilt as text: each object in view an element of
  // its own, marked with its name. Returns its words.
  function update() {
    described.textContent = '';
    situation = '';
    pieces().forEach(function (piece) {
      var node = document.createTextNode(piece.text);
      if (piece.object === '=') {
        situation = piece.text.trim();
      } else if (piece.object) {
        var mark = document.createElement('span');
        mark.dataset.object = piece.object;
        mark.appendChild(node);
        node = mark;
      }
      described.appendChild(node);
    });
    return described.textContent;
  }

  // A live region speaks only a change: the same words again differ by a
  // space that is not read.
  function speak(words) {
    spoken.textContent = spoken.textContent === words ? words + '\u00a0' : words;
  }

  function settled() {
    timer = null;
    var words = update();
    if (Page.input.focused()) speak(words);
  }

  // An input (key, touch, gamepad, menu) may have changed the view: the words
  // follow once none has come for a moment, so a held key is not read at
  // every repeat.
  function touched() {
    clearTimeout(timer);
    timer = setTimeout(settled, SETTLE);
  }

  function now() {
    clearTimeout(timer);
    timer = null;
    speak(update());
  }

  // What a menu entry did, said at once (the whole view follows once it
  // settles).
  function chosen(label) {
    update();
    speak(label + ': ' + situation);
  }

  return {update: update, touched: touched, now: now, chosen: chosen};
})();
