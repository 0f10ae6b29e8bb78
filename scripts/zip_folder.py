#!/usr/bin/env python3
"""Zips a folder the same way every time: entries sorted by name, folders as entries of their
own, every entry dated at one given moment and marked as made on Windows (FAT attributes:
archive for files, directory for folders), names in UTF-8 with the flag that says so, which
Windows' own zip folders, 7-Zip and unzip read.

    scripts/zip_folder.py <folder> <output.zip> <seconds since 1970>
"""
import os
import sys
import time
import zipfile
from pathlib import Path

FILE_ATTRIBUTE_DIRECTORY = 0x10
FILE_ATTRIBUTE_ARCHIVE = 0x20


def main():
    folder, output, moment = Path(sys.argv[1]), Path(sys.argv[2]), int(sys.argv[3])
    # A zip keeps local time in two-second steps from 1980 on: the moment is written as UTC.
    date_time = time.gmtime(max(moment, 315532800))[:6]
    names = []
    for parent, folders, files in os.walk(folder):
        relative = Path(parent).relative_to(folder)
        names += [(relative / f).as_posix() + "/" for f in folders]
        names += [(relative / f).as_posix() for f in files]
    tmp = output.with_name(output.name + ".tmp")
    with zipfile.ZipFile(tmp, "w") as zip_file:
        for name in sorted(names, key=lambda n: n.encode("utf-8")):
            info = zipfile.ZipInfo(name, date_time)
            info.create_system = 0
            if name.endswith("/"):
                info.external_attr = FILE_ATTRIBUTE_DIRECTORY
                zip_file.writestr(info, b"")
            else:
                info.external_attr = FILE_ATTRIBUTE_ARCHIVE
                info.compress_type = zipfile.ZIP_DEFLATED
                zip_file.writestr(info, (folder / name).read_bytes(), compresslevel=9)
    tmp.replace(output)


if __name__ == "__main__":
    main()
