// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The view in the page's address: opened from the # fragment, kept in it after each input, shared.
Page.view = (function () {
  var notice = document.getElementById('notice');
  var status = document.getElementById('status');
  var field = document.getElementById('link');
  var written = 0, timer = null;
  var interval = 300;  // ms between writes to the address: browsers throttle more often

  // The program writes and reads its own view as text ("v=1&x=...").
  function text() { return Module.ccall('view_text', 'string', [], []); }

  // Before the first frame: the fragment, if the program reads it, is the
  // view. A fragment it cannot read changes nothing, and the notice says so
  // (as text: nothing from the address becomes HTML). One far longer than
  // any view is not handed over at all.
  function start() {
    var fragment = location.hash.slice(1);
    if (fragment === '') return;
    if (fragment.length <= 600 && Module.ccall('set_view', 'number', ['string'], [fragment]) === 1) return;
    notice.textContent = 'The view in this address could not be read, so ' + Page.program +
      ' starts at its usual view.';
    notice.hidden = false;
  }

  function write() {
    timer = null;
    written = Date.now();
    try {
      history.replaceState(history.state, '', '#' + text());
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
    return location.href.replace(/[?#].*$/, '') + (query ? '?' + query : '') + '#' + text();
  }

  function say(words) { status.textContent = words; }

  // Copies the address where the browser allows it, else shows it selected.
  function share() {
    var link = address();
    field.hidden = true;
    function show() {
      field.value = link;
      field.hidden = false;
      field.focus();
      field.select();
      say('Copy the link: Ctrl+C (\u2318C on a Mac), or press and hold it.');
    }
    if (!navigator.clipboard || !navigator.clipboard.writeText) return show();
    navigator.clipboard.writeText(link).then(function () { say('Link copied'); }, show);
  }

  return {start: start, touched: touched, share: share, text: text};
})();
