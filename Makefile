# Voltaryn: `make demo` starts the program on its simulated meter, `make check` runs every test
# (then again under AddressSanitizer and UndefinedBehaviorSanitizer), `make bench` the benchmarks.

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: deps build demo check test sanitize bench clean

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

demo: build
	$(BUILD_DIR)/src/app/voltaryn --demo

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVOLTARYN_SANITIZE=ON -DVOLTARYN_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

check: test sanitize

bench: build
	$(BUILD_DIR)/bench/voltaryn_bench

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
