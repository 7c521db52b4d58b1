# Set-up and everyday commands. `make preview` and `make test` work on a fresh Debian machine:
# run as root they install what is missing with apt-get, then configure and build.
BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
BUILD_TYPE     ?= RelWithDebInfo
JOBS           ?= $(shell nproc 2>/dev/null || echo 2)

# Debian packages the build needs (compiler, CMake, Ninja, GoogleTest/GoogleMock, Google Benchmark,
# cairo for pictures, nlohmann-json for presets and the page, CLI11 for the command line, a font
# for the pictures' text, Chromium to test the day page).
PACKAGES := g++ cmake ninja-build make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libcairo2-dev nlohmann-json3-dev libcli11-dev fonts-dejavu-core chromium

.PHONY: all deps configure build preview play test test-sanitize bench clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
		if [ "$$(id -u)" = "0" ]; then \
			echo "Installing:$$missing"; \
			apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
		else \
			echo "Missing Debian packages:$$missing (run as root, or: sudo apt-get install$$missing)" >&2; exit 1; \
		fi; \
	fi

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The first run ends with something to open: the day's views over its chart, and a page that scrubs it.
PREVIEW_DIR  ?= $(BUILD_DIR)/preview
PREVIEW_ARGS ?= --png $(PREVIEW_DIR)/day.png --html $(PREVIEW_DIR)/day.html

preview: build
	@mkdir -p $(PREVIEW_DIR)
	./$(BUILD_DIR)/lumarch $(ARGS) $(PREVIEW_ARGS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer; any report fails it.
# The test program runs as one process (a sanitizer start-up per test would dominate the run);
# the previewer's checks run through CTest.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZNLUMARCH_SANITIZE=ON -DZNLUMARCH_BUILD_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	$(SANITIZER_ENV) ./$(ASAN_BUILD_DIR)/ZNLumarchTests --gtest_brief=1
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure -R '^Lumarch[.]'

# Every benchmark program, five repetitions each; one summary table (medians, allocations, ratios to
# yardsticks) printed and kept in $(BENCH_DIR)/summary.txt beside the raw Google Benchmark JSON.
BENCH_DIR  ?= $(BUILD_DIR)/bench
BENCH_ARGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

bench: build
	@mkdir -p $(BENCH_DIR)
	@set -e; for b in $(BUILD_DIR)/*Benchmark; do \
		echo "running $$(basename $$b)" >&2; \
		$$b $(BENCH_ARGS) --benchmark_out=$(BENCH_DIR)/$$(basename $$b).json --benchmark_out_format=json >$(BENCH_DIR)/$$(basename $$b).log 2>&1; \
	done
	@python3 Benchmarks/report.py $(BENCH_DIR)/*Benchmark.json

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR)
