# `make run` builds and starts the program; `make test` builds and runs every test.
# Both first install whatever Debian packages are missing.
BUILD_DIR ?= build
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 180
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test fuzz install clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/tamberlin

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS.
fuzz:
	@scripts/install-deps.sh --fuzz
	@CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTAMBERLIN_FUZZ=ON -DTAMBERLIN_BUILD_UI=OFF -DTAMBERLIN_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

install: build
	cmake --install $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)
