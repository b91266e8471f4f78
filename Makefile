# antraid: the two everyday commands are `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: run test build test-asan bench fuzz deps clean screenshot

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/platform/qt/antraid

# Every test of the Release build (window tests on the offscreen platform),
# then the toolkit-free tests again under AddressSanitizer + UBSan.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DANTRAID_SANITIZE=ON \
	  -DANTRAID_WITH_QT=OFF -DANTRAID_WITH_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -L core

bench: build
	$(BUILD)/antraid-bench --benchmark_counters_tabular=true

# docs/screenshot.png from a default run (on Xvfb when installed).
screenshot: deps
	BUILD=$(BUILD) scripts/screenshot

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
