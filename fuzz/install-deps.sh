#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Installs clang and its fuzzer and sanitizer runtimes, which only the fuzz targets need,
# along with the packages of the ordinary build. The release's default clang and the
# runtimes of that clang: 14 on Debian 12, 19 on Debian 13.
exec "$(dirname "$0")/../scripts/install-deps.sh" clang libclang-rt-dev
