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
# ccache (make deps installs it) keeps what the compiler made, so that a build of an
# unchanged tree in another folder or a new clone takes seconds instead of minutes. Paths
# inside the tree count relative to it, so that another clone's objects match. CCACHE=
# turns it off: the release builds do, so that each of their builds compiles everything.
CCACHE ?= $(shell command -v ccache)
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1
LAUNCHER = -DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)

.PHONY: all deps configure build run test clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) > /dev/null

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
