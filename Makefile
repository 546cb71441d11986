# The one entry point: `make test` installs what is missing, builds and runs every test.
PRESET ?= default
BUILD  := build/$(PRESET)

.PHONY: all deps configure build test bench clean

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

bench: build
	$(BUILD)/tests/rk7-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

clean:
	rm -rf build
