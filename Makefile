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

SAN_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

# Every test on a fresh build, then the core, file, simulation, generator and CLI tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
test: deps
	@rm -rf $(BUILD)-test $(BUILD)-asan
	@cmake -S . -B $(BUILD)-test -G Ninja -DNOVRA_BUILD_BENCH=OFF -DNOVRA_WERROR=ON >/dev/null
	@cmake --build $(BUILD)-test -j $(JOBS)
	@cd $(BUILD)-test && ctest --output-on-failure -j $(JOBS)
	@cmake -S . -B $(BUILD)-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNOVRA_BUILD_BENCH=OFF -DNOVRA_BUILD_UI=OFF -DNOVRA_WERROR=ON \
		-DCMAKE_CXX_FLAGS="$(SAN_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SAN_FLAGS)" >/dev/null
	@cmake --build $(BUILD)-asan -j $(JOBS)
	@cd $(BUILD)-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

clean:
	@rm -rf $(BUILD) $(BUILD)-test $(BUILD)-asan
