# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make windows`: the Windows program cross-compiled with mingw-w64 in build-windows/,
# with its DLLs beside it in build-windows/bin/, a zip and an NSIS installer.
# `make windows-test`: the model and log tests under Wine, then the installed program
# driven on a virtual X display (packaging/windows/check-windows.sh).
# `make windows-bench`: `make bench` with the Windows build's pacing under Wine beside it.
# All three run inside the Debian 13 root of make debian-check (scripts/windows-leg.sh,
# needs root), with its mingw-w64, its Qt host tools and its Wine, and bring the program,
# the zip and the installer back to build-windows/. WINDOWS_LOCAL=1 builds with this
# machine's own tools instead, which must be Debian 13's; the root's leg does that.
# Qt for Windows is kept in QT_MINGW_PREFIX; when it is not there it is unpacked from
# QT_MINGW_TARBALL if that is given, else built once from Debian's source.
WINDOWS_BUILD ?= build-windows
WINDOWS_LOCAL ?=
QT_MINGW_PREFIX ?= $(or $(XDG_CACHE_HOME),$(HOME)/.cache)/actuator-panel/qt6-mingw-6.8.2
QT_MINGW_TARBALL ?=
WINDOWS_PACKAGES = g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 nsis \
	ninja-build perl python3 xvfb xauth xdotool imagemagick libgtest-dev libgmock-dev dpkg-dev \
	xz-utils

.PHONY: windows windows-deps windows-sdk windows-sdk-source windows-test windows-bench

# wine64 recommends wine32, and in a root that already holds armhf packages (make arm-check)
# apt takes wine32:armhf for it, whose loader makes every Windows program stop at once
# ("wineserver doesn't support the 01c4 architecture"): it goes again.
windows-deps:
	@scripts/install-deps.sh $(WINDOWS_PACKAGES)
	@! dpkg-query -W -f='$${Status}' wine32:armhf 2> /dev/null | grep -q "ok installed" || \
		$(if $(filter 0,$(shell id -u)),,sudo) apt-get purge -y -qq wine32:armhf

windows-sdk: windows-deps
	@packaging/windows/qt-sdk.sh $(QT_MINGW_PREFIX) $(QT_MINGW_TARBALL) > /dev/null

# Only what windows-sdk needs from apt: the packages, and Qt's source when Qt is built
# from it. The root's leg runs this while the root is locked, and the rest without.
windows-sdk-source: windows-deps
	@packaging/windows/qt-sdk.sh --source-only $(QT_MINGW_PREFIX) $(QT_MINGW_TARBALL)

ifeq ($(WINDOWS_LOCAL),)
windows windows-test windows-bench:
	@JOBS=$(JOBS) scripts/windows-leg.sh $@ "$(DEBIAN_CACHE)" "$(DEBIAN_MIRROR)" \
		"$(WINDOWS_BUILD)" $(QT_MINGW_TARBALL)
else
windows: windows-sdk
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=Release $(LAUNCHER) \
		-DCMAKE_TOOLCHAIN_FILE=$(QT_MINGW_PREFIX)/lib/cmake/Qt6/qt.toolchain.cmake \
		-DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/packaging/windows/mingw-w64-x86_64.cmake \
		-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
		-DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/packaging/windows/wine-run.sh > /dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	@cd $(WINDOWS_BUILD) && cpack > /dev/null
	@ls -1 $(WINDOWS_BUILD)/bin/actuator-panel.exe $(WINDOWS_BUILD)/actuator-panel-*-win64.*

windows-test: windows
	cd $(WINDOWS_BUILD) && WINEPREFIX=$(abspath $(WINDOWS_BUILD))/wine \
		ctest --output-on-failure
	WINEPREFIX=$(abspath $(WINDOWS_BUILD))/wine packaging/windows/check-windows.sh $(WINDOWS_BUILD)

windows-bench: windows
	@$(MAKE) --no-print-directory bench WINDOWS_BUILD=$(WINDOWS_BUILD)
endif
