# The README's two commands: `make demo` (build, then solve the example models
# in Octave) and `make test` (build everything from clean, run every test).
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build demo test test-asan test-tsan bench clean

deps:
	scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	cd examples && octave-cli --no-gui --quiet run_examples.m

test: deps
	rm -rf $(BUILD)
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B build-asan -DKORVA_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-asan -j $(JOBS) --target unit_tests
	cd build-asan && ctest --output-on-failure -j $(JOBS)

test-tsan: deps
	cmake -S . -B build-tsan -DKORVA_SANITIZE=thread -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-tsan -j $(JOBS) --target unit_tests
	cd build-tsan && ctest --output-on-failure -j $(JOBS)

# Not part of the tests: timings against memcpy and against Octave's own
# solvers, written to bench/results/latest.md (about 15 to 30 minutes).
bench: build
	scripts/install-deps.sh bench
	bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD) build-asan build-tsan
