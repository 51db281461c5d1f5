# Voltaryn: `make demo` starts the program on its simulated meter, `make demo-cells` with a stream of
# cells on its probes and the Cell Sorting window open, `make check` runs every test under
# AddressSanitizer and UndefinedBehaviorSanitizer, clang-tidy and the package checks, `make test`
# the tests without the sanitizers, `make torture` the database's fault table long, `make fuzz` the
# fuzz targets of the parsers, `make monkey` a long random run of the program, `make soak` five
# simulated days, `make bench` the benchmarks, `make package` the Debian package, `make install`
# installs.

BUILD_DIR ?= build
CHECK_DIR ?= build-check
TEST_DIR ?= build-test
TIDY_DIR ?= build-tidy
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
MONKEY_DIR ?= build-monkey
JOBS ?= $(shell nproc)

.PHONY: deps configure build program demo demo-cells demo-string translations screenshots check check-build check-bench check-tests test-config test torture tidy-config tidy package-check package install bench soak fuzz monkey clean

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(UNITY) > /dev/null

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The demos build the program alone (and what it embeds), none of the tests and benchmarks.
program: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target voltaryn

demo: program
	$(BUILD_DIR)/src/app/voltaryn --demo

demo-cells: program
	$(BUILD_DIR)/src/app/voltaryn --demo-cells --cells

demo-string: program
	$(BUILD_DIR)/src/app/voltaryn --demo-string --inspect

# Refreshes translations/*.ts from the sources' tr() texts and builds the .qm files into the
# build folder, where the program's build embeds them.
LUPDATE ?= /usr/lib/qt6/bin/lupdate
LRELEASE ?= /usr/lib/qt6/bin/lrelease
translations: deps
	$(LUPDATE) -silent -no-obsolete -locations none src -ts translations/voltaryn_de.ts
	mkdir -p $(BUILD_DIR)/translations
	$(LRELEASE) -silent translations/voltaryn_de.ts -qm $(BUILD_DIR)/translations/voltaryn_de.qm

# The README's pictures in docs/screenshots/, taken of the demo under a virtual X server.
screenshots: build
	scripts/screenshots $(BUILD_DIR)

# The checked tree: every test and the fuzz replays in one build (the benchmarks in the same tree,
# built beside the tests while they run, not run themselves, so that they keep compiling), optimised at -O1 (where GCC's flow warnings, such as maybe-uninitialized,
# fire) under AddressSanitizer and UndefinedBehaviorSanitizer, with line tables (-g1: all a
# sanitizer report needs for its file:line stack). A unity build: a few dozen sources per compiler
# run, so the Qt and GoogleTest headers are parsed a few times rather than once per file.
UNITY = -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=32
check-build: deps
	cmake -S . -B $(CHECK_DIR) -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g1" -DVOLTARYN_SANITIZE=ON \
	  -DVOLTARYN_BUILD_BENCH=ON $(UNITY) > /dev/null
	cmake --build $(CHECK_DIR) -j $(JOBS)

check-bench: check-build
	cmake --build $(CHECK_DIR) -j $(JOBS) --target benchmarks

# Twice as many tests as cores at once: the database tests mostly wait on their servers. A test
# whose inputs (its programs, their data) are as they were when it last passed is not run again;
# TESTS=all runs every one.
check-tests: check-build
	scripts/run-tests $(CHECK_DIR) --jobs $$(( $(JOBS) * 2 )) $(if $(filter all,$(TESTS)),--all)

# The test suite without the sanitizers, optimised as a release is (-O2).
test-config: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
	  -DVOLTARYN_BUILD_BENCH=OFF $(UNITY) > /dev/null

test: test-config
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

# The fault table of the database tests, long: FAULT_STATIONS stations sorting side by side, each
# taking at least FAULT_CAPTURES captures while each fault strikes, in a run and during a replay.
# A line a row: captures printed and stored, duplicates, lost, left in the queues, exit codes.
FAULT_STATIONS ?= 4
FAULT_CAPTURES ?= 3000
torture: test-config
	cmake --build $(TEST_DIR) -j $(JOBS) --target voltaryn_cli_fault_tests
	FAULT_STATIONS=$(FAULT_STATIONS) FAULT_CAPTURES=$(FAULT_CAPTURES) \
	  pg_virtualenv -t $(TEST_DIR)/tests/cli/voltaryn_cli_fault_tests --gtest_brief=1

# clang-tidy reads each batch's compile command from a configured (not built) unity build tree of
# one batch a target: its checks walk the whole syntax tree, the Qt and standard headers included,
# so each target's sources share a single walk of them (an edit is checked source by source).
tidy-config: deps
	cmake -S . -B $(TIDY_DIR) -G Ninja -DCMAKE_BUILD_TYPE=None -DVOLTARYN_BUILD_BENCH=OFF -DCMAKE_UNITY_BUILD=ON \
	  -DCMAKE_UNITY_BUILD_BATCH_SIZE=0 > /dev/null

# clang-tidy over the sources and headers of src/, with the checks of .clang-tidy; any finding
# fails. Batches found clean before, with nothing they read changed since, are skipped (see
# scripts/tidy); a fresh tree checks everything. TIDY_JOBS batches at once.
TIDY_JOBS ?= $(JOBS)
tidy: tidy-config
	scripts/tidy $(TIDY_DIR) --jobs $(TIDY_JOBS)

# The install tree passes the desktop's validators, and the Debian package holds it with its
# dependencies.
package-check: check-build
	scripts/check-package $(CHECK_DIR)

# The checked tree builds and tests while clang-tidy walks the sources beside it on one core, so
# no more compilers run at once than there are cores and one more; each part's output is printed
# whole when it ends.
check:
	$(MAKE) --no-print-directory --output-sync=target -j3 check-tests package-check check-bench tidy TIDY_JOBS=1

# The libFuzzer targets of the parsers (fuzz/), built with clang and the sanitizers from the core
# alone, each run for FUZZ_SECONDS; one line a target says its runs, speed and crashes, and an
# input that breaks one is saved to tests/fuzz/regressions/, which `make check` replays.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g1" \
	  -DVOLTARYN_BUILD_GUI=OFF -DVOLTARYN_WITH_HIDAPI=OFF -DVOLTARYN_BUILD_TESTS=OFF -DVOLTARYN_BUILD_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target voltaryn_fuzz
	fuzz/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

# The Debian package, voltaryn_<version>_amd64.deb, in the build folder.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Installs under PREFIX (default /usr/local); DESTDIR stages it.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

bench: build
	cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	$(BUILD_DIR)/bench/voltaryn_bench
	$(BUILD_DIR)/bench/voltaryn_cells_bench

# Five days of the program on a simulated clock (DAYS=5), a line a day: the cost of a second, the
# resident memory, the open files and the records written.
DAYS ?= 5
soak: build
	cmake --build $(BUILD_DIR) -j $(JOBS) --target voltaryn_soak
	$(BUILD_DIR)/bench/voltaryn_soak $(DAYS)

# The monkey run long: seeded random steps over the whole program on its simulated meter, checked
# after each one. SEED=n replays one seed, SEEDS=a-b runs a range; STEPS steps each. `make check`
# runs only its short seed set.
SEEDS ?= 1-1000
STEPS ?= 500
monkey: deps
	cmake -S . -B $(MONKEY_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLTARYN_BUILD_BENCH=OFF \
	  -DCMAKE_UNITY_BUILD=ON > /dev/null
	cmake --build $(MONKEY_DIR) -j $(JOBS) --target voltaryn_monkey_tests
	QT_QPA_PLATFORM=offscreen MONKEY_STEPS=$(STEPS) $(if $(SEED),MONKEY_SEED=$(SEED),MONKEY_SEEDS=$(SEEDS)) \
	  $(MONKEY_DIR)/tests/monkey/voltaryn_monkey_tests

clean:
	rm -rf $(BUILD_DIR) $(CHECK_DIR) $(TEST_DIR) $(TIDY_DIR) $(FUZZ_DIR) $(MONKEY_DIR)
