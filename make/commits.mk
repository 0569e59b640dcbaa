# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make commit-check`: no commit since the last release commit ("Release X.Y.Z") has a
# subject longer than 72 characters (scripts/check-commits.sh). COMMIT_CHECK_FROM is the
# commit from which on the rule holds, the base where the release commit is older.
COMMIT_CHECK_FROM ?= 4a4b9bb7a5b857ccef2b849b75f2571cbf11d8fb

.PHONY: commit-check

commit-check:
	@scripts/check-commits.sh $(COMMIT_CHECK_FROM)
