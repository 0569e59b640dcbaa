# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make debian-check`: `make test` and `make package-check` in a minimal root of another
# Debian release, made once with mmdebstrap and kept in DEBIAN_CACHE (needs root).
# DEBIAN_SUITE=trixie (Debian 13) by default; DEBIAN_SUITE=testing tries the next release.
# DEBIAN_COMMANDS="make bench-tick" runs other commands there instead.
DEBIAN_SUITE ?= trixie
DEBIAN_CACHE ?= $(or $(XDG_CACHE_HOME),$(HOME)/.cache)/actuator-panel
# The archive the root is made from: by default the Debian archive that this machine's own
# apt sources name (a local mirror or proxy included); DEBIAN_MIRROR=URL names another.
DEBIAN_MIRROR ?=
DEBIAN_COMMANDS ?= make test && make package-check

.PHONY: debian-check

debian-check:
	@scripts/debian-leg.sh "$(DEBIAN_SUITE)" "$(DEBIAN_CACHE)" "$(DEBIAN_MIRROR)" "$(DEBIAN_COMMANDS)"
