// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// Why this pixel: a point of the held picture, picked by a click, a tap or
// the crosshair, answered with every call that touched it (web/gl/pixel.h);
// and the chosen vertex's way through GL, with its light (web/gl/journey.h).
Page.pixel = (function () {
  var canvas = document.getElementById('canvas');
  var cross = document.getElementById('crosshair');
  var answer = document.getElementById('pixel-answer');
  var journey = document.getElementById('journey');
  var light = document.getElementById('light');
  var said = document.getElementById('explorer-status');
  // The crosshair's pixel, whether it was asked about, the rows, the call
  // whose journey is shown, and the point of a shape that it follows.
  var at = [0, 0], asked = false, rows = [], shown = null, point = [0, 0, 0];

  var call = Page.explorer.call;
  function ask(name, args) { return JSON.parse(call(name, 'string', args) || 'null'); }
  function round(v) { return typeof v === 'number' ? String(+v.toFixed(4)) : String(v); }
  function list(v) { return '(' + v.map(round).join(', ') + ')'; }
  function el(tag, text, data) {
    var e = document.createElement(tag);
    if (text) e.textContent = text;
    Object.keys(data || {}).forEach(function (k) { e.dataset[k] = data[k]; });
    return e;
  }
  // A call by its text and the routines under display that made it.
  function named(index) {
    var row = rows[index], under = row.routines.slice(1);
    return row.text + (under.length ? ' under ' + under.join(' \u203a ') : '');
  }
  function rgb(c) { return list(c.map(function (v) { return v / 255; })) + ', ' + c.join(', ') + ' of 255'; }

  // The crosshair over the picture at its pixel, placed once the page is
  // laid out for the frame anyway.
  function place() {
    if (cross.hidden) return;
    var w = canvas.clientWidth / canvas.width, h = canvas.clientHeight / canvas.height;
    cross.style.left = canvas.offsetLeft + canvas.clientLeft + (at[0] + 0.5) * w + 'px';
    cross.style.top = canvas.offsetTop + canvas.clientTop + (canvas.height - at[1] - 0.5) * h + 'px';
  }

  function pick(x, y) {
    at = [Math.max(0, Math.min(canvas.width - 1, x)), Math.max(0, Math.min(canvas.height - 1, y))];
    cross.setAttribute('aria-label', 'crosshair at x ' + at[0] + ', y ' + at[1] +
      ' from the bottom left: the arrow keys move it (with Shift by 10), Enter asks what made that pixel');
    requestAnimationFrame(place);
  }

  // What touched the picked pixel, in words, each call a control that
  // chooses its row.
  function tell() {
    asked = true;
    var got = ask('web_explore_pixel', at), final = null;
    answer.textContent = '';
    answer.appendChild(el('p', 'Pixel x ' + got.x + ', y ' + got.y + ' from the bottom left, as GL counts:'));
    var items = el('ol');
    got.calls.forEach(function (c) {
      var item = el('li', '', {callRef: c.call, did: c.did}), go = el('button', named(c.call));
      go.type = 'button';
      go.addEventListener('click', function () { Page.explorer.choose(c.call); });
      var words = {
        final: ' wrote the colour the picture shows: ' + (c.colour && rgb(c.colour)) + '.',
        covered: ' wrote ' + (c.colour && rgb(c.colour)) + '; ' + (c.by >= 0 ? named(c.by) : '') + ' drew over it.',
        depth: ' lay there, but failed the depth test, behind ' + (c.by >= 0 ? named(c.by) : 'the cleared depth') + '.',
        clipped: ' would cover the pixel, but the ' + c.plane + ' plane of the view volume cut it there.',
      }[c.did];
      if (c.plane) item.dataset.plane = c.plane;
      item.append(go, words);
      items.appendChild(item);
      if (c.did === 'final') final = c;
    });
    answer.appendChild(items);
    if (!got.calls.length) answer.appendChild(el('p', 'That pixel lies outside the picture.'));
    var clipped = got.calls.filter(function (c) { return c.did === 'clipped'; });
    if (final && rows[final.call].name === 'glClear') {
      answer.appendChild(el('p', 'Only the clear wrote here: nothing of the scene lies at this pixel' +
        (clipped.length ? ', but ' + clipped.map(function (c) { return named(c.call) + ' lies past the ' + c.plane + ' plane'; }).join('; ') : '') + '.'));
    }
    if (got.texel) {
      var product = got.texel.map(function (t, k) { return Math.round(t * got.shade[k] / 255); });
      answer.appendChild(el('p', 'Its texture\u2019s value there is ' + rgb(got.texel) + ', its colour there ' +
        rgb(got.shade) + ', and their product (GL_MODULATE) ' + rgb(product) + ', the pixel within 1/255.'));
    }
    said.textContent = 'Pixel ' + got.x + ', ' + got.y + ': ' + got.calls.length + (got.calls.length === 1 ? ' call' : ' calls') + ' touched it' +
      (final ? '; ' + named(final.call) + ' gave its colour.' : '.');
  }

  // A table of entries, each row its mark, its name, its numbers (shown
  // rounded, kept whole in data-values) and how.
  function table(to, mark, lines) {
    to.textContent = '';
    lines.forEach(function (l) {
      var tr = el('tr'), td = el('td', list(l[2]), {values: l[2].join(' ')});
      tr.dataset[mark] = l[0];
      var th = el('th', l[1]);
      th.scope = 'row';
      tr.append(th, td, el('td', l[3]));
      to.appendChild(tr);
    });
    to.hidden = !lines.length;
  }

  // The chosen call's vertex through GL: a glVertex's, or a point of a
  // GLUT shape, which the inputs in its first row move.
  function follow(index) {
    var j = ask('web_explore_journey');
    if (!j) return table(journey, 'stage', []), table(light, 'term', []);
    var shape = !/^glVertex/.test(rows[index].name), out = j.outside;
    table(journey, 'stage', [
      ['object', 'object', j.object, shape ? 'a point of the shape, in its own coordinates' : 'as passed'],
      ['eye', 'eye', j.eye, 'the model-view matrix times the object coordinates'],
      ['clip', 'clip', j.clip, 'the projection matrix times the eye coordinates; ' +
        (out.length ? 'outside the ' + out.join(', ') + ' plane' + (out.length > 1 ? 's' : '') : 'inside all six planes')],
      ['ndc', 'normalised device', j.ndc, 'clip divided by w'],
      ['window', 'window', j.window, 'x, y in pixels from the bottom left and depth: the viewport ' +
        list(j.viewport) + ' and depth range ' + list(j.range) + ' applied'],
    ]);
    if (shape) {
      var cell = journey.querySelector('[data-stage="object"] td');
      cell.textContent = '';
      point.forEach(function (v, k) {
        var input = el('input');
        input.type = 'number';
        input.step = 'any';
        input.value = v;
        input.setAttribute('aria-label', 'xyz'[k] + ' of the point');
        input.addEventListener('input', function () {
          if (input.value === '' || !isFinite(input.value)) return;
          point[k] = Number(input.value);
          call('web_explore_follow', null, point);
          follow(index);
          journey.querySelectorAll('input')[k].focus();
        });
        cell.append(input, ' ');
      });
    }
    var terms = j.light ? j.light.terms.map(function (t) {
      var how = t['n-dot-l'] !== undefined ? 'N\u00b7L ' + round(t['n-dot-l']) : t['n-dot-h'] !== undefined ?
        'N\u00b7H ' + round(t['n-dot-h']) + ', shininess ' + round(t.shininess) : '';
      return [t.term, t.term, t.value, how];
    }) : j.colour ? [['colour', 'colour', j.colour, 'lighting is off: the current colour']] : [];
    if (j.light) {
      terms[terms.length - 1][3] = 'the sum, clamped: the colour the vertex gets; the normal ' + list(j.light.normal) +
        ' in eye space' + (j.light.tracked.length ? '; colour material: the current colour stands for the material\u2019s ' +
        j.light.tracked.join(' and ') : '');
    }
    table(light, 'term', terms);
  }

  // A new choice or an edit: its journey, and the picked pixel asked again.
  function chosen(item, all) {
    rows = all;
    var index = item.dataset.call === undefined ? -1 : Number(item.dataset.call);
    if (index !== shown) {
      point = [0, 0, 0];
      if (shown !== null) call('web_explore_follow', null, point);
    }
    shown = index;
    if (index >= 0) follow(index);
    else table(journey, 'stage', []), table(light, 'term', []);
    if (asked) tell();
  }

  // The pixel a pointer names, in the drawing buffer, from its bottom left.
  function pointed(e) {
    var box = canvas.getBoundingClientRect();
    var x = (e.clientX - box.left - canvas.clientLeft) * canvas.width / canvas.clientWidth;
    var y = (e.clientY - box.top - canvas.clientTop) * canvas.height / canvas.clientHeight;
    return [Math.floor(x), canvas.height - 1 - Math.floor(y)];
  }

  function key(e) {
    var by = e.shiftKey ? 10 : 1, move = {ArrowLeft: [-by, 0], ArrowRight: [by, 0], ArrowUp: [0, by], ArrowDown: [0, -by]}[e.key];
    if (move) pick(at[0] + move[0], at[1] + move[1]);
    else if (e.key === 'Enter' || e.key === ' ') tell();
    else return;
    e.preventDefault();
  }

  canvas.addEventListener('click', function (e) {
    if (cross.hidden) return;
    var at = pointed(e);
    pick(at[0], at[1]);
    tell();
  });
  cross.addEventListener('keydown', key);

  window.addEventListener('resize', place);

  // Shown with the explorer, the crosshair in the middle; `given` ([x, y]),
  // a pixel to ask about at the first choice.
  function open(on, given) {
    cross.hidden = !on;
    asked = !!given;
    shown = null;
    point = [0, 0, 0];
    answer.textContent = '';
    if (on) pick.apply(null, given || [canvas.width >> 1, canvas.height >> 1]);
  }

  return {chosen: chosen, open: open, field: function () { return asked ? 'pixel=' + at.join(',') : ''; }};
})();
