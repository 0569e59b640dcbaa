# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make shellcheck`: Debian's shellcheck finds nothing in the tree's shell scripts, the *.sh
# files and those without that ending whose first line starts sh or bash (.ci/run). A
# finding that is wrong is disabled where it stands, with a comment that says why.
.PHONY: shellcheck

shellcheck:
	@scripts/install-deps.sh shellcheck
	@{ git ls-files -z 2> /dev/null || find . -path './build*' -prune -o -type f -print0; } | \
		xargs -0 awk 'FNR == 1 { if (FILENAME ~ /\.sh$$/ || /^#!.*[\/ ](ba)?sh( |$$)/) print FILENAME; nextfile }' | \
		xargs -d '\n' shellcheck
	@echo "shellcheck: nothing found in the shell scripts"
