# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Cross-builds for Debian's arm64 with Debian's own cross compiler (aarch64-linux-gnu-g++),
# against the arm64 libraries installed beside the build machine's (qt6-base-dev:arm64
# and so on, from dpkg --add-architecture arm64). Qt's host tools are the build machine's;
# make/arm.mk passes QT_HOST_PATH and QT_HOST_PATH_CMAKE_DIR.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# The Debian package is for arm64, not for the machine that builds it.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
