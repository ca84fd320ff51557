#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
"""Checks that README.md and docs/*.md name only what the tree holds.

    check_docs.py [ROOT]    ROOT defaults to the tree this file is in

Each complaint names the file and line: a relative link that leads nowhere,
a path in backticks under a top-level file or folder that names nothing, a
scripts/NAME that is not there, a `make TARGET` the Makefile lacks. The files
are those git tracks, or in an unpacked tarball those on disk less build*/
and node_modules. It first checks itself on planted documents.
"""
import fnmatch
import glob
import os
import posixpath
import re
import subprocess
import sys
import urllib.parse

FENCE = re.compile(r"^ {0,3}(`{3,}|~{3,})")
SPAN = re.compile(r"(?<!`)(`+)(?!`)(.+?)(?<!`)\1(?!`)", re.S)
LINK = re.compile(r"\]\(\s*<?([^()\s<>]*)>?(?:\s+(?:\"[^\"]*\"|'[^']*'))?\s*\)")
REFERENCE = re.compile(r"^ {0,3}\[[^\]]+\]:\s*<?([^\s>]+)", re.M)
SCRIPT = re.compile(r"(?<![\w./-])scripts/([A-Za-z0-9_][\w.-]*)")
MAKE = re.compile(r"(?<![\w-])make[ \t]+([A-Za-z0-9_][\w.-]*)")
PLACEHOLDER = re.compile(r"<[^<>/]+>|(?<![^/])[A-Z][A-Z0-9_]+(?![^/])")
TRAILING = ".,;:!?)'\""


class Tree:
    def __init__(self, files, makefile="", root=None):
        self.root = root
        self.files = set(files)
        self.dirs = {posixpath.dirname(f) for f in self.files}
        for d in list(self.dirs):
            while d:
                d = posixpath.dirname(d)
                self.dirs.add(d)
        self.dirs.discard("")
        self.top = {f.split("/")[0] for f in self.files}
        self.paths = "\n".join(sorted(self.files))
        self.targets = set()
        for line in makefile.splitlines():
            m = re.match(r"([^\t\s#=:][^#=:]*?)\s*::?(?!=)", line)
            if m:
                self.targets.update(m.group(1).split())
        self.targets.discard(".PHONY")

    def names(self, path, wildcards=False):
        """True when path is a tracked file, or a folder holding one. With
        wildcards, globs and placeholders match anything: <version>, or a
        capitalised word that is a whole part of the path and that no
        tracked path contains (NAME, but not the NOPE of NOPE.cpp)."""
        path = path.rstrip("/")
        if path in self.files or path in self.dirs:
            return True
        if not wildcards:
            return False
        pattern = PLACEHOLDER.sub(
            lambda m: m.group(0) if m.group(0) in self.paths else "*", path)
        if not any(c in pattern for c in "*?["):
            return False
        return any(fnmatch.fnmatchcase(p, pattern) for p in self.files | self.dirs)

    def lacks(self, path):
        """What is wrong with a path that names nothing tracked (root is
        given only when git tracks the files)."""
        if self.root and os.path.exists(os.path.join(self.root, path)):
            return "is on disk but not tracked by git"
        return "names nothing in the tree"


def tracked(root):
    """The tree's files, and whether git tracks them."""
    try:
        top = subprocess.run(["git", "-C", root, "rev-parse", "--show-toplevel"],
                             capture_output=True, text=True, check=True).stdout.strip()
        if os.path.realpath(top) == os.path.realpath(root):
            out = subprocess.run(["git", "-C", root, "ls-files", "-z"],
                                 capture_output=True, text=True, check=True).stdout
            return [f for f in out.split("\0") if f], True
    except (OSError, subprocess.CalledProcessError):
        pass
    files = []
    for folder, subs, names in os.walk(root):
        rel = os.path.relpath(folder, root)
        subs[:] = [s for s in subs if s not in (".git", "node_modules")
                   and not (rel == "." and s.startswith("build"))]
        files += [posixpath.normpath(posixpath.join(rel, n)) for n in names]
    return files, False


def check_link(doc, target, tree):
    if re.match(r"(https?|mailto):", target) or target.startswith("#") or not target:
        return None
    path = urllib.parse.unquote(target.split("#")[0].split("?")[0])
    base = "" if path.startswith("/") else posixpath.dirname(doc)
    full = posixpath.normpath(posixpath.join(base, path.lstrip("/")))
    if full.startswith(".."):
        return full, "link to %s leads out of the tree" % target
    if not tree.names(full):
        return full, "link to %s: %s %s" % (target, full, tree.lacks(full))
    return None


def check_span(span, tree):
    if not span.strip():
        return None
    word = span.split()[0].replace("\\", "/").rstrip(TRAILING)
    if word.startswith("./"):
        word = word[2:]
    if word.split("/")[0] not in tree.top or tree.names(word, wildcards=True):
        return None
    return word, "`%s` %s" % (word, tree.lacks(word))


def check_text(doc, text, tree):
    """[(line, message)] for one document; doc is its path in the tree."""
    found, seen = [], set()

    def complain(number, result):
        if result and (number, result[0]) not in seen:
            seen.add((number, result[0]))
            found.append((number, result[1]))

    def check_make(number, code):
        for target in MAKE.findall(code):
            if target not in tree.targets:
                complain(number, ("make " + target, "the Makefile has no target %s" % target))

    # Code spans and links may run on over a line's end, not past a blank line.
    def check_paragraph(first, lines):
        text = "\n".join(lines)
        line_of = lambda at: first + text.count("\n", 0, at)
        for m in SPAN.finditer(text):
            code = " ".join(m.group(2).split())
            complain(line_of(m.start()), check_span(code, tree))
            check_make(line_of(m.start()), code)
        prose = SPAN.sub(lambda m: re.sub(r"[^\n]", " ", m.group(0)), text)
        for m in list(LINK.finditer(prose)) + list(REFERENCE.finditer(prose)):
            complain(line_of(m.start(1)), check_link(doc, m.group(1), tree))

    fence, paragraph, first = None, [], 1
    for number, line in enumerate(text.splitlines(), 1):
        for m in SCRIPT.finditer(line):
            path = "scripts/" + m.group(1).rstrip(".-")
            if not tree.names(path, wildcards=True):
                complain(number, (path, "%s %s" % (path, tree.lacks(path))))
        opening = FENCE.match(line)
        if fence:
            if opening and opening.group(1)[0] == fence[0] and len(opening.group(1)) >= len(fence):
                fence = None
            else:
                check_make(number, line)
        elif opening or not line.strip():
            check_paragraph(first, paragraph)
            paragraph, fence = [], opening and opening.group(1)
        else:
            first = first if paragraph else number
            paragraph.append(line)
    check_paragraph(first, paragraph)
    return sorted(found, key=lambda f: f[0])


# Planted documents, each with one fault the checker must name.
PLANTED = [
    ("docs/A.md", "See [the map](../viewer/none.md#top).", "../viewer/none.md"),
    ("docs/A.md", "![shot](shot.png)", "shot.png"),
    ("README.md", "[ref]: docs/gone.md", "docs/gone.md"),
    ("README.md", "In `viewer/nothing.cpp`, and `viewer/` too.", "viewer/nothing.cpp"),
    ("README.md", "Run `viewer/cam.cpp --fast`; not `build/bin/`.", "viewer/cam.cpp"),
    ("README.md", "Pictures in `img\\sub\\`.", "img/sub/"),
    ("README.md", "Either `viewer/*.h` or `viewer/NOPE.cpp`.", "viewer/NOPE.cpp"),
    ("README.md", "Then scripts/nothing runs.", "scripts/nothing"),
    ("README.md", "```sh\nscripts/run\nscripts/gone  # not there\n```", "scripts/gone"),
    ("README.md", "Try `make tests`; make the bed.", "tests"),
    ("README.md", "Type `apt install\nfoo`, then `viewer/gone.h`.", "viewer/gone.h"),
    ("README.md", "[a link\nover lines](\n../none.md)", "../none.md"),
    ("README.md", "```\nmake run\nmake nothing\n```", "nothing"),
]
PLANTED_TREE = Tree(["README.md", "docs/A.md", "viewer/camera.cpp", "viewer/keys.h",
                     "img/wall.tga", "scripts/run", "Makefile"],
                    ".PHONY: run\nrun: all\n\tscripts/run\n")
PLANTED_CLEAN = ("[map](../viewer/) [top](#top) [web](https://x.org/a) `viewer/camera.cpp:`\n"
                 "`viewer/*.cpp` `viewer/NAME` `img\\` `scripts/<name>` scripts/run `make run`\n"
                 "`build/bin/roomtour` `make` make the bed\n```sh\nmake run  # or make\n```")


def self_check():
    wrong = []
    for doc, text, subject in PLANTED:
        got = check_text(doc, text, PLANTED_TREE)
        if len(got) != 1 or subject not in got[0][1]:
            wrong.append("planted %r gave %r, wanted one complaint about %s" % (text, got, subject))
    got = check_text("docs/A.md", PLANTED_CLEAN, PLANTED_TREE)
    if got:
        wrong.append("planted clean text gave %r" % got)
    return wrong


def main(argv):
    wrong = self_check()
    for w in wrong:
        print("check_docs.py: self-check: " + w)
    root = argv[1] if len(argv) > 1 else os.path.dirname(os.path.dirname(
        os.path.dirname(os.path.abspath(__file__))))
    makefile = os.path.join(root, "Makefile")
    files, git = tracked(root)
    tree = Tree(files, open(makefile, encoding="utf-8").read()
                if os.path.exists(makefile) else "", root if git else None)
    docs = ["README.md"] + sorted(
        posixpath.join("docs", os.path.basename(p)) for p in glob.glob(os.path.join(root, "docs", "*.md")))
    count = 0
    for doc in docs:
        try:
            with open(os.path.join(root, doc), encoding="utf-8") as f:
                complaints = check_text(doc, f.read(), tree)
        except (OSError, UnicodeError) as e:
            complaints = [(1, "cannot be read as UTF-8 text: %s" % e)]
        for number, message in complaints:
            print("%s:%d: %s" % (doc, number, message))
            count += 1
    if count:
        print("%d complaint%s in %s" % (count, "" if count == 1 else "s", " ".join(docs)))
    return 1 if count or wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
