# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
"""Prints the grey level (0 black .. 255 white) of pixel X Y of an Xvfb
screen's frame buffer, the XWD file that `Xvfb -fbdir` keeps up to date.
Usage: pixel.py FRAMEBUFFER X Y"""
import struct
import sys

path, x, y = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
with open(path, "rb") as f:
    data = f.read()
fields = struct.unpack(">25I", data[:100])
header_size, width, height = fields[0], fields[4], fields[5]
byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
masks, ncolors = fields[14:17], fields[19]
if bits_per_pixel != 32 or not (0 <= x < width and 0 <= y < height):
    sys.exit("unexpected frame buffer or place")
offset = header_size + 12 * ncolors + y * bytes_per_line + 4 * x
pixel = struct.unpack("<I" if byte_order == 0 else ">I", data[offset:offset + 4])[0]
channels = []
for mask in masks:
    shift = (mask & -mask).bit_length() - 1
    channels.append((pixel & mask) >> shift)
red, green, blue = channels
print(round(0.299 * red + 0.587 * green + 0.114 * blue))
