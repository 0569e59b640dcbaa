# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make static-analysis`: cppcheck over the program's three folders finds nothing. Debian
# 12's cppcheck (2.10) decides, as its clang-format does for the formatting. A finding
# that is wrong is suppressed where it stands, with a comment that says why.
.PHONY: static-analysis

static-analysis:
	@scripts/install-deps.sh cppcheck
	@cppcheck --std=c++20 --library=qt --enable=all --inline-suppr --error-exitcode=1 --quiet \
		--suppress=missingIncludeSystem -I . model log panel
	@echo "static-analysis: cppcheck finds nothing in model/, log/ and panel/"
