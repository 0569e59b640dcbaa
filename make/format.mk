# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make format-check`: every C++ file keeps the committed .clang-format. Debian 12's
# clang-format decides; other versions may wrap a few lines differently.
.PHONY: format-check

format-check:
	@scripts/install-deps.sh clang-format
	@git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
	@echo "format-check: every C++ file keeps .clang-format"
