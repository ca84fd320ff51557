// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The pictures packed inside the page (base64), unpacked into the program's files before it starts.
Page.pictures = (function () {
  function bytes(base64) {
    var text = atob(base64), out = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i) out[i] = text.charCodeAt(i);
    return out;
  }

  function gunzipped(base64) {
    var stream = new Blob([bytes(base64)]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Response(stream).arrayBuffer().then(function (buffer) { return new Uint8Array(buffer); });
  }

  // A TGA packed as its header and its pixel bytes as a PNG's R, G, B
  // (tools/packpictures.py): the header, then each pixel's three bytes in
  // the PNG's order. Nothing may touch the colours on the way.
  function fromPng(header, png) {
    var blob = new Blob([bytes(png)], {type: 'image/png'});
    return createImageBitmap(blob, {colorSpaceConversion: 'none', premultiplyAlpha: 'none'})
      .then(function (image) {
        var width = image.width, height = image.height, canvas;
        if (typeof OffscreenCanvas === 'function') {
          canvas = new OffscreenCanvas(width, height);
        } else {
          canvas = document.createElement('canvas');
          canvas.width = width;
          canvas.height = height;
        }
        var context = canvas.getContext('2d', {willReadFrequently: true});
        context.drawImage(image, 0, 0);
        image.close();
        var rgba = context.getImageData(0, 0, width, height).data, start = bytes(header);
        var out = new Uint8Array(start.length + width * height * 3), o = start.length;
        out.set(start);
        for (var i = 0; i < rgba.length; i += 4) {
          out[o++] = rgba[i];
          out[o++] = rgba[i + 1];
          out[o++] = rgba[i + 2];
        }
        return out;
      });
  }

  function unpacked(file) {
    return file.png ? fromPng(file.header, file.png) : gunzipped(file.gzip);
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
        Module.FS.writeFile(path, contents[i]);
      });
      Module.removeRunDependency('pictures');
    }).catch(function (e) {
      Page.problem.show('pictures', e);
    });
  }

  return {unpack: unpack};
})();
