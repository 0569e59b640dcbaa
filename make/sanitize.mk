# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make test-sanitize` builds the whole program and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ and runs the suite; any report fails the run.
# Leaks inside the D-Bus library are ignored (make/lsan.supp); nothing else is. Strict
# string checks stay off: libxkbcommon copies empty X atom names with strndup(p, 0) from
# unterminated buffers, which is sound but trips them.
# LeakSanitizer does not follow __tls_get_addr: GCC 12's guesses the size of a plugin's
# thread-local block from a header that glibc no longer writes, and when a block happens
# to start 16 bytes past a page it reads a wild size and crashes at exit ("Tracer caught
# signal 11"). The thread-local blocks of the program and its libraries are still scanned.
ASAN_BUILD ?= build-asan
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZE_ENV := \
	ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:intercept_tls_get_addr=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/make/lsan.supp:print_suppressions=0

.PHONY: test-sanitize

test-sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" > /dev/null
	@$(SANITIZE_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)
