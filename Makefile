# Entry points: `make demo` and `make test` set up a fresh Debian machine first.
JOBS ?= $(shell nproc)
BUILD ?= build
TEST_BUILD ?= build-test
BENCH_BUILD ?= build-bench
# Ninja schedules the whole tree at once; a tree configured before keeps its generator.
generator = $(if $(wildcard $(1)/CMakeCache.txt),,-G Ninja)

.PHONY: all bootstrap bootstrap-test demo test bench clean format-check release-check package mutants

# The release tree: the product, the hosts and the command line; no tests.
all: bootstrap
	cmake -S . -B $(BUILD) $(call generator,$(BUILD)) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOREL_TESTS=OFF >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

bootstrap:
	@scripts/bootstrap

bootstrap-test:
	@scripts/bootstrap --test

# The product as a Debian package: $(BUILD)/packages/com.tavq.vantorel_<version>_<arch>.deb
package: bootstrap
	cmake -S . -B $(BUILD) $(call generator,$(BUILD)) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOREL_TESTS=OFF >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target vantorel-package

demo: all
	$(BUILD)/bin/vantorel-sim demo

test: format-check
	cmake -S . -B $(TEST_BUILD) $(call generator,$(TEST_BUILD)) -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_SANITIZE=ON -DVANTOREL_TESTS=ON >/dev/null
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) release-check

# The tree is formatted as .clang-format says; a drifted file fails the tests.
format-check: bootstrap-test
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

# The release build links as the sanitizer build does not (libraries dropped
# from a link show only here): build it and walk the demo once.
release-check: all
	$(BUILD)/bin/vantorel-sim demo >/dev/null

# Mutation run over the deliverables (long; not part of `make test`). A build
# tree of its own is reused across runs; MUTANTS_ARGS passes --only, --seed,
# --sample, --kinds or --timeout, e.g. make mutants MUTANTS_ARGS="--sample 40 --seed 3".
# Each mutant relinks a test program: ninja and lld, where installed, make that
# cheaper (ninja's no-op check, lld's link of the sanitizer binaries), and the
# run calls the programs itself, so linking does not list their cases for ctest.
MUTANTS_BUILD ?= build-mutants
MUTANTS_ARGS ?=
MUTANTS_LINKER = $(if $(shell command -v ld.lld),$(foreach kind,EXE SHARED MODULE,-DCMAKE_$(kind)_LINKER_FLAGS=-fuse-ld=lld))
mutants: bootstrap-test
	cmake -S . -B $(MUTANTS_BUILD) $(call generator,$(MUTANTS_BUILD)) -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_SANITIZE=ON \
	  -DVANTOREL_TESTS=ON -DVANTOREL_UNITY=OFF -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST $(MUTANTS_LINKER) >/dev/null
	cmake --build $(MUTANTS_BUILD) -j $(JOBS) --target engine_tests common_tests vantorelprefs_tests contract_tests
	python3 scripts/mutants/mutate.py --build $(MUTANTS_BUILD) --jobs $(JOBS) $(MUTANTS_ARGS)

# Benchmarks are optimised like the release tree, in a tree of their own.
bench: bootstrap-test
	cmake -S . -B $(BENCH_BUILD) $(call generator,$(BENCH_BUILD)) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOREL_TESTS=ON >/dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target vantorel-bench vantorel-preview-bench vantorel-process-bench
	$(BENCH_BUILD)/bin/vantorel-bench
	$(BENCH_BUILD)/bin/vantorel-preview-bench

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(MUTANTS_BUILD)
