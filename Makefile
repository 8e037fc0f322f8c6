# Entry points: `make demo` and `make test` set up a fresh Debian machine first.
JOBS ?= $(shell nproc)
BUILD ?= build
TEST_BUILD ?= build-test

.PHONY: all bootstrap demo test bench clean

all: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

bootstrap:
	@scripts/bootstrap

demo: all
	$(BUILD)/bin/vantorel-sim demo

test: bootstrap
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_SANITIZE=ON >/dev/null
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: all
	$(BUILD)/bin/vantorel-bench

clean:
	rm -rf $(BUILD) $(TEST_BUILD)
