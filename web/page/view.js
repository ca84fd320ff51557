// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The view in the page's address: opened from the # fragment, kept in it after each input, shared.
Page.view = (function () {
  var notice = document.getElementById('notice');
  var status = document.getElementById('status');
  var field = document.getElementById('link');
  var written = 0, timer = null;
  var interval = 300;  // ms between writes to the address: browsers throttle more often
  // The explorer's fields of a held frame (its chosen call and its edits),
  // as the address gave them and as the explorer holds them now.
  var frameFields = /^(call|group|edit)=/, given = [], held = '';

  // The program writes and reads its own view as text ("v=1&x=...").
  function text() { return Module.ccall('view_text', 'string', [], []); }

  function say(words) {
    notice.textContent = (notice.hidden ? '' : notice.textContent + ' ') + words;
    notice.hidden = false;
  }

  // Before the first frame: the fragment, if the program reads it, is the
  // view. A fragment it cannot read changes nothing, and the notice says so
  // (as text: nothing from the address becomes HTML). One far longer than
  // any view is not handed over at all. A held frame's fields are kept for
  // the explorer.
  function start() {
    var fields = location.hash.slice(1).split('&');
    given = fields.filter(function (field) { return frameFields.test(field); });
    var fragment = fields.filter(function (field) { return !frameFields.test(field); }).join('&');
    if (fragment === '') return;
    if (fragment.length <= 600 && Module.ccall('set_view', 'number', ['string'], [fragment]) === 1) return;
    say('The view in this address could not be read, so ' + Page.program + ' starts at its usual view.');
  }

  // The held frame's fields as the address gave them.
  function frame() { return given; }

  // The explorer holds a frame: its fields join the address ('' when it closes).
  function hold(fields) {
    held = fields;
    touched();
  }

  function fragment() { return text() + (held ? '&' + held : ''); }

  function write() {
    timer = null;
    written = Date.now();
    try {
      history.replaceState(history.state, '', '#' + fragment());
    } catch (e) {}  // a browser that refuses it keeps the address as it was
  }

  // An input (key, touch, menu, gamepad) may have changed the view: the
  // address follows it, at most once an interval, the last input included.
  function touched() {
    if (timer === null) timer = setTimeout(write, Math.max(0, written + interval - Date.now()));
  }

  // The address of the full page (without ?embed) at the view of now.
  function address() {
    var query = location.search.slice(1).split('&').filter(function (part) {
      return part !== '' && part.split('=')[0] !== 'embed';
    }).join('&');
    return location.href.replace(/[?#].*$/, '') + (query ? '?' + query : '') + '#' + fragment();
  }

  function tell(words) { status.textContent = words; }

  // Copies the address where the browser allows it, else shows it selected.
  function share() {
    var link = address();
    field.hidden = true;
    function show() {
      field.value = link;
      field.hidden = false;
      field.focus();
      field.select();
      tell('Copy the link: Ctrl+C (\u2318C on a Mac), or press and hold it.');
    }
    if (!navigator.clipboard || !navigator.clipboard.writeText) return show();
    navigator.clipboard.writeText(link).then(function () { tell('Link copied'); }, show);
  }

  return {start: start, touched: touched, share: share, text: text, frame: frame, hold: hold,
          address: address, say: say};
})();
