# The one entry point: `make test` installs what is missing, builds and runs every test.
PRESET ?= default
BUILD  := build/$(PRESET)

# `make fuzz`: the libFuzzer targets of the core (clang, its own configuration in build/fuzz),
# each run for FUZZ_SECONDS; fails on any crash, leak, hang or sanitizer report.
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build test test-asan release bench package fuzz startup run clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake --preset $(PRESET)

configure: deps
	cmake --preset $(PRESET)

build: deps $(BUILD)/build.ninja
	cmake --build --preset $(PRESET)

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

BENCH_FLAGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan:
	@$(MAKE) --no-print-directory test PRESET=asan

# What a packager builds: CMAKE_BUILD_TYPE=Release (-O3), in build/release, with the tests built
# but not run; warnings stay errors, so that CI sees what GCC says only at -O3.
release:
	@$(MAKE) --no-print-directory build PRESET=release

# The Debian package, then a look inside it: its dependencies, its files, its programs run from
# a scratch root, and lintian, which must find no error and no warning.
package: build
	@scripts/install-deps.sh --package
	cd $(BUILD) && cpack
	scripts/check-package.sh "$$(ls -t $(BUILD)/rk7power_*.deb | head -n 1)"

bench: build
	$(BUILD)/tests/rk7-bench $(BENCH_FLAGS)
	$(BUILD)/tests/rk7-gui-bench $(BENCH_FLAGS)

# Start-up to the first painted frame, next to a window with one word in its status bar and an
# empty QMainWindow (docs/PERFORMANCE.md).
startup: build
	BUILD=$(abspath $(BUILD)) scripts/measure-startup.sh

fuzz:
	@scripts/install-deps.sh --fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz
	tests/fuzz/run_fuzz.sh build/fuzz $(FUZZ_SECONDS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No display to show RK7 Power on."; \
		echo "Run it under a virtual display:  xvfb-run -a $(BUILD)/rk7power --user-folder"; \
		echo "or use the command-line tool:    $(BUILD)/rk7power-cli --help"; \
		exit 1; \
	fi
	@# The per-user roster folder, as the desktop menu starts it: never the checkout itself,
	@# where the first OK would write store files into the source tree.
	$(BUILD)/rk7power --user-folder

clean:
	rm -rf build
