# `make bench`: a release build in build-bench/ and every benchmark, printed as one table.
BENCH_BUILD ?= build-bench

.PHONY: bench

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	@bench/run-bench.sh $(BENCH_BUILD)
