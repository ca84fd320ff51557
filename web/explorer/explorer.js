// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The frame, call by call: the program's own calls of one held frame as a
// tree of the routines that made them; choosing a call draws the frame up to
// it, marks what it drew and shows GL's state after it; a number argument
// can be changed and the frame drawn again with it. GLUT holds the frame and
// draws it again; the GL layer records, stops and edits (web/gl/explore.h).
Page.explorer = (function () {
  var panel = document.getElementById('explorer');
  var tree = document.getElementById('calls');
  var detail = document.getElementById('call-detail');
  var stateTable = document.getElementById('call-state');
  var said = document.getElementById('explorer-status');
  var canvas = document.getElementById('canvas');
  var control = document.querySelector('[data-action="explore"]');
  var rows = [], edits = {}, chosen = null, open = false;

  // The meanings: a row a function, its line, then a line an argument.
  var meanings = {};
  document.getElementById('meanings').textContent.split('\n').forEach(function (line) {
    if (!line || line[0] === '#') return;
    var cells = line.split('\t');
    meanings[cells[0]] = {does: cells[1], args: cells.slice(2)};
  });

  function call(name, type, args) { return Module.ccall(name, type, args ? args.map(function () { return 'number'; }) : [], args || []); }

  // The tree: a group a call of a routine, nested as the routines were on
  // the stack. A routine's name with its number tells two calls of it apart
  // (the numbers come with every routine, or with none).
  function build() {
    tree.textContent = '';
    var path = [], parents = [tree];
    rows.forEach(function (row, index) {
      var on = row.routines.map(function (name, k) { return name + '#' + (row.entered[k] || ''); });
      var same = 0;
      while (same < path.length && same < on.length && path[same] === on[same]) ++same;
      path.length = same;
      parents.length = same + 1;
      row.routines.slice(same).forEach(function (name) {
        var group = document.createElement('li');
        group.setAttribute('role', 'treeitem');
        group.setAttribute('aria-expanded', 'true');
        group.dataset.routine = name;
        group.tabIndex = -1;
        var label = document.createElement('span');
        label.className = 'routine';
        label.textContent = name;
        var list = document.createElement('ul');
        list.setAttribute('role', 'group');
        group.append(label, list);
        parents[parents.length - 1].appendChild(group);
        parents.push(list);
        path.push(on[path.length]);
      });
      var item = document.createElement('li');
      item.setAttribute('role', 'treeitem');
      item.dataset.call = index;
      item.tabIndex = -1;
      item.textContent = row.text;
      if (row.draws) item.classList.add('draws');
      parents[parents.length - 1].appendChild(item);
    });
    var first = tree.querySelector('[role=treeitem]');
    if (first) first.tabIndex = 0;
  }

  function items() {
    return [].filter.call(tree.querySelectorAll('[role=treeitem]'), function (item) {
      for (var up = item.parentElement.closest('[role=treeitem]'); up; up = up.parentElement.closest('[role=treeitem]')) {
        if (up.getAttribute('aria-expanded') === 'false') return false;
      }
      return true;
    });
  }

  // `still`: the item is in sight already, so focusing it need not lay the
  // page out at once to scroll it there.
  function focus(item, still) {
    if (!item) return;
    tree.querySelectorAll('[tabindex="0"]').forEach(function (e) { e.tabIndex = -1; });
    item.tabIndex = 0;
    item.focus({preventScroll: !!still});
  }

  // The calls a tree item stands for: a call itself, or all a routine made.
  function span(item) {
    if (item.dataset.call !== undefined) return [Number(item.dataset.call), Number(item.dataset.call)];
    var calls = item.querySelectorAll('[data-call]');
    return [Number(calls[0].dataset.call), Number(calls[calls.length - 1].dataset.call)];
  }

  // The frame drawn again up to the last of `calls`, what they draw tinted
  // if `mark`; GL's state before the first of them and after the last.
  function drawUpTo(calls, mark) {
    call('web_explore_draw', null, [calls[0], calls[1], mark ? 1 : 0]);
    return [JSON.parse(call('web_explore_state_before', 'string') || 'null'),
            JSON.parse(call('web_explore_state', 'string'))];
  }

  function matrix(m) {
    var lines = [];
    for (var r = 0; r < 4; ++r) lines.push([m[r], m[4 + r], m[8 + r], m[12 + r]].join(' '));
    return lines.join('\n');
  }

  function vector(v) { return '(' + v.join(', ') + ')'; }

  // GL's state as entries: each its name, its mark and its text.
  function entries(s) {
    var on = [];
    if (s.lighting) on.push('lighting');
    if (s['depth-test']) on.push('depth test');
    if (s['texture-2d']) on.push('2D textures');
    if (s['colour-material-on']) on.push('colour material');
    var m = s.material;
    return [
      ['modelview', 'model-view matrix', matrix(s.modelview)],
      ['modelview-depth', 'model-view stack depth', String(s['modelview-depth'])],
      ['projection', 'projection matrix', matrix(s.projection)],
      ['projection-depth', 'projection stack depth', String(s['projection-depth'])],
      ['colour', 'current colour', vector(s.colour)],
      ['material', 'front material', 'ambient ' + vector(m.ambient) + ', diffuse ' + vector(m.diffuse) +
        ', specular ' + vector(m.specular) + ', emission ' + vector(m.emission) + ', shininess ' + m.shininess],
      ['colour-material', 'colour material tracks', s['colour-material']],
      ['lights', 'enabled lights (eye space)', s.lights.map(function (l) {
        return l.light + ': position ' + vector(l.position) + ', ambient ' + vector(l.ambient) +
          ', diffuse ' + vector(l.diffuse) + ', specular ' + vector(l.specular);
      }).join('\n') || 'none'],
      ['capabilities', 'on', on.join(', ') || 'none'],
      ['texture', 'bound texture', String(s.texture)],
    ];
  }

  function showState(before, after) {
    stateTable.textContent = '';
    var old = {};
    entries(before).forEach(function (e) { old[e[0]] = e[2]; });
    entries(after).forEach(function (e) {
      var tr = document.createElement('tr'), th = document.createElement('th'), td = document.createElement('td');
      th.scope = 'row';
      th.textContent = e[1];
      td.dataset.state = e[0];
      td.textContent = e[2];
      if (old[e[0]] !== e[2]) {
        td.dataset.changed = '';
        th.textContent += ' (changed)';
      }
      tr.append(th, td);
      if (e[0] === 'texture') tr.appendChild(texturePicture(e[2]));
      stateTable.appendChild(tr);
    });
  }

  // A small picture of the bound texture, read back from WebGL (which keeps
  // what it read). A first reading waits for the frame's draws to be done,
  // so it comes after the picture is on the screen.
  function texturePicture(name) {
    var cell = document.createElement('td');
    requestAnimationFrame(function () {
      setTimeout(function () {
        var picture = cell.isConnected && readTexture(name);
        if (picture) cell.appendChild(picture);
      });
    });
    return cell;
  }

  function readTexture(name) {
    var at = call('web_explore_texture', 'number');
    if (!at) return null;
    var width = HEAP32[at >> 2], height = HEAP32[(at >> 2) + 1];
    var picture = document.createElement('canvas');
    picture.width = width;
    picture.height = height;
    picture.setAttribute('role', 'img');
    picture.setAttribute('aria-label', 'texture ' + name);
    var g = picture.getContext('2d'), image = g.createImageData(width, height);
    var bytes = HEAPU8.subarray(at + 8, at + 8 + width * height * 4);
    for (var y = 0; y < height; ++y) {  // its rows run from the bottom up
      image.data.set(bytes.subarray((height - 1 - y) * width * 4, (height - y) * width * 4), y * width * 4);
    }
    g.putImageData(image, 0, 0);
    return picture;
  }

  // A number as its argument takes it: the number drawn, and why it is not
  // the one given ('' where it is).
  function drawable(arg, number) {
    if (number > arg.most) {
      return [arg.most, 'at most ' + arg.most + (arg.per ? ' ' + arg.per + ' on this page' : ', the most ' + arg.type + ' holds')];
    }
    if (number < arg.least) return [arg.least, 'at least ' + arg.least + ', the least ' + arg.type + ' holds'];
    if (arg.kind === 'int' && number !== Math.trunc(number)) return [Math.trunc(number), 'whole numbers only'];
    return [number, ''];
  }

  // The chosen call's line and its arguments, each number an input.
  function showCall(item) {
    var does = document.getElementById('call-does'), args = document.getElementById('call-args');
    args.textContent = '';
    if (item.dataset.call === undefined) {
      does.textContent = item.dataset.routine + ': everything it drew is marked.';
      return;
    }
    var index = Number(item.dataset.call), row = rows[index], meaning = meanings[row.name] || {does: '', args: []};
    does.textContent = row.name + ': ' + meaning.does;
    // One input a number; an array's items side by side, each its own. A
    // value past what the argument takes (web/gl/explore.cpp) draws the
    // nearest it takes, no number draws nothing new; words say what is drawn.
    var field = function (arg, k, part, value, name) {
      var input = document.createElement('input'), words = document.createElement('span');
      input.type = 'number';
      input.step = arg.kind === 'int' ? '1' : 'any';
      input.min = arg.least;
      input.max = arg.most;
      input.dataset.arg = k;
      words.id = 'call-arg-' + k + '-' + (part || 0) + '-words';
      words.className = 'arg-words';
      if (part !== null) {
        input.dataset.item = part;
        input.setAttribute('aria-label', name);
      }
      var key = index + ':' + k + ':' + (part || 0);
      input.value = key in edits ? edits[key] : value;
      if (key in edits) input.classList.add('edited');
      var say = function (text) {
        words.textContent = text;
        if (text) input.setAttribute('aria-describedby', words.id);
        else input.removeAttribute('aria-describedby');
      };
      var apply = function () {
        var number = Number(input.value);
        if (input.value === '' || !isFinite(number)) {
          return say((input.validity.badInput ? 'not a number' : 'empty') + '; ' +
            (key in edits ? edits[key] : value) + ' is drawn');
        }
        var drawn = drawable(arg, number), why = drawn[1];
        number = drawn[0];
        say(why && why + '; ' + number + ' is drawn');
        edits[key] = String(number);
        input.classList.add('edited');
        call('web_explore_edit', null, [index, k, part || 0, number]);
        redraw(item, true);
      };
      input.addEventListener('input', apply);
      input.addEventListener('change', apply);
      return [input, words];
    };
    // A label of the argument's meaning round its value.
    var labelled = function (means, value) {
      var label = document.createElement('label');
      label.textContent = means + ' ';
      label.appendChild(value);
      return label;
    };
    row.args.forEach(function (arg, k) {
      var line = document.createElement('p');
      var means = meaning.args[k] || 'argument ' + (k + 1);
      if (/^(float|double|int)$/.test(arg.kind)) {
        var one = field(arg, k, null, arg.value);
        line.append(labelled(means, one[0]), ' ', one[1]);
      } else if (Array.isArray(arg.value)) {
        // A group named by its meaning; each item named by its place.
        line.setAttribute('role', 'group');
        var name = document.createElement('span');
        name.id = 'call-arg-' + k;
        name.textContent = means + ' ';
        line.setAttribute('aria-labelledby', name.id);
        line.appendChild(name);
        line.appendChild(document.createTextNode('{'));
        arg.value.forEach(function (value, part) {
          if (part) line.appendChild(document.createTextNode(', '));
          var cell = field(arg, k, part, value, 'item ' + (part + 1) + ' of ' + arg.value.length);
          line.append(cell[0], ' ', cell[1]);
        });
        line.appendChild(document.createTextNode('}'));
      } else {
        var code = document.createElement('code');
        code.textContent = arg.value;
        line.appendChild(labelled(means, code));
      }
      args.appendChild(line);
    });
  }

  // Draws the frame up to the item's last call, marks what the item drew
  // (a call that draws, or a routine), and shows the state after it.
  function choose(item, keepDetail) {
    if (chosen) chosen.removeAttribute('aria-selected');
    chosen = item;
    item.setAttribute('aria-selected', 'true');
    // glClear counts as a draw to move by, but fills everything: not marked.
    var calls = span(item), single = rows[calls[0]];
    var draws = item.dataset.call === undefined || (single.draws && single.name !== 'glClear');
    var states = drawUpTo(calls, draws);
    showState(states[0] || states[1], states[1]);
    if (!keepDetail) showCall(item);
    Page.pixel.chosen(item, rows);
    Page.view.hold(fields());
  }

  // The held frame in the address: the chosen call (or routine, by its
  // place among the routines), then each edit as call,argument,item,value.
  function fields() {
    var out = [chosen.dataset.call !== undefined ? 'call=' + chosen.dataset.call
      : 'group=' + [].indexOf.call(tree.querySelectorAll('[data-routine]'), chosen)];
    Object.keys(edits).forEach(function (key) { out.push('edit=' + key.split(':').join(',') + ',' + edits[key]); });
    var pixel = Page.pixel.field();
    if (pixel) out.push(pixel);
    return out.join('&');
  }

  // A held key or a dragged value asks for a drawing many times a frame:
  // the first is drawn at once, the rest wait for the next animation frame,
  // where only the last is drawn. A click is drawn at once, and drops any
  // that waits.
  var waiting = null, drawnThisFrame = false;
  function redraw(item, keepDetail) {
    if (drawnThisFrame) {
      waiting = [item, keepDetail];
      return;
    }
    drawnThisFrame = true;
    choose(item, keepDetail);
    requestAnimationFrame(function () {
      drawnThisFrame = false;
      var next = waiting;
      waiting = null;
      if (next && open) redraw(next[0], next[1]);
    });
  }

  function chooseNow(item) {
    waiting = null;
    choose(item);
  }

  function siblingWhere(from, by, test) {
    var all = items(), at = all.indexOf(from);
    for (var i = at + by; i >= 0 && i < all.length; i += by) {
      if (test(all[i])) return all[i];
    }
    return null;
  }

  // Up and Down move a row; Page Up and Page Down a draw, with Shift a
  // routine; Left and Right fold and unfold; Home and End. The row reached
  // is chosen (selection follows focus); Enter chooses again; Escape closes.
  function treeKey(e) {
    var item = e.target.closest('[role=treeitem]');
    if (!item) return;
    var all = items(), at = all.indexOf(item), group = item.dataset.routine !== undefined;
    var draws = function (i) { return i.classList.contains('draws'); };
    var routine = function (i) { return i.dataset.routine !== undefined; };
    var to = null;
    switch (e.key) {
      case 'ArrowDown': to = all[at + 1]; break;
      case 'ArrowUp': to = all[at - 1]; break;
      case 'Home': to = all[0]; break;
      case 'End': to = all[all.length - 1]; break;
      case 'PageDown': to = siblingWhere(item, 1, e.shiftKey ? routine : draws); break;
      case 'PageUp': to = siblingWhere(item, -1, e.shiftKey ? routine : draws); break;
      case 'ArrowRight':
        if (group && item.getAttribute('aria-expanded') === 'false') item.setAttribute('aria-expanded', 'true');
        else if (group) to = all[at + 1];
        break;
      case 'ArrowLeft':
        if (group && item.getAttribute('aria-expanded') === 'true') item.setAttribute('aria-expanded', 'false');
        else to = item.parentElement.closest('[role=treeitem]');
        break;
      case 'Enter': case ' ': chooseNow(item); break;
      default: return;
    }
    e.preventDefault();
    e.stopPropagation();
    if (to) {
      focus(to);
      redraw(to);
    }
  }

  function text() {
    var lines = [];
    (function walk(list, depth) {
      [].forEach.call(list.children, function (item) {
        var indent = new Array(depth + 1).join('  ');
        if (item.dataset.routine !== undefined) {
          lines.push(indent + item.dataset.routine);
          walk(item.querySelector('[role=group]'), depth + 1);
        } else {
          lines.push(indent + item.textContent);
        }
      });
    })(tree, 0);
    return lines.join('\n') + '\n';
  }

  function copy() {
    var whole = text();
    if (!navigator.clipboard || !navigator.clipboard.writeText) {
      said.textContent = 'This browser does not allow copying here.';
      return;
    }
    navigator.clipboard.writeText(whole).then(function () {
      said.textContent = 'The frame is copied as text: ' + rows.length + ' calls.';
    }, function () { said.textContent = 'This browser did not allow copying.'; });
  }

  function undo() {
    edits = {};
    call('web_explore_undo', null);
    if (chosen) chooseNow(chosen);
    said.textContent = 'Every change is undone.';
  }

  // Opening holds the frame as the program stands: its calls recorded
  // while display runs once; the animation waits, and no input reaches the
  // program until the explorer closes.
  function openExplorer() {
    if (open) return;
    open = true;
    var count = call('web_explore_open', 'number');
    rows = JSON.parse(call('web_explore_rows', 'string'));
    edits = {};
    build();
    panel.hidden = false;
    document.getElementById('stage').classList.add('exploring');
    control.setAttribute('aria-expanded', 'true');
    said.textContent = 'The frame is held: ' + count + ' calls.';
    Page.pixel.open(true);
    var last = tree.querySelector('[data-call="' + (rows.length - 1) + '"]');
    if (last) chooseNow(last);
    focus(tree.querySelector('[role=treeitem]'), true);
  }

  // Closing gives the program back as it was: its variables, its picture,
  // the keys.
  function close() {
    if (!open) return;
    open = false;
    call('web_explore_close', null);
    panel.hidden = true;
    chosen = null;
    Page.pixel.open(false);
    document.getElementById('stage').classList.remove('exploring');
    control.setAttribute('aria-expanded', 'false');
    control.focus();
    Page.view.hold('');
  }

  // The item and the edits that the address's fields name in the frame just
  // recorded, or null where any cannot be read.
  function readFields(given) {
    var item = null, found = {}, whole = /^\d{1,9}$/, pixel = null;
    var ok = given.every(function (field) {
      var value = field.slice(field.indexOf('=') + 1), part = value.split(',');
      if (/^pixel=/.test(field)) {
        pixel = part.map(Number);
        return pixel.length === 2 && part.every(function (p) { return whole.test(p); }) &&
          pixel[0] < canvas.width && pixel[1] < canvas.height;
      }
      if (/^call=/.test(field) || /^group=/.test(field)) {
        if (item || !whole.test(value)) return false;
        item = /^call/.test(field) ? tree.querySelector('[data-call="' + Number(value) + '"]')
          : tree.querySelectorAll('[data-routine]')[Number(value)];
        return !!item;
      }
      if (part.length !== 4 || !part.slice(0, 3).every(function (p) { return whole.test(p); }) ||
          part[3] === '' || !isFinite(Number(part[3]))) return false;
      var row = rows[Number(part[0])], arg = row && row.args[Number(part[1])], k = Number(part[2]);
      if (!arg || !(/^(float|double|int)$/.test(arg.kind) ? k === 0 : Array.isArray(arg.value) && k < arg.value.length)) {
        return false;
      }
      found[part.slice(0, 3).join(':')] = String(drawable(arg, Number(part[3]))[0]);
      return true;
    });
    return ok && item ? {item: item, edits: found, pixel: pixel} : null;
  }

  // A link to a held frame opens the explorer at its call with its edits,
  // before the program's first frame, so the picture is the one shared.
  // Inside a frame, where Explore is not offered, the notice links to the
  // full page at that frame instead.
  function start() {
    var given = Page.view.frame();
    if (!given.length) return;
    var notice = document.getElementById('notice');
    if (document.body.classList.contains('embed')) {
      Page.view.hold(given.join('&'));
      var link = document.createElement('a');
      link.href = Page.view.address();
      link.target = '_blank';
      link.textContent = 'Open it on the full page.';
      Page.view.say('This link holds a frame for the explorer, which this page does not show here.');
      notice.append(' ', link);
      return;
    }
    openExplorer();
    var found = readFields(given);
    if (!found) {
      close();
      document.getElementById('canvas').focus();
      Page.view.say('The frame in this address could not be read, so the explorer is closed.');
      return;
    }
    Object.keys(found.edits).forEach(function (key) {
      var at = key.split(':').map(Number);
      edits[key] = found.edits[key];
      call('web_explore_edit', null, [at[0], at[1], at[2], Number(found.edits[key])]);
    });
    if (found.pixel) Page.pixel.open(true, found.pixel);
    focus(found.item);
    chooseNow(found.item);
  }

  // The row of call `index` chosen, as a click on it chooses it.
  function chooseCall(index) {
    var item = tree.querySelector('[data-call="' + index + '"]');
    if (!item) return;
    for (var up = item.parentElement.closest('[role=treeitem]'); up; up = up.parentElement.closest('[role=treeitem]')) {
      up.setAttribute('aria-expanded', 'true');
    }
    focus(item);
    chooseNow(item);
  }

  function attach() {
    control.addEventListener('click', function () { if (open) close(); else openExplorer(); });
    tree.addEventListener('keydown', treeKey);
    tree.addEventListener('click', function (e) {
      var item = e.target.closest('[role=treeitem]');
      if (!item) return;
      if (item.dataset.routine !== undefined && e.target.classList.contains('routine')) {
        item.setAttribute('aria-expanded', item.getAttribute('aria-expanded') === 'true' ? 'false' : 'true');
      }
      focus(item);
      chooseNow(item);
    });
    panel.addEventListener('keydown', function (e) {
      if (e.key === 'Escape') {
        e.preventDefault();
        close();
      }
    });
    document.querySelector('[data-explorer="copy"]').addEventListener('click', copy);
    document.querySelector('[data-explorer="undo"]').addEventListener('click', undo);
    document.querySelector('[data-explorer="close"]').addEventListener('click', close);
  }

  attach();
  return {start: start, choose: chooseCall, call: call};
})();
