# Everything a person needs, from a fresh Debian 12 machine:
#   make run    install what is missing, build the editor alone, open it on the bundled sample
#               catalog
#   make test   install what is missing, build, run every test
#   make bench  the catalog and window benchmarks and the whole editor against vim (figures
#               only; nothing is asserted), ending with a one-line summary
#   make package  the Debian package build/velmora_VERSION_ARCH.deb, built in build/package from
#               what the package holds only (no test, no benchmark)
#   make windows  Velmora for 64-bit Windows, cross-built in build/windows: a zip to unpack and
#               run, and a per-user installer (the first run builds Qt for Windows: 35 minutes)

BUILD ?= build
PACKAGE_BUILD ?= $(BUILD)/package
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build run test bench package windows clean

all: build

deps:
	@scripts/install-deps

# A build folder configured for another source folder (a copied or moved checkout) would stop
# cmake: everything cmake made there is dropped, so that it is configured afresh.
define fresh-build-folder
	@if [ -f $(1)/CMakeCache.txt ] && ! { \
	     grep -qxF 'CMAKE_HOME_DIRECTORY:INTERNAL=$(CURDIR)' $(1)/CMakeCache.txt \
	     && grep -qxF 'CMAKE_CACHEFILE_DIR:INTERNAL=$(abspath $(1))' $(1)/CMakeCache.txt; }; then \
		echo "$(1) was configured for another folder: configuring it afresh"; \
		find $(1) \( -name CMakeCache.txt -o -name CMakeFiles \) -prune -exec rm -rf {} +; \
	fi
endef

configure: deps
	$(call fresh-build-folder,$(BUILD))
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVELMORA_UI=ON -DVELMORA_TESTS=ON \
		-DVELMORA_BENCH=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the editor: the tests and benchmarks would keep a first start from a fresh clone waiting.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target velmora
	@scripts/run-sample $(BUILD)/velmora

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# A benchmark that fails fails make bench, though its output goes through tee.
bench: SHELL := /bin/bash
bench: .SHELLFLAGS := -o pipefail -c
bench: build
	@scripts/install-deps --bench
	@{ $(BUILD)/bench/velmora_catalog_bench && $(BUILD)/bench/velmora_window_bench \
		&& bench/first-load $(BUILD) && bench/whole-program $(BUILD); } | tee $(BUILD)/bench.txt
	@bench/summary < $(BUILD)/bench.txt

# A build folder of its own, without tests or benchmarks, so that the package builds only what it
# holds and leaves the test build as it is; with Debian's hardening flags.
package: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
package:
	@scripts/install-deps --package
	$(call fresh-build-folder,$(PACKAGE_BUILD))
	@cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DVELMORA_UI=ON \
		-DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF \
		-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	@cd $(PACKAGE_BUILD) && cpack -G DEB >/dev/null
	@mv $(PACKAGE_BUILD)/velmora_*.deb $(BUILD)/
	@ls $(BUILD)/velmora_*.deb

# Installs what is missing itself (the cross compiler, NSIS, Wine), builds Qt for Windows into
# ~/.cache/velmora when it is not there yet, then the zip and the installer.
windows:
	@CMAKE_FLAGS="$(CMAKE_FLAGS)" JOBS="$(JOBS)" windows/build

clean:
	rm -rf $(BUILD)
