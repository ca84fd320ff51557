// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// What the program prints, on the line under the picture and in the console.
Page.output = (function () {
  var line = document.getElementById('messages');
  var pending = '';

  // One character of standard output or error (null flushes, and is
  // ignored): shown exactly as printed, several messages running together
  // as in a terminal, and in the console once the program has printed what
  // it had to say.
  function print(code) {
    if (code === null) return;
    var c = String.fromCharCode(code);
    line.textContent += c;
    if (pending === '') setTimeout(function () { console.log(pending); pending = ''; }, 0);
    pending += c;
  }
  return {print: print};
})();
