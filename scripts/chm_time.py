#!/usr/bin/env python3
"""Sets the time chmcmd writes into a CHM file, twice, as milliseconds since midnight (in the
ITSF header, big-endian, and in the #SYSTEM file's entry 10, little-endian), to the time of day
of a given moment, so that the same sources make the same file.

    scripts/chm_time.py <file.chm> <seconds since 1970>
"""
import struct
import sys
from pathlib import Path


def encint(data, pos):
    """The CHM directory's variable-length integer at pos, and the position after it."""
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def system_file(data):
    """Where the #SYSTEM file starts in the CHM file (it always lies in section 0), and its
    length."""
    directory, directory_length = struct.unpack_from("<QQ", data, 0x48)
    content = struct.unpack_from("<Q", data, 0x58)[0]
    if data[directory:directory + 4] != b"ITSP":
        sys.exit("chm_time.py: no ITSP directory")
    header_length, _, chunk_size = struct.unpack_from("<III", data, directory + 8)
    first = directory + header_length
    for chunk in range(first, directory + directory_length - chunk_size + 1, chunk_size):
        if data[chunk:chunk + 4] != b"PMGL":  # an index chunk
            continue
        free = struct.unpack_from("<I", data, chunk + 4)[0]
        pos, end = chunk + 0x14, chunk + chunk_size - free
        while pos < end:
            length, pos = encint(data, pos)
            name = data[pos:pos + length]
            pos += length
            section, pos = encint(data, pos)
            offset, pos = encint(data, pos)
            size, pos = encint(data, pos)
            if name == b"/#SYSTEM" and section == 0:
                return content + offset, size
    sys.exit("chm_time.py: no #SYSTEM file")


def main():
    path = Path(sys.argv[1])
    milliseconds = int(sys.argv[2]) % 86400 * 1000
    data = bytearray(path.read_bytes())
    if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
        sys.exit(f"chm_time.py: {path} is no ITSF version 3 file")
    struct.pack_into(">I", data, 0x10, milliseconds)
    start, size = system_file(data)
    pos = start + 4  # after the #SYSTEM version: entries of code, length, data
    while pos + 4 <= start + size:
        code, length = struct.unpack_from("<HH", data, pos)
        if code == 10 and length >= 4:
            struct.pack_into("<I", data, pos + 4, milliseconds)
            path.write_bytes(data)
            return
        pos += 4 + length
    sys.exit("chm_time.py: #SYSTEM holds no time")


if __name__ == "__main__":
    main()
