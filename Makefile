# Entry points: `make demo` and `make test` set up a fresh Debian machine first.
JOBS ?= $(shell nproc)
BUILD ?= build
TEST_BUILD ?= build-test

.PHONY: all bootstrap demo test bench clean format-check release-check package

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

bench: all
	$(BUILD)/bin/vantorel-bench
	$(BUILD)/bin/vantorel-preview-bench

clean:
	rm -rf $(BUILD) $(TEST_BUILD)
