# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Fuzzing: `make fuzz` builds the libFuzzer targets with clang in build-fuzz/ and runs
# each for FUZZ_SECONDS seconds, starting from its seed corpus in fuzz/corpus/<target>/.
# New inputs go to build-fuzz/corpus/<target>/, crashing ones to build-fuzz/findings/.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := numbers actuator

.PHONY: fuzz fuzz-build fuzz-deps

fuzz-deps: deps
	@fuzz/install-deps.sh

fuzz-build: fuzz-deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) \
		-DACTUATOR_FUZZ=ON -DBUILD_TESTING=OFF > /dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))

fuzz: fuzz-build
	@mkdir -p $(FUZZ_BUILD)/findings
	@for t in $(FUZZ_TARGETS); do \
		echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
		mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
		$(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-dict=fuzz/$$t.dict -artifact_prefix=$(FUZZ_BUILD)/findings/$$t- \
			$(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t || exit 1; \
	done
