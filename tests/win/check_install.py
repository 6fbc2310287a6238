#!/usr/bin/env python3
"""Checks a whole-package installation made under Wine against the sample package.

    check_install.py SAMPLE_DIR WINE_PREFIX MAIN_FOLDER

MAIN_FOLDER is the Windows path the wizard was given (on drive C:). Every catalogue file must
lie in its product's folder, byte-equal to its source, and none may keep the read-only bit.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_medium import COMMON, FTP_CLIENTS, FTP_SERVER, VORTEL, read, source_of  # noqa: E402


def main():
    sample, prefix, folder = sys.argv[1:4]
    assert folder[:3].upper() == "C:\\", "the main folder must be on drive C:"
    root = os.path.join(prefix, "drive_c", *folder[3:].strip("\\").split("\\"))
    places = [("", COMMON), ("Vortel", VORTEL), ("FTPCli", FTP_CLIENTS), ("FTPSrv", FTP_SERVER)]
    failures = []
    checked = 0
    for sub, entries in places:
        for entry in entries:
            if entry == "Install.exe":
                continue
            where = os.path.join(root, sub, "Scripts" if entry == "vortelpro.ftp" else "", entry)
            if not os.path.isfile(where):
                failures.append(f"missing {sub}\\{entry}")
                continue
            if read(where) != read(source_of(sample, entry)):
                failures.append(f"{sub}\\{entry} differs from its source")
            if not os.stat(where).st_mode & 0o200:
                failures.append(f"{sub}\\{entry} is read-only")
            checked += 1
    for failure in failures:
        print("FAIL:", failure)
    print(f"{checked} installed files checked, {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
