# A thin front door over scripts/ and CMake.
.PHONY: all run run-planets test clean

all:
	scripts/build

run:
	scripts/run roomtour

run-planets:
	scripts/run planets

test:
	scripts/test

clean:
	rm -rf build build-*
