# SPDX-FileCopyrightText: 2026 the roomtour-planets authors
# SPDX-License-Identifier: MIT
# A thin front door over scripts/ and CMake.
.PHONY: all run run-planets test sanitize fuzz memcheck soak bench screenshots textures keys windows clean

all:
	scripts/build

run:
	scripts/run roomtour

run-planets:
	scripts/run planets

test:
	scripts/test

sanitize:
	scripts/sanitize

fuzz:
	scripts/fuzz

memcheck:
	scripts/memcheck

soak:
	scripts/soak

bench:
	scripts/bench

screenshots:
	scripts/screenshots

# The zip for Windows, cross-built: build-windows/roomtour-planets-<version>-windows-x86_64.zip
windows:
	scripts/windows

# Rewrites img/ from tools/make_textures.cpp (the tests check the two agree).
textures: all
	build/tools/make_textures img

# Rewrites the keys in the README, docs/PAGES.md, the manual pages and main.cpp
# from viewer/keys.tsv (a test checks that they agree).
keys:
	tools/keytable.py write

clean:
	rm -rf build build-*
