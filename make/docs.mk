# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make docs-check`: in every tracked Markdown file, each relative link and picture leads
# to a tracked file (a #heading link to a heading there), and each table has its header
# separator row, without which it shows as one run of text.
.PHONY: docs-check

docs-check:
	@scripts/install-deps.sh python3-markdown-it
	@scripts/check-docs.py
