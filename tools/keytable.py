#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""Everything that lists the keys and the menu, made from viewer/keys.tsv.

    keytable.py html-help PROGRAM      the page's help rows
    keytable.py html-controls PROGRAM  the page's on-screen controls
    keytable.py html-summary PROGRAM   the front page's line of keys
    keytable.py html-pad PROGRAM       the front page's line of gamepad controls
    keytable.py json-pad PROGRAM       the page's gamepad mapping, as JSON
    keytable.py json-checks PROGRAM    the menu entries that are check boxes, as JSON
    keytable.py text                   both programs' keys and menu as plain text
    keytable.py check                  the README, docs/PAGES.md, manual pages and main.cpp headers agree
    keytable.py write                  rewrites those blocks from the table

The blocks in the README, the manual pages and the main.cpp headers start
after a line that names viewer/keys.tsv and end before a line that says
"end of keys" (in main.cpp: before the first line that is not a comment);
the gamepad's block (in docs/PAGES.md) starts after a line that names viewer/keys.tsv
and "gamepad", and ends before one that says "end of gamepad".
"""
import html
import json
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE = os.path.join(ROOT, "viewer", "keys.tsv")
PROGRAMS = ("roomtour", "planets")


# The gamepad's controls in the browser's standard mapping: an axis (and
# which way, -1 being up or left) or a button.
STANDARD = {
    "left stick left": ("axis", 0, -1), "left stick right": ("axis", 0, 1),
    "left stick up": ("axis", 1, -1), "left stick down": ("axis", 1, 1),
    "right stick left": ("axis", 2, -1), "right stick right": ("axis", 2, 1),
    "right stick up": ("axis", 3, -1), "right stick down": ("axis", 3, 1),
    "A": ("button", 0, 0), "B": ("button", 1, 0),
    "left shoulder": ("button", 4, 0), "right shoulder": ("button", 5, 0),
    "Start": ("button", 9, 0),
    "d-pad up": ("button", 12, 0), "d-pad down": ("button", 13, 0),
    "d-pad left": ("button", 14, 0), "d-pad right": ("button", 15, 0),
}
# What a pad row does to the menu, rather than press a key.
MENU_ACTIONS = {
    "menu": "opens the menu",
    "menu up": "with the menu open: the entry above",
    "menu down": "with the menu open: the entry below",
    "menu choose": "with the menu open: chooses the entry",
    "menu close": "with the menu open: closes the menu",
}


def read_table(path=TABLE):
    """The key rows, the menu entries and the gamepad rows, each a dict, in
    the table's order."""
    keys, entries, pads = [], [], []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            cells = line.split("\t")
            where = "%s:%d" % (path, number)
            if cells[0] == "key" and 6 <= len(cells) <= 7:
                _, programs, code, does, label, place = cells[:6]
                area, slot = place.split()
                keys.append(dict(programs=programs, code=code, does=does, label=label,
                                 area=area, slot=int(slot),
                                 note=cells[6] if len(cells) == 7 else ""))
            elif cells[0] == "entry" and 4 <= len(cells) <= 5:
                entries.append(dict(programs=cells[1], label=cells[2], does=cells[3],
                                    checks=cells[4] if len(cells) == 5 else ""))
            elif cells[0] == "pad" and len(cells) == 4:
                if cells[2] not in STANDARD:
                    raise SystemExit("%s: the standard mapping has no %r" % (where, cells[2]))
                if len(cells[3]) != 1 and cells[3] not in MENU_ACTIONS:
                    raise SystemExit("%s: a pad row sends one key or acts on the menu" % where)
                pads.append(dict(programs=cells[1], control=cells[2], action=cells[3]))
            else:
                raise SystemExit("%s: a row is 'key' with 6 or 7 cells, 'entry' with 4 or 5, 'pad' with 4"
                                 % where)
            if cells[1] not in PROGRAMS + ("both",):
                raise SystemExit("%s: programs is roomtour, planets or both" % where)
    return keys, entries, pads


KEYS, ENTRIES, PADS = read_table()


def takes(row, program):
    return row["programs"] in ("both", program)


def note_for(row, program):
    """The row's note as it applies to the program, or ''."""
    note = row["note"]
    for other in PROGRAMS:
        if note.startswith(other + ": "):
            return note[len(other) + 2:] if other == program else ""
    return note


def merge(first, second):
    """'tilt the view down', 'tilt the view up' -> 'tilt the view down / up'."""
    a, b = first.split(), second.split()
    head = 0
    while head < min(len(a), len(b)) - 1 and a[head] == b[head]:
        head += 1
    tail = 0
    while tail < min(len(a), len(b)) - head - 1 and a[-1 - tail] == b[-1 - tail]:
        tail += 1
    middle = " ".join(a[head:len(a) - tail]) + " / " + " ".join(b[head:len(b) - tail])
    return " ".join(a[:head] + [middle] + a[len(a) - tail:])


def pairs(program=None):
    """(keys, what they do, the first key's row) for each pair of keys,
    for one program or, with None, for either."""
    rows = [row for row in KEYS if row["code"] != "menu"
            and (program is None or takes(row, program))]
    return [("%s / %s" % (a["code"].upper(), b["code"].upper()), merge(a["does"], b["does"]), a)
            for a, b in zip(rows[::2], rows[1::2])]


def menu_labels(program):
    return [entry["label"] for entry in ENTRIES if takes(entry, program)]


def with_note(text, note, form):
    if not note:
        return text
    return text + (" (%s)" % note if form == "brackets" else ", " + note)


# The page.

def html_help(program):
    rows = ["<tr><td>%s</td><td>%s</td></tr>" % (html.escape(keys), html.escape(
        with_note(does, note_for(row, program), "comma"))) for keys, does, row in pairs(program)]
    rows.append("<tr><td>right button</td><td>menu: %s</td></tr>"
                % html.escape(", ".join(menu_labels(program))))
    return "\n".join(rows)


def html_controls(program):
    """A pad of buttons for each area, in the order the table first names
    the areas, each slot in its place; an empty slot keeps the grid."""
    areas = {}
    for row in KEYS:
        if takes(row, program):
            areas.setdefault(row["area"], {})[row["slot"]] = row
    out = []
    for area, slots in areas.items():
        out.append('<div class="%s">' % ("steps" if area == "steps" else "pad"))
        for slot in range(1, max(slots) + 1):
            row = slots.get(slot)
            if row is None:
                out.append("<span></span>")
                continue
            # A key's name starts with what the control shows (its key and
            # label), as a person using speech input says it, then what it does.
            if row["code"] == "menu":
                mark = ('data-menu id="menu-button" aria-haspopup="menu" aria-expanded="false" '
                        'aria-controls="menu"')
                face, name = "&#9776;", row["does"]
            else:
                mark = 'data-key="%s"' % html.escape(row["code"])
                face = html.escape(row["code"].upper())
                name = "%s %s" % (row["code"].upper(), row["label"])
                if row["label"] != row["does"]:
                    name += ": " + row["does"]
            out.append('<button type="button" %s aria-label="%s">%s <small>%s</small></button>'
                       % (mark, html.escape(name), face, html.escape(row["label"])))
        out.append("</div>")
    return "\n".join(out)


def html_summary(program):
    return "; ".join("<kbd>%s</kbd> %s" % (html.escape(keys), html.escape(does))
                     for keys, does, _ in pairs(program))


def pad_does(run):
    """What a run of pad rows does: its keys, or what it does to the menu."""
    return MENU_ACTIONS.get(run[0]["action"]) or " / ".join(r["action"].upper() for r in run)


def html_pad(program):
    return "; ".join("<kbd>%s</kbd> %s" % (html.escape(controls), html.escape(pad_does(run)))
                     for controls, run in pad_lines() if takes(run[0], program))


def json_pad(program):
    """[kind, index, sign, action] for each of the program's gamepad rows."""
    return json.dumps([list(STANDARD[row["control"]]) + [row["action"]]
                       for row in PADS if takes(row, program)], ensure_ascii=True)


def json_checks(program):
    """{label: view field} for each of the program's menu entries that is a check box."""
    return json.dumps({entry["label"]: entry["checks"] for entry in ENTRIES
                       if takes(entry, program) and entry["checks"]}, ensure_ascii=True)


# Plain text, for a README.txt beside the programs.

def text():
    lines = ["Keys (letters in either case):", ""]
    for keys, does, row in pairs():
        only = "" if row["programs"] == "both" else "  (%s only)" % row["programs"]
        notes = [(p, note_for(row, p)) for p in PROGRAMS if takes(row, p) and note_for(row, p)]
        if len({n for _, n in notes}) == 1 and len(notes) == len([p for p in PROGRAMS if takes(row, p)]):
            does = with_note(does, notes[0][1], "brackets")
        else:
            does += "".join(" (%s: %s)" % note for note in notes)
        lines.append("  %-7s %s%s" % (keys, does, only))
    lines += ["", "Any other key does nothing. There is no quit key: close the window.", "",
              "The right mouse button opens the menu:", ""]
    for program in PROGRAMS:
        lines.append("  %s:" % program)
        for entry in ENTRIES:
            if takes(entry, program):
                lines.append('    "%s": %s' % (entry["label"], entry["does"]))
    return "\n".join(lines)


# The blocks of the README, docs/PAGES.md, the manual pages and the main.cpp headers.

def readme_block():
    lines = ["| Key | roomtour | planets |", "|---|---|---|"]
    for keys, does, row in pairs():
        cells = [with_note(does, note_for(row, p), "brackets") if takes(row, p) else "—"
                 for p in PROGRAMS]
        lines.append("| %s | %s |" % (keys, " | ".join(cells)))
    lines += ["", "The right mouse button opens the menu:", "",
              "| Entry | roomtour | planets |", "|---|---|---|"]
    for label in dict.fromkeys(entry["label"] for entry in ENTRIES):
        cells = [next((e["does"] for e in ENTRIES if e["label"] == label and takes(e, p)), "—")
                 for p in PROGRAMS]
        lines.append('| "%s" | %s |' % (label, " | ".join(cells)))
    return lines


def one_word_apart(a, b):
    a, b = a.split(), b.split()
    return len(a) == len(b) and sum(x != y for x, y in zip(a, b)) == 1


def pad_lines():
    """Runs of pad rows that send keys, for the same programs, whose
    controls differ in one word, as (controls, row of each); each row that
    acts on the menu a run of its own."""
    runs = []
    for row in PADS:
        last = runs[-1][-1] if runs else None
        if (last and row["action"] not in MENU_ACTIONS and last["action"] not in MENU_ACTIONS
                and row["programs"] == last["programs"]
                and one_word_apart(row["control"], last["control"])):
            runs[-1].append(row)
        else:
            runs.append([row])
    out = []
    for run in runs:
        words = [row["control"].split() for row in run]
        at = next((i for i in range(len(words[0])) if len({w[i] for w in words}) > 1), 0)
        controls = " ".join(words[0][:at] + [" / ".join(w[at] for w in words)] + words[0][at + 1:])
        out.append((controls, run))
    return out


def pad_block():
    lines = ["| Gamepad | roomtour | planets |", "|---|---|---|"]
    for controls, run in pad_lines():
        cells = [pad_does(run) if takes(run[0], p) else "—" for p in PROGRAMS]
        lines.append("| %s | %s |" % (controls, " | ".join(cells)))
    return lines


def man_block(program):
    lines = []
    for keys, does, row in pairs(program):
        first, second = keys.split(" / ")
        does = with_note(does, note_for(row, program), "comma")
        lines += [".TP", '.BR %s " / " %s' % (first, second), does[0].upper() + does[1:] + "."]
    return lines


def comment_block(program):
    lines = ["//   %-7s %s" % (keys, with_note(does, note_for(row, program), "comma"))
             for keys, does, row in pairs(program)]
    lead = "//   right mouse button: "
    line = lead
    for label in menu_labels(program):
        if line not in (lead, " " * len(lead)):
            if len(line) + len(label) + 4 > 80:
                lines.append(line + ",")
                line = "//" + " " * (len(lead) - 2)
            else:
                line += ", "
        line += '"%s"' % label
    return lines + [line]


def blocks():
    """(file, block) for every file that holds the keys."""
    out = [("README.md", readme_block()), ("docs/PAGES.md", pad_block())]
    for program in PROGRAMS:
        out.append(("dist/%s.6.in" % program, man_block(program)))
        out.append(("%s/main.cpp" % program, comment_block(program)))
    return out


def find_block(lines, path, gamepad):
    """The first and last-but-one index of the block (the gamepad's, or the
    keys') in the file's lines."""
    start = next((i + 1 for i, line in enumerate(lines)
                  if "viewer/keys.tsv" in line and ("gamepad" in line) == gamepad), None)
    if start is None:
        raise SystemExit("%s: no line names viewer/keys.tsv%s, so the %s cannot be found"
                         % (path, " and gamepad" if gamepad else "",
                            "gamepad" if gamepad else "keys"))
    end = start
    ending = "end of gamepad" if gamepad else "end of keys"
    while end < len(lines) and not (ending in lines[end] if not path.endswith(".cpp")
                                    else not lines[end].startswith("//")):
        end += 1
    return start, end


def check(write=False):
    differ = 0
    for path, block in blocks():
        full = os.path.join(ROOT, path)
        with open(full, encoding="utf-8") as f:
            lines = f.read().split("\n")
        start, end = find_block(lines, path, block[0].startswith("| Gamepad"))
        if lines[start:end] == block:
            continue
        if write:
            lines[start:end] = block
            with open(full, "w", encoding="utf-8") as f:
                f.write("\n".join(lines))
            print("rewrote the keys in %s" % path)
            continue
        differ += 1
        have = lines[start:end]
        at = next((i for i in range(max(len(have), len(block)))
                   if i >= len(have) or i >= len(block) or have[i] != block[i]))
        print("%s:%d: the keys differ from viewer/keys.tsv" % (path, start + at + 1))
        print("  has:    %s" % (have[at] if at < len(have) else "(nothing)"))
        print("  wanted: %s" % (block[at] if at < len(block) else "(nothing)"))
    if differ:
        print("run tools/keytable.py write to make them agree")
    return 1 if differ else 0


def main(argv):
    makers = {"html-help": html_help, "html-controls": html_controls, "html-summary": html_summary,
              "html-pad": html_pad, "json-pad": json_pad, "json-checks": json_checks}
    if len(argv) == 3 and argv[1] in makers and argv[2] in PROGRAMS:
        sys.stdout.write(makers[argv[1]](argv[2]) + "\n")
        return 0
    if argv[1:] == ["text"]:
        sys.stdout.write(text() + "\n")
        return 0
    if argv[1:] in (["check"], ["write"]):
        return check(write=argv[1] == "write")
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
