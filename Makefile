# Two entry points for a fresh Debian machine: `make run` and `make test`.
# Both install what is missing and configure build/; `make run` builds the
# two programs it runs, `make test` everything, holding the code to a build
# without compiler warnings (the user's `make run` never fails on one).

BUILD_DIR := build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure programs build run test asan-test fuzz slurm-test bench clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	@cmake --preset default -G Ninja >/dev/null

# The engine, the front end and the files beside them: what `make run` runs.
programs: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target schedule Trakvist trakvist_data

# Every target; a compiler warning fails it (tools/build-checked.sh).
build: configure
	@bash tools/build-checked.sh $(BUILD_DIR) $(JOBS)

# With a display the front end's window opens; without one the same sweep
# runs without a window: the defaults with three request totals, the results
# table printed, the chart and the simulation file written under build/.
run: programs
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD_DIR)/bin/Trakvist; \
	else \
	  $(BUILD_DIR)/bin/Trakvist --run --set 0=500,500,1500 \
	    --save $(BUILD_DIR)/sweep.txt --chart $(BUILD_DIR)/sweep.png && \
	  echo "Chart: $(BUILD_DIR)/sweep.png  Simulation file: $(BUILD_DIR)/sweep.txt"; \
	fi

test: build
	ctest --preset default -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: deps
	@cmake --preset asan -G Ninja >/dev/null
	@cmake --build build-asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# A plan run as Slurm job arrays on a single-node Slurm of this machine,
# which tools/slurm-single-node.sh installs and starts (as root or through
# sudo) and leaves running; `tools/slurm-single-node.sh stop` ends it.
slurm-test: build
	@bash tools/slurm-single-node.sh start
	bash tests/slurm/slurm_test.sh $(BUILD_DIR)/bin

# libFuzzer over every reader of outside input (clang, build-fuzz/): each
# target for FUZZ_SECONDS (default 300), one after the other; FUZZERS
# names a few. The kept corpus is replayed by `make test` as well.
FUZZ_SECONDS ?= 300
fuzz:
	@bash tools/install-deps.sh fuzz
	@cmake --preset fuzz -G Ninja >/dev/null
	@cmake --build build-fuzz --target fuzzers -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) bash tools/run-fuzzers.sh build-fuzz

bench: build
	$(BUILD_DIR)/bench/engine_bench
	$(BUILD_DIR)/bench/trace_import_bench

clean:
	rm -rf $(BUILD_DIR) build-asan build-fuzz
