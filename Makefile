# The two commands of the README: "make run" and "make test".
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all deps build run test bench clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Starts the program from the build's program folder, on its shipped database.
run: build
	$(BUILD)/bin/quor

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf $(BUILD)
