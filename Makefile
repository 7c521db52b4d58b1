# Set-up and everyday commands. `make preview` and `make test` work on a fresh Debian machine:
# run as root they install what is missing with apt-get, then configure and build.
BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
TSAN_BUILD_DIR ?= build-tsan
FUZZ_BUILD_DIR ?= build-fuzz
CLANG_CXX      ?= clang++-14
# Sanitizer builds for CI compile fast: light optimisation, line tables for the reports.
CLANG_FLAGS    := -DCMAKE_BUILD_TYPE=None "-DCMAKE_CXX_FLAGS=-O1 -gline-tables-only" -DCMAKE_CXX_COMPILER=$(CLANG_CXX)
BUILD_TYPE     ?= RelWithDebInfo
JOBS           ?= $(shell nproc 2>/dev/null || echo 2)

# Debian packages the build needs (compiler, CMake, Ninja, GoogleTest/GoogleMock, Google Benchmark,
# cairo for pictures, nlohmann-json for presets and the page, CLI11 for the command line, a font
# for the pictures' text, Chromium to test the day page), and clang with its sanitizer and libFuzzer
# runtimes for the thread-sanitizer and fuzzing builds.
PACKAGES := g++ cmake ninja-build make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libcairo2-dev nlohmann-json3-dev libcli11-dev fonts-dejavu-core chromium clang-14 libclang-rt-14-dev

.PHONY: all deps configure build preview play test test-sanitize test-tsan fuzz fuzz-ci bench clean

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
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/Tests/Sanitizers/lsan-suppressions.txt

test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZNLUMARCH_SANITIZE=ON -DZNLUMARCH_BUILD_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	$(SANITIZER_ENV) ./$(ASAN_BUILD_DIR)/ZNLumarchTests --gtest_brief=1
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure -R '^Lumarch[.]'

# ThreadSanitizer over what runs on more than one thread: the voxel queries answered by worker
# threads (the stand-in itself and the fog that asks it) and a short play of the previewer.
TSAN_TESTS := *VoxelQuery*:*GroundFollowerFog*:DirectorTracking*
TSAN_ENV   := TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

test-tsan: deps
	cmake -S . -B $(TSAN_BUILD_DIR) -G Ninja $(CLANG_FLAGS) -DZNLUMARCH_SANITIZE_THREAD=ON -DZNLUMARCH_BUILD_BENCHMARKS=OFF
	cmake --build $(TSAN_BUILD_DIR) -j $(JOBS) --target ZNLumarchTests lumarch
	$(TSAN_ENV) ./$(TSAN_BUILD_DIR)/ZNLumarchTests --gtest_brief=1 --gtest_filter='$(TSAN_TESTS)'
	$(TSAN_ENV) ./$(TSAN_BUILD_DIR)/lumarch play --steps 24 --fps 60 > /dev/null

# libFuzzer over preset loading, from the checked-in seeds; FUZZ_SECONDS bounds the run.
FUZZ_SECONDS ?= 600
FUZZ_CORPUS  := Tests/Fuzz/PresetCorpus

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja $(CLANG_FLAGS) -DZNLUMARCH_FUZZ=ON -DZNLUMARCH_BUILD_TESTS=OFF -DZNLUMARCH_BUILD_BENCHMARKS=OFF -DZNLUMARCH_BUILD_TOOLS=OFF
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS) --target PresetLoadFuzzer
	mkdir -p $(FUZZ_BUILD_DIR)/corpus
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		./$(FUZZ_BUILD_DIR)/PresetLoadFuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=32768 -timeout=10 -rss_limit_mb=2048 \
		-artifact_prefix=$(FUZZ_BUILD_DIR)/ $(FUZZ_BUILD_DIR)/corpus $(FUZZ_CORPUS)

# The bounded run CI makes.
fuzz-ci:
	$(MAKE) fuzz FUZZ_SECONDS=45

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
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(TSAN_BUILD_DIR) $(FUZZ_BUILD_DIR)
