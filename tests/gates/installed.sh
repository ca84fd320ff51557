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
out=$1
mkdir -p "$out"

# shoot NAME still|drawn COMMAND...: runs the command and saves its 500 x 500
# window at (100, 100) as OUT/NAME.png and its output as OUT/NAME.txt. The
# picture is kept once two in a row agree (still: roomtour's fan is out of
# view at the start) or once it is not black (drawn: planets never stands
# still), polling for up to a minute.
shoot() {
  local name=$1 until=$2 pid previous='' current
  shift 2
  "$@" >"$out/$name.txt" 2>&1 &
  pid=$!
  for _ in $(seq 300); do
    sleep 0.2
    kill -0 "$pid" 2>/dev/null || break
    import -window root -crop 500x500+100+100 +repage "$out/$name.png" 2>/dev/null || continue
    if [ "$until" = drawn ]; then
      [ "$(convert "$out/$name.png" -format '%[fx:maxima>0.5]' info:)" = 1 ] && break
    else
      current=$(md5sum <"$out/$name.png")
      [ "$current" = "$previous" ] && break
      previous=$current
    fi
  done
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "$name: the program ended early:" >&2
    cat "$out/$name.txt" >&2
    return 1
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

entry=$(ls /usr/share/applications/*-roomtour.desktop)
exec_line=$(sed -n 's/^Exec=//p' "$entry")
path=$(sed -n 's/^Path=//p' "$entry")
echo "menu entry $entry: Exec=$exec_line${path:+, Path=$path}"
cd "${path:-$HOME}"
# Exec lines here are a command and no field codes.
shoot roomtour-menu still $exec_line
cd "$HOME"
shoot roomtour-command still roomtour
shoot planets-command drawn planets
