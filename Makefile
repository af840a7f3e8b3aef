BUILD_DIR := build
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: run test build install package test-sanitize fuzz bench

# The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer, stopping at the first
# finding. GCC, as for the normal build: the drill's GBK literals need its -fexec-charset.
SANITIZE_DIR := build-sanitize
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZE_ENV := ASAN_OPTIONS=detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) --target tallimo

run:
	scripts/install-deps run
	$(MAKE) build
	$(BUILD_DIR)/tallimo

test:
	scripts/install-deps test
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 300 -j 2

install:
	scripts/install-deps build
	$(MAKE) build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

test-sanitize:
	scripts/install-deps test
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_CXX_COMPILER=g++ \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" \
		-DCMAKE_SHARED_LINKER_FLAGS="$(SANITIZE_FLAGS)" $(CMAKE_FLAGS)
	$(SANITIZE_ENV) cmake --build $(SANITIZE_DIR)
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest --output-on-failure --timeout 300 -j 2

# libFuzzer over the value conversions and the GBK boundary, with clang. New inputs go to the
# build directory's corpus, a crashing one to the build directory; the committed seeds stay as
# they are.
FUZZ_DIR := build-fuzz
FUZZ_SECONDS ?= 60

fuzz:
	scripts/install-deps fuzz
	cmake -S tests/fuzz -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++-14
	cmake --build $(FUZZ_DIR)
	mkdir -p $(FUZZ_DIR)/corpus
	$(FUZZ_DIR)/value_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus tests/fuzz/corpus

# Figures, not tests: start-up, idle cost, tick steadiness and handler cost, each beside its anchor.
# The tools build in their own directory; the drill measured is $(BUILD_DIR)/tallimo. The figures
# are printed and written to bench/RESULTS.md.
BENCH_DIR := build-bench

bench:
	scripts/install-deps bench
	$(MAKE) build
	cmake -S . -B $(BENCH_DIR) -G Ninja -DTALLIMO_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BENCH_DIR) --target benchmarks
	bench/run_benchmarks.sh $(BUILD_DIR)/tallimo $(BENCH_DIR)/bench bench/RESULTS.md

package:
	scripts/install-deps package
	$(MAKE) build
	cpack -G DEB --config $(BUILD_DIR)/CPackConfig.cmake -B $(BUILD_DIR)
