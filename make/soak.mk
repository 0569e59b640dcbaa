# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make soak`: the long run through the real window (offscreen) in build-soak/; not part
# of `make test`. SOAK_TICKS motion ticks at 1 ms, a sample tick every SOAK_SAMPLE_MS ms.
SOAK_BUILD ?= build-soak
SOAK_TICKS ?= 200000
SOAK_SAMPLE_MS ?= 1

.PHONY: soak

soak: deps
	@cmake -S . -B $(SOAK_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build $(SOAK_BUILD) -j $(JOBS) --target actuator-soak
	QT_QPA_PLATFORM=offscreen $(SOAK_BUILD)/soak/actuator-soak $(SOAK_TICKS) $(SOAK_SAMPLE_MS)
