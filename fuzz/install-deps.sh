#!/usr/bin/env bash
# Installs clang and its fuzzer and sanitizer runtimes, which only the fuzz targets need,
# along with the packages of the ordinary build.
exec "$(dirname "$0")/../scripts/install-deps.sh" clang clang-14 libclang-rt-14-dev
