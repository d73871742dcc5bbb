#!/usr/bin/env python3
"""Draws the programs' icons at the sizes Explorer asks for (16, 24, 32, 48 and 256 pixels, 32-bit;
the 256-pixel image PNG-compressed as Windows expects) and writes them as .ico files.

Usage: scripts/gen_icons.py   (rewrites zentrel/ui/zentrel.ico and glimmet/shell/glimmet.ico;
the output is deterministic, so a rerun changes nothing)."""
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def zentrel_pixel(x, y, n):
    """A page with text lines and a blue arrow: 'look at and convert text files'."""
    s = n / 16.0
    page = 2 * s <= x < 12 * s and 1 * s <= y < 15 * s
    if not page:
        return (0, 0, 0, 0)
    border = x < 3 * s or x >= 11 * s or y < 2 * s or y >= 14 * s
    if border:
        return (40, 40, 40, 255)
    line = int(y / s) in (4, 6, 8, 10, 12) and 4 * s <= x < 10 * s
    if line:
        return (70, 110, 200, 255)
    return (250, 250, 250, 255)


def glimmet_pixel(x, y, n):
    """A magnifier over a window: 'read the text under the pointer'."""
    s = n / 16.0
    cx, cy, r = 6.5 * s, 6.5 * s, 4.5 * s
    d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
    if r - 1.2 * s <= d <= r:
        return (30, 30, 30, 255)
    if d < r - 1.2 * s:
        return (200, 230, 255, 255)
    if x >= y and x - y < 2 * s and x > 9 * s and y > 9 * s - 1 * s:
        return (120, 70, 20, 255)
    return (0, 0, 0, 0)


def bmp_entry(pixel, n):
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(n - 1, -1, -1):  # bottom-up
        row = b''
        for x in range(n):
            r, g, b, a = pixel(x, y, n)
            row += bytes((b, g, r, a))
        rows.append(row)
    mask_row = b'\x00' * (((n + 31) // 32) * 4)
    return header + b''.join(rows) + mask_row * n


def png_entry(pixel, n):
    """An RGBA PNG; fixed compression level and no time chunk, so the bytes never change."""
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    raw = b''
    for y in range(n):
        raw += b'\x00' + b''.join(bytes(pixel(x, y, n)) for x in range(n))
    header = struct.pack('>IIBBBBB', n, n, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) +
            chunk(b'IEND', b''))


SIZES = (16, 24, 32, 48, 256)


def write_ico(path, pixel):
    images = [png_entry(pixel, n) if n >= 256 else bmp_entry(pixel, n) for n in SIZES]
    out = struct.pack('<HHH', 0, 1, len(SIZES))
    offset = 6 + 16 * len(SIZES)
    for n, img in zip(SIZES, images):
        # The directory writes 256 as 0.
        out += struct.pack('<BBBBHHII', n % 256, n % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    write_ico(os.path.join(ROOT, 'zentrel', 'ui', 'zentrel.ico'), zentrel_pixel)
    os.makedirs(os.path.join(ROOT, 'glimmet', 'shell'), exist_ok=True)
    write_ico(os.path.join(ROOT, 'glimmet', 'shell', 'glimmet.ico'), glimmet_pixel)
