# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make package`: a release build in build-pkg/ and its Debian package, built by CPack.
# `make package-check`: installs that package with apt-get, starts the installed program
# on a virtual display, checks that its window appears, and removes the package again.
PACKAGE_BUILD ?= build-pkg

.PHONY: package package-check package-deps

# CPack's Debian generator finds the libraries' packages with file and dpkg-shlibdeps.
package-deps: deps
	@scripts/install-deps.sh file

# Built with Debian's own compiler and linker flags (hardening included), as Debian's
# packages are.
DEB_BUILD_MAINT_OPTIONS ?= hardening=+all
export DEB_BUILD_MAINT_OPTIONS

package: package-deps
	@cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $(LAUNCHER) \
		-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" > /dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS)
# The package's own members (debian-binary, control.tar, data.tar) get their modes from
# the umask, and their times from SOURCE_DATE_EPOCH (make/release.mk).
	@cd $(PACKAGE_BUILD) && umask 022 && cpack -G DEB

package-check: package
	@packaging/check-package.sh $(PACKAGE_BUILD)
