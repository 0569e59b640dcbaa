# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make docs-check`: in every tracked Markdown file, each relative link and picture leads
# to a tracked file (and, in a document the package installs, to one installed beside
# it), each table has its header separator row, and the program's version, each make
# target and each path of the tree that the text names exist as named; the released
# entries of CHANGELOG.md are as their release commits wrote them (scripts/check-docs.py).
.PHONY: docs-check

docs-check:
	@scripts/install-deps.sh python3-markdown-it
	@scripts/check-docs.py
