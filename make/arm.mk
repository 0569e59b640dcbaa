# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Raspberry Pi and other ARM computers: Debian packages for arm64 and armhf, cross-built
# with Debian's own cross compiler against the release's own Qt, in the Debian root of
# that release that make debian-check keeps (scripts/arm-leg.sh, needs root).
# `make arm-package`: the package, checked with lintian, brought back to ARM_DIST/.
# `make arm-test`: the whole suite built for ARM_ARCH and run under qemu-user.
# `make arm-package-check`: make package-check's steps for that package, in a root of its
# release made for ARM_ARCH, whose programs run under qemu-user.
# `make arm-check`: all three for arm64 on Debian 13; `make arm-packages`: the package and
# lintian for the other three targets (arm64 on Debian 12, armhf on Debian 12 and 13).
# ARM_ARCH is arm64 (default) or armhf; ARM_SUITE is trixie (default) or bookworm.
# ARM_LOCAL=1 builds with this machine's own tools instead; the root's leg does that.
ARM_ARCH ?= arm64
ARM_SUITE ?= trixie
ARM_DIST ?= build-arm
ARM_LOCAL ?=

.PHONY: arm-deps arm-package arm-test arm-package-check arm-check arm-packages

arm-check:
	@$(MAKE) --no-print-directory arm-test arm-package-check ARM_ARCH=arm64 ARM_SUITE=trixie

arm-packages:
	@$(MAKE) --no-print-directory arm-package ARM_ARCH=arm64 ARM_SUITE=bookworm
	@$(MAKE) --no-print-directory arm-package ARM_ARCH=armhf ARM_SUITE=bookworm
	@$(MAKE) --no-print-directory arm-package ARM_ARCH=armhf ARM_SUITE=trixie

ifeq ($(ARM_LOCAL),)
arm-package-check: arm-package

arm-package arm-test arm-package-check:
	@JOBS=$(JOBS) scripts/arm-leg.sh $@ "$(ARM_SUITE)" "$(ARM_ARCH)" "$(DEBIAN_CACHE)" \
		"$(DEBIAN_MIRROR)" "$(ARM_DIST)"
else
ARM_TRIPLE = $(if $(filter armhf,$(ARM_ARCH)),arm-linux-gnueabihf,aarch64-linux-gnu)
ARM_QEMU = /usr/bin/qemu-$(if $(filter armhf,$(ARM_ARCH)),arm,aarch64)-static
# The libraries the build links, for ARM_ARCH, beside this machine's own.
ARM_LIBRARIES = qt6-base-dev qt6-qpa-plugins libgl-dev libgtest-dev libgmock-dev \
	libbenchmark-dev libx11-dev
ARM_PACKAGE_BUILD ?= build-$(ARM_ARCH)-pkg
ARM_TEST_BUILD ?= build-$(ARM_ARCH)
# The program's own flags for ARM_ARCH, as Debian's packages for it are built.
ARM_FLAGS = DEB_HOST_ARCH=$(ARM_ARCH) CC=$(ARM_TRIPLE)-gcc dpkg-buildflags --get
ARM_CMAKE = cmake -S . -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/packaging/arm/$(ARM_ARCH).cmake \
	-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$$(dpkg-architecture -qDEB_BUILD_MULTIARCH)/cmake \
	-DCMAKE_CROSSCOMPILING_EMULATOR=$(ARM_QEMU) $(LAUNCHER)

# Changes the root (an architecture more, packages, the kernel's handler for ARM
# programs): the leg runs it while it holds the root's lock.
arm-deps:
	@dpkg --add-architecture $(ARM_ARCH)
	@scripts/install-deps.sh g++-$(ARM_TRIPLE) qemu-user-static file lintian \
		$(ARM_LIBRARIES:%=%:$(ARM_ARCH))
	@packaging/arm/binfmt.sh $(ARM_QEMU)

arm-package:
	@$(ARM_CMAKE) -B $(ARM_PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF \
		-DCMAKE_CXX_FLAGS="$$($(ARM_FLAGS) CPPFLAGS) $$($(ARM_FLAGS) CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(ARM_FLAGS) LDFLAGS)" > /dev/null
	@cmake --build $(ARM_PACKAGE_BUILD) -j $(JOBS)
	@cd $(ARM_PACKAGE_BUILD) && umask 022 && DEB_HOST_ARCH=$(ARM_ARCH) cpack -G DEB
	@echo "== lintian $$(lintian --version | sed 's/^Lintian v//')"
	@lintian --info --fail-on error,warning $(ARM_PACKAGE_BUILD)/actuator-panel_*_$(ARM_ARCH).deb

arm-test:
	@$(ARM_CMAKE) -B $(ARM_TEST_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build $(ARM_TEST_BUILD) -j $(JOBS)
	cd $(ARM_TEST_BUILD) && ctest --output-on-failure -j $(JOBS)
endif
