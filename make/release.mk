# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make release`: every release file of the version, built from the committed tree, in
# RELEASE_DIR/<version>/ with their SHA256SUMS (scripts/release.sh; needs root for the
# builds in the Debian 13 root). `make release-check`: builds RELEASE_CHECK_FILES twice,
# in two folders, at two times, under two umasks, locales and time zones (the Debian 12
# package also as two users), and fails, with diffoscope's account, on any byte that
# differs. docs/releasing.md tells the whole release. `make release` runs on Debian 12
# (amd64) at the release commit, "Release <version>"; RELEASE_TRIAL=1 builds another
# commit into RELEASE_DIR/<version>-trial-<commit>/.
# The files, by name: deb12 (this machine's Debian 12 package), deb13 (the Debian 13
# root's), windows (the installer and the zip), source (the source archive), web (the
# web build's folder as a zip; QT_WASM_TARBALL as for make web), and, with
# make/arm.mk in the tree, arm64-deb12, armhf-deb12, arm64-deb13 and armhf-deb13.
RELEASE_DIR ?= release
RELEASE_CHECK_DIR ?= build-release-check
RELEASE_FILES ?= deb12 deb13 windows source web \
	$(if $(wildcard make/arm.mk),arm64-deb12 armhf-deb12 arm64-deb13 armhf-deb13)
RELEASE_CHECK_FILES ?= $(RELEASE_FILES)

# Every time stamp the builds write is the commit's time (scripts/source-date-epoch.sh),
# unless SOURCE_DATE_EPOCH is set already: CPack's Debian generator, dpkg, gzip, the
# mingw-w64 linker and the other tools of the reproducible-builds effort read it.
ifndef SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH := $(shell scripts/source-date-epoch.sh)
endif
export SOURCE_DATE_EPOCH

.PHONY: release release-check

release:
	@JOBS=$(JOBS) RELEASE_TRIAL=$(RELEASE_TRIAL) QT_WASM_TARBALL=$(QT_WASM_TARBALL) \
		scripts/release.sh build "$(RELEASE_DIR)" "$(DEBIAN_CACHE)" \
		"$(DEBIAN_MIRROR)" "$(QT_MINGW_TARBALL)" $(RELEASE_FILES)

release-check:
	@JOBS=$(JOBS) QT_WASM_TARBALL=$(QT_WASM_TARBALL) scripts/release.sh check "$(RELEASE_CHECK_DIR)" "$(DEBIAN_CACHE)" \
		"$(DEBIAN_MIRROR)" "$(QT_MINGW_TARBALL)" $(RELEASE_CHECK_FILES)
