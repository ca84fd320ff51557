#!/bin/bash
# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
# Starts the installed programs as a user would, one after another on the
# Xvfb that with-xvfb runs this under, from an empty home folder: roomtour as
# its menu entry starts it (the entry's Exec line, in the entry's working
# directory or the home folder) and both as bare commands. Saves each picture
# and what each printed in OUT.
#
#   with-xvfb -s 800x700x24 installed.sh OUT
set -euo pipefail
mkdir -p "$1"
out=$(cd "$1" && pwd)

# The picture helper lies beside this script where the fresh-machine gate
# copies them both, and in scripts/ in the project.
helper=$(cd "$(dirname "$0")" && pwd)/shoot
[ -x "$helper" ] || helper=$(cd "$(dirname "$0")/../../scripts" && pwd)/shoot

# shoot NAME still|drawn TITLE COMMAND...: runs the command and saves its
# window as OUT/NAME.png and its output as OUT/NAME.txt. The picture is kept
# once two in a row agree (still: roomtour's fan is out of view at the start)
# or once it is not black (drawn: planets never stands still).
shoot() {
  local name=$1 until=$2 title=$3
  shift 3
  "$helper" -u "$until" -o "$out/$name.txt" "$out/$name.png" "$title" "$@"
}

entry=$(ls /usr/share/applications/*-roomtour.desktop)
exec_line=$(sed -n 's/^Exec=//p' "$entry")
path=$(sed -n 's/^Path=//p' "$entry")
echo "menu entry $entry: Exec=$exec_line${path:+, Path=$path}"
cd "${path:-$HOME}"
# Exec lines here are a command and no field codes.
shoot roomtour-menu still "HARQ514 Final Project" $exec_line
cd "$HOME"
shoot roomtour-command still "HARQ514 Final Project" roomtour
shoot planets-command drawn "Quibblerama!" planets
