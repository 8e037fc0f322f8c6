# Entry points: `make demo` and `make test` set up a fresh Debian machine first.
JOBS ?= $(shell nproc)
BUILD ?= build
TEST_BUILD ?= build-test

.PHONY: all bootstrap demo test bench clean format-check release-check package mutants

all: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

bootstrap:
	@scripts/bootstrap

# The product as a Debian package: $(BUILD)/packages/com.tavq.vantorel_<version>_<arch>.deb
package: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target vantorel-package

demo: all
	$(BUILD)/bin/vantorel-sim demo

test: format-check
	@scripts/bootstrap --test
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_SANITIZE=ON >/dev/null
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) release-check

# The tree is formatted as .clang-format says; a drifted file fails the tests.
format-check: bootstrap
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

# The release build links as the sanitizer build does not (libraries dropped
# from a link show only here): build it and walk the demo once.
release-check: all
	$(BUILD)/bin/vantorel-sim demo >/dev/null

# Mutation run over the deliverables (long; not part of `make test`). A build
# tree of its own is reused across runs; MUTANTS_ARGS passes --only, --seed,
# --sample, --kinds or --timeout, e.g. make mutants MUTANTS_ARGS="--sample 40 --seed 3".
MUTANTS_BUILD ?= build-mutants
MUTANTS_ARGS ?=
mutants: bootstrap
	@scripts/bootstrap --test
	cmake -S . -B $(MUTANTS_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_SANITIZE=ON >/dev/null
	cmake --build $(MUTANTS_BUILD) -j $(JOBS) --target engine_tests common_tests vantorelprefs_tests
	python3 scripts/mutants/mutate.py --build $(MUTANTS_BUILD) --jobs $(JOBS) $(MUTANTS_ARGS)

bench: all
	$(BUILD)/bin/vantorel-bench
	$(BUILD)/bin/vantorel-preview-bench

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(MUTANTS_BUILD)
