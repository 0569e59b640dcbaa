# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make web`: the panel built for WebAssembly into build-web/, a folder that any web server
# serves as it is: index.html (the page), actuator-panel.js and .wasm (the program),
# qtloader.js (Qt's loader), the icons, the app manifest, the service worker that keeps the
# files for offline starts, and the licences.
# `make web-test`: serves that folder on 127.0.0.1 and drives this machine's Chromium,
# headless, through its driver (packaging/web/check-web.py).
# `make web-bench`: the move's time, the CPU per tick, the transfer sizes and the time to
# the first painted panel, in headless Chromium (packaging/web/check-web.py --bench).
# The build runs inside the Debian 13 root of make debian-check (scripts/web-leg.sh, needs
# root) with its emscripten and its Qt host tools, and brings the folder back to
# build-web/. WEB_LOCAL=1 builds with this machine's own tools instead, which must be
# Debian 13's; the root's leg does that.
# Qt for WebAssembly is kept in QT_WASM_PREFIX; when it is not there it is unpacked from
# QT_WASM_TARBALL if that is given, else built once from Debian's source.
WEB_BUILD ?= build-web
WEB_LOCAL ?=
# WEB_FUNCTION_NAMES=1 keeps the program's function names, for make web-profile.
WEB_FUNCTION_NAMES ?=
QT_WASM_PREFIX ?= $(or $(XDG_CACHE_HOME),$(HOME)/.cache)/actuator-panel/qt6-wasm-6.8.2
QT_WASM_TARBALL ?=
WEB_PACKAGES = emscripten nodejs ninja-build perl python3 dpkg-dev xz-utils fonttools brotli
WEB_TEST_PACKAGES = chromium chromium-driver python3-selenium python3-pil brotli

.PHONY: web web-deps web-sdk web-sdk-source web-test web-bench web-profile

web-deps:
	@scripts/install-deps.sh $(WEB_PACKAGES)

web-sdk: web-deps
	@packaging/web/qt-sdk.sh $(QT_WASM_PREFIX) $(QT_WASM_TARBALL) > /dev/null

# Only what web-sdk needs from apt: the packages, and Qt's source when Qt is built from it.
# The root's leg runs this while the root is locked, and the rest without.
web-sdk-source: web-deps
	@packaging/web/qt-sdk.sh --source-only $(QT_WASM_PREFIX) $(QT_WASM_TARBALL)

ifeq ($(WEB_LOCAL),)
web:
	@JOBS=$(JOBS) WEB_FUNCTION_NAMES=$(WEB_FUNCTION_NAMES) scripts/web-leg.sh "$(DEBIAN_CACHE)" "$(DEBIAN_MIRROR)" "$(WEB_BUILD)" \
		$(QT_WASM_TARBALL)
else
# Qt's CMake files find emscripten through the emsdk stand-in beside the prefix. The
# benchmarks, fuzz targets, soak run, packaging and tests are left out: the tests run in
# the browser, through the page.
web: web-sdk
	@EMSDK=$(QT_WASM_PREFIX).emsdk $(QT_WASM_PREFIX)/bin/qt-cmake -S . -B $(WEB_BUILD)-cmake \
		-G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF \
		-DQT_SKIP_AUTO_PLUGIN_INCLUSION=OFF -DWEB_FUNCTION_NAMES=$(if $(WEB_FUNCTION_NAMES),ON,OFF) \
		> /dev/null
	@EMSDK=$(QT_WASM_PREFIX).emsdk cmake --build $(WEB_BUILD)-cmake -j $(JOBS)
	@packaging/web/assemble.sh $(WEB_BUILD)-cmake $(WEB_BUILD)
endif

# Built when it is missing; a fresh build needs `make web` first.
$(WEB_BUILD)/index.html:
	@$(MAKE) --no-print-directory web

web-test: $(WEB_BUILD)/index.html
	@scripts/install-deps.sh $(WEB_TEST_PACKAGES)
	packaging/web/check-web.py $(WEB_BUILD)

web-bench: $(WEB_BUILD)/index.html
	@scripts/install-deps.sh $(WEB_TEST_PACKAGES)
	@packaging/web/check-web.py --bench $(WEB_BUILD)

# Where the page's time goes during a move; names the program's functions in a build made
# with `make web WEB_FUNCTION_NAMES=1`.
web-profile: $(WEB_BUILD)/index.html
	@scripts/install-deps.sh $(WEB_TEST_PACKAGES)
	@packaging/web/check-web.py --profile $(WEB_BUILD)
