# The README's two commands: `make demo` (build, then solve the example models
# in Octave) and `make test` (build everything from clean, run every test).
BUILD ?= build
JOBS ?= $(shell getconf _NPROCESSORS_ONLN)

.PHONY: deps build demo test dist test-asan test-tsan check-leaks zoo bench clean

deps:
	scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# The folder is absolute: `run` changes to the script's folder before it runs.
# No history: nothing typed is worth keeping, and Octave 7.3 reports an error
# at exit when it cannot create the history file's folder.
demo: build
	octave-cli --no-gui --no-history --quiet --eval \
	  "addpath('$(abspath $(BUILD))/mex'); run('examples/run_examples.m')"

test: deps
	rm -rf $(BUILD)
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Octave package korva_mex-VERSION.tar.gz, here: `pkg install` builds it
# on the user's machine, so nothing is built now.
dist:
	scripts/dist.sh .

test-asan: deps
	cmake -S . -B build-asan -DKORVA_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-asan -j $(JOBS) --target unit_tests
	cd build-asan && ctest --output-on-failure -j $(JOBS)

test-tsan: deps
	cmake -S . -B build-tsan -DKORVA_SANITIZE=thread -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-tsan -j $(JOBS) --target unit_tests
	cd build-tsan && ctest --output-on-failure -j $(JOBS)

# 1000 valid calls and 300 bad ones from the value zoo in one Octave
# session: its resident size must stay flat.
check-leaks: build
	tests/leaks/check_leaks.sh octave-cli $(BUILD)/mex

# The value zoo in Octave for ZOO_SECONDS: random models built from every
# kind of Octave value, each case in a child octave-cli that may die. The
# seed is ZOO_SEED, or the clock's when it is empty. Only the module is
# built: it is all the zoo calls.
ZOO_SECONDS ?= 1800
ZOO_SEED ?=
zoo: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target korva_mex
	tests/octave/value_zoo.sh octave-cli $(BUILD)/mex $(ZOO_SECONDS) $(ZOO_SEED)

# Not part of the tests: timings against memcpy and against Octave's own
# solvers, written to bench/results/latest.md (about 15 to 30 minutes).
bench: build
	scripts/install-deps.sh bench
	bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD) build-asan build-tsan
