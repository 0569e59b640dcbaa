# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make bench`: a release build in build-bench/ and every benchmark, printed as one table;
# `make bench-tick`: only the cost of a motion tick over a whole move.
# Only the two benchmark programs and what they link are built; `cmake --build build-bench`
# builds the rest (the tests too) when wanted.
BENCH_BUILD ?= build-bench

.PHONY: bench bench-build bench-tick

bench-build: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target core_bench window_bench 1>&2

bench: bench-build
	@bench/run-bench.sh $(BENCH_BUILD)

# Only the figures of a motion tick's cost over a whole move (CPU and instructions).
bench-tick: bench-build
	@bench/run-bench.sh $(BENCH_BUILD) tick
