# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
"""The grey level (0 black .. 255 white) of pixel X Y of an Xvfb screen's
frame buffer, the XWD file that `Xvfb -fbdir` keeps up to date.
Usage: pixel.py FRAMEBUFFER X Y [dark|light SECONDS]
With a shade, reads the pixel until it is dark (below 90) or light (above
170), for at most SECONDS, and exits 1 if it never is; prints the last level."""
import struct
import sys
import time


def level(path, x, y):
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
    red, green, blue = (((pixel & mask) >> ((mask & -mask).bit_length() - 1)) for mask in masks)
    return round(0.299 * red + 0.587 * green + 0.114 * blue)


path, x, y = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
shade = sys.argv[4] if len(sys.argv) > 4 else None
end = time.monotonic() + (float(sys.argv[5]) if len(sys.argv) > 5 else 0)
while True:
    grey = level(path, x, y)
    if shade is None or (shade == "dark" and grey < 90) or (shade == "light" and grey > 170):
        print(grey)
        sys.exit(0)
    if time.monotonic() > end:
        print(grey)
        sys.exit(1)
    time.sleep(0.005)
