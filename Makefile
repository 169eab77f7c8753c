# Two entry points for a fresh Debian machine: `make run` and `make test`.
# Both install what is missing, configure build/ and build everything.

BUILD_DIR := build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# The front end's default parameters, as the engine's command line.
DEFAULT_RUN_ARGS := -t:500 -a:60 -n:0 "-tu:1E-05" -r:600 -wc:0 -f:1 -o:1000 -x:30 \
  -b:2 -bpt:600 -e:1 -st:600 -m:1000 -i:0 -hd:4 -rw:3 -rb:n -rs:y -id

.PHONY: all deps configure build run test asan-test bench clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	@cmake --preset default -G Ninja >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# With a display the front end's window opens; without one the engine
# prints its report for the default parameters.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD_DIR)/bin/Trakvist; \
	else \
	  $(BUILD_DIR)/bin/schedule $(DEFAULT_RUN_ARGS); \
	fi

test: build
	ctest --preset default -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: deps
	@cmake --preset asan -G Ninja >/dev/null
	@cmake --build build-asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: build
	$(BUILD_DIR)/bench/engine_bench

clean:
	rm -rf $(BUILD_DIR) build-asan
