#!/usr/bin/env python3
"""Copies a TrueType/OpenType font with another head.fontRevision, its head
table checksum and the file's checksum adjustment made right again.
Usage: set_font_revision.py IN OUT REVISION (for example 2.5)"""
import struct
import sys


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def main():
    source, target, revision = sys.argv[1], sys.argv[2], float(sys.argv[3])
    font = bytearray(open(source, "rb").read())
    (count,) = struct.unpack_from(">H", font, 4)
    for i in range(count):
        entry = 12 + 16 * i
        tag, _, offset, length = struct.unpack_from(">4sIII", font, entry)
        if tag != b"head":
            continue
        struct.pack_into(">i", font, offset + 4, int(round(revision * 65536)))
        struct.pack_into(">I", font, offset + 8, 0)
        struct.pack_into(">I", font, entry + 4, checksum(bytes(font[offset:offset + length])))
        struct.pack_into(">I", font, offset + 8, (0xB1B0AFBA - checksum(bytes(font))) & 0xFFFFFFFF)
        open(target, "wb").write(font)
        return 0
    sys.exit("no head table in " + source)


if __name__ == "__main__":
    sys.exit(main())
