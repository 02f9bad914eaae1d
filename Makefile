# Everything a person needs, from a fresh Debian 12 machine:
#   make run    install what is missing, build, open the editor on the bundled sample catalog
#   make test   install what is missing, build, run every test
#   make bench  the catalog and window benchmarks and the whole editor against vim (figures
#               only; nothing is asserted), ending with a one-line summary
#   make package  the Debian package build/velmora_VERSION_ARCH.deb

BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build run test bench package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVELMORA_UI=ON -DVELMORA_TESTS=ON \
		-DVELMORA_BENCH=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-sample $(BUILD)/velmora

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	@scripts/install-deps --bench
	@{ $(BUILD)/bench/velmora_catalog_bench && $(BUILD)/bench/velmora_window_bench \
		&& bench/first-load $(BUILD) && bench/whole-program $(BUILD); } | tee $(BUILD)/bench.txt
	@bench/summary < $(BUILD)/bench.txt

package: build
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
