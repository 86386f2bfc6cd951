# make demo   build, run the demo application under Wine, write build/demo.png
# make test   build both targets, check the export table, run every test
# make bench  run the benchmarks under Wine
# make fuzz   build the libFuzzer targets of the core with clang and run each for a minute
#             (FUZZ_SECONDS=n: n seconds each)
SHELL := /bin/bash
BUILD := build
GEN := -G Ninja

.PHONY: all setup i686 x64 native demo test bench fuzz clean

all: i686 x64

setup:
	@tools/setup

i686: setup
	cmake -S . -B $(BUILD)/i686 $(GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)/i686

x64: setup
	cmake -S . -B $(BUILD)/x64 $(GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-mingw.cmake
	cmake --build $(BUILD)/x64

native: setup
	cmake -S . -B $(BUILD)/native $(GEN) -DZEB_SANITIZE=ON
	cmake --build $(BUILD)/native

demo: i686 x64
	tools/demo

test: i686 x64 native
	tools/run-tests

fuzz: setup
	tools/fuzz $(FUZZ_SECONDS)

bench: x64
	tools/bench

clean:
	rm -rf $(BUILD)
