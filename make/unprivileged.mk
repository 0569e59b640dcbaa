# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make test-unprivileged`: the tests of the one build again, as an ordinary user with
# LANG=de_DE.UTF-8, as most contributors run them (scripts/test-unprivileged.sh).
.PHONY: test-unprivileged

test-unprivileged: build
	@scripts/test-unprivileged.sh $(BUILD)
