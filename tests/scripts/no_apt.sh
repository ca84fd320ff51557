#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
# On a machine without apt-get and dpkg-query, scripts/run and scripts/test
# must stop at once with the message that says what to install and how to
# build by hand, not with "command not found" halfway through.
#
#   tests/scripts/no_apt.sh <project folder>
set -euo pipefail
project=$1
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
# Only what the scripts need before they would install anything.
for command in env bash dirname; do
  ln -s "$(command -v "$command")" "$bin/$command"
done

failed=0
for script in run test; do
  status=0
  out=$(cd "$project" && PATH=$bin "scripts/$script" 2>&1) || status=$?
  if [ "$status" -ne 1 ]; then
    echo "scripts/$script exited with $status, not 1: $out"
    failed=1
  fi
  for wanted in "no apt-get or dpkg-query" "C++17 compiler" CMake "Ninja or make" OpenGL GLU freeglut \
    GoogleTest "cmake -S . -B build" "cmake --build build" build/bin/roomtour ctest; do
    if [[ $out != *"$wanted"* ]]; then
      echo "scripts/$script does not say \"$wanted\": $out"
      failed=1
    fi
  done
  if [[ $out == *"not found"* ]]; then
    echo "scripts/$script ran a missing command: $out"
    failed=1
  fi
done
exit $failed
