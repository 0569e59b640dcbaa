# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# The front door: `make run` builds and launches the panel, `make test` runs every test.
# Both install the Debian packages they need first.
BUILD ?= build
JOBS ?= $(shell nproc)
# Every recipe runs in bash and stops at its first failure, and a pipeline fails when any
# of its commands fails.
SHELL := bash
.SHELLFLAGS := -e -o pipefail -c

.PHONY: all deps configure build run test clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/actuator-panel

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	build='$(BUILD)'; rm -rf -- "$${build:?BUILD names no folder}"

# Further targets (benchmarks, fuzzing, packaging) live in make/*.mk.
-include make/*.mk
