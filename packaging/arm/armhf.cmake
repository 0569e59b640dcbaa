# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Cross-builds for Debian's armhf with Debian's own cross compiler (arm-linux-gnueabihf-g++),
# against the armhf libraries installed beside the build machine's (qt6-base-dev:armhf
# and so on, from dpkg --add-architecture armhf). Qt's host tools are the build machine's;
# make/arm.mk passes QT_HOST_PATH and QT_HOST_PATH_CMAKE_DIR.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-linux-gnueabihf-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)
# The Debian package is for armhf, not for the machine that builds it.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE armhf)
