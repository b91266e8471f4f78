# antraid: the two everyday commands are `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
FUZZ_SMOKE_SECONDS ?= 25
SOAK_STEPS ?= 1000000
SOAK_ANTS ?= 0
SOAK_MINUTES ?= 0
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: controls-doc run test build package install test-cluster test-asan bench fuzz fuzz-smoke fuzz-build soak deps clean screenshot

# Only deps, run and test install packages (the missing ones, through
# scripts/install-deps); every other target uses what is there.
deps:
	@scripts/install-deps

build:
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: deps
	@$(MAKE) --no-print-directory build
	$(BUILD)/src/platform/qt/antraid

# antraid_VERSION_ARCH.deb here (apt install ./antraid_*.deb); see README.md.
package: build
	cd $(BUILD) && cpack -G DEB
	cp $(BUILD)/antraid_*.deb .

# The package's tree below DESTDIR/PREFIX (make install PREFIX=/opt/antraid DESTDIR=/tmp/stage).
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# Every test of the Release build (window tests on the offscreen platform),
# then the toolkit-free tests again under AddressSanitizer + UBSan, then a
# short run of each fuzzer from its seed corpus.
test:
	@scripts/install-deps --fuzz
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory fuzz-smoke

# The Slurm steps of docs/experiments.md on a one-node Slurm cluster started
# here (installs slurm-wlm and munge; runs as root; leaves no daemon running).
test-cluster: build
	BUILD=$(BUILD) scripts/test-cluster

test-asan:
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DANTRAID_SANITIZE=ON \
	  -DANTRAID_WITH_QT=OFF -DANTRAID_WITH_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -L core

# The libFuzzer targets (clang, AddressSanitizer + UBSan) in a build of their own.
fuzz-build:
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DANTRAID_FUZZ=ON -DANTRAID_WITH_QT=OFF -DANTRAID_WITH_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target form_fuzz rtf_fuzz experiment_fuzz

# Each fuzzer for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=1800); the corpus grows
# in $(FUZZ_BUILD)/corpus, findings land in $(FUZZ_BUILD)/artifacts.
fuzz: fuzz-build
	scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-smoke: fuzz-build
	scripts/fuzz --smoke $(FUZZ_BUILD) $(FUZZ_SMOKE_SECONDS)

# One long run watching memory and the invariants (SOAK_ANTS=0: the panel's
# default), e.g. make soak SOAK_ANTS=30000 SOAK_MINUTES=20.
soak: build
	$(BUILD)/antraid-soak --steps $(SOAK_STEPS) --ants $(SOAK_ANTS) --minutes $(SOAK_MINUTES)

bench: build
	$(BUILD)/antraid-bench --benchmark_counters_tabular=true

# docs/screenshot.png from a default run (on Xvfb when installed).
screenshot:
	BUILD=$(BUILD) scripts/screenshot

# docs/controls.md from the program's own table of controls and measures.
controls-doc: build
	$(BUILD)/antraid-sweep --controls --markdown > docs/controls.md

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
