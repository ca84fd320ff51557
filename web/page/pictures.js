// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The pictures packed inside the page (gzip, base64), unpacked into the program's files before it starts.
Page.pictures = (function () {
  function bytes(base64) {
    var text = atob(base64), out = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i) out[i] = text.charCodeAt(i);
    return out;
  }

  function unpacked(base64) {
    var stream = new Blob([bytes(base64)]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Response(stream).arrayBuffer();
  }

  // Writes each picture of #pictures (a JSON object of paths and packed
  // bytes), as it was before it was packed, to its path; the program starts
  // once all are written. ?noimages leaves them out, to see the program
  // start without them. A browser that cannot unpack them says so.
  function unpack() {
    var packed = document.getElementById('pictures');
    if (!packed || new URLSearchParams(location.search).has('noimages')) return;
    var files = JSON.parse(packed.textContent), paths = Object.keys(files);
    Module.addRunDependency('pictures');
    Promise.resolve().then(function () {
      return Promise.all(paths.map(function (path) { return unpacked(files[path]); }));
    }).then(function (contents) {
      paths.forEach(function (path, i) {
        Module.FS.createPath('/', path.slice(0, path.lastIndexOf('/')), true, true);
        Module.FS.writeFile(path, new Uint8Array(contents[i]));
      });
      Module.removeRunDependency('pictures');
    }).catch(function (e) {
      Page.problem.show('pictures', e);
    });
  }

  return {unpack: unpack};
})();
