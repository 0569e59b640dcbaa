# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make license-check`: every file of the checkout says its copyright and licence, in its
# own header or in REUSE.toml, checked by `reuse lint`. REUSE.toml needs reuse 4 or later
# (Debian 13 has 5.0); on Debian 12, whose reuse is 1.1, run it in the Debian 13 root:
#   sudo make debian-check DEBIAN_COMMANDS="make license-check"
# It lints a copy of the checkout's own files: in git, the files git does not ignore;
# elsewhere (a tree from git archive), everything but the build folders.
.PHONY: license-check

license-check:
	@scripts/install-deps.sh reuse
	@major=$$(reuse --version | sed -n '1s/^reuse, version \([0-9]*\).*/\1/p'); \
	if [ "$${major:-0}" -lt 4 ]; then \
		echo "license-check: reuse $$major reads no REUSE.toml; run it in the Debian 13 root:" \
			'sudo make debian-check DEBIAN_COMMANDS="make license-check"' >&2; \
		exit 1; \
	fi
	@tree=$$(mktemp -d); trap 'rm -rf "$${tree:?}"' EXIT; \
	{ git ls-files -co --exclude-standard 2> /dev/null || \
		find . -path './build*' -prune -o -type f -print; } | \
		tar -cf - --no-recursion -T - | tar -xf - -C "$$tree"; \
	reuse --root "$$tree" lint
