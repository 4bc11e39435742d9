# Thin wrapper around CMake: `make run` opens the main job, `make test` builds from scratch and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: deps
	@rm -rf $(BUILD)-test
	@cmake -S . -B $(BUILD)-test -G Ninja -DNOVRA_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(BUILD)-test -j $(JOBS)
	@cd $(BUILD)-test && ctest --output-on-failure -j $(JOBS)

clean:
	@rm -rf $(BUILD) $(BUILD)-test
