#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
"""Packs a folder into a zip that is the same, byte for byte, whenever the folder's files
are: the files in name order under one top folder, each with SOURCE_DATE_EPOCH's time
(the commit's, in UTC) and plain read permissions, compressed at one fixed level.
Usage: zip-folder.py FOLDER ZIP TOP"""
import os
import sys
import time
import zipfile


def main():
    folder, out, top = sys.argv[1:4]
    stamp = time.gmtime(int(os.environ.get("SOURCE_DATE_EPOCH", "315532800")))
    # The zip format holds no time before 1980.
    date_time = max(stamp[:6], (1980, 1, 1, 0, 0, 0))
    with zipfile.ZipFile(out, "w") as archive:
        for name in sorted(os.listdir(folder)):
            info = zipfile.ZipInfo(f"{top}/{name}", date_time)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix, so that the permissions below are read
            info.external_attr = 0o644 << 16
            with open(os.path.join(folder, name), "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)


if __name__ == "__main__":
    main()
