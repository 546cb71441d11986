# The one entry point: `make test` installs what is missing, builds and runs every test.
PRESET ?= default
BUILD  := build/$(PRESET)

.PHONY: all deps configure build test bench startup run clean

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

bench: build
	$(BUILD)/tests/rk7-bench $(BENCH_FLAGS)
	$(BUILD)/tests/rk7-gui-bench $(BENCH_FLAGS)

# Start-up to the first painted frame, next to an empty QMainWindow (docs/PERFORMANCE.md).
startup: build
	BUILD=$(abspath $(BUILD)) scripts/measure-startup.sh

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No display to show RK7 Power on."; \
		echo "Run it under a virtual display:  xvfb-run -a $(BUILD)/rk7power"; \
		echo "or use the command-line tool:    $(BUILD)/rk7power-cli --help"; \
		exit 1; \
	fi
	$(BUILD)/rk7power

clean:
	rm -rf build
