#!/usr/bin/env python3
"""Converts an uncompressed 24-bit BMP (as the GUI test writes them) to PNG:
  bmp2png.py in.bmp out.png"""
import struct
import sys
import zlib

data = open(sys.argv[1], "rb").read()
offset = struct.unpack_from("<I", data, 10)[0]
width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
assert bits == 24, "24-bit BMP expected"
row = (width * 3 + 3) & ~3
rows = []
for y in range(abs(height)):
    src = y if height < 0 else abs(height) - 1 - y
    line = data[offset + src * row: offset + src * row + width * 3]
    rows.append(b"\0" + bytes(b for i in range(0, len(line), 3) for b in (line[i + 2], line[i + 1], line[i])))


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
open(sys.argv[2], "wb").write(png)
