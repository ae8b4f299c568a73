#!/usr/bin/env python3
"""Writes PngSamples.h: PNG files made with Python's zlib and hand-built chunks (filters and Adam7 done here, on
the encoding side), one per colour type, bit depth and interlace, plus tRNS cases, for PngDecoderTest.cpp.
Each sample value follows SampleValue() below, which the test recomputes. Rerun: python3 make_png_samples.py"""
import struct
import zlib

WIDTH, HEIGHT = 13, 11  # odd sizes: partial Adam7 passes and padded sub-byte rows
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def sample_value(x, y, c, depth):
    v = x * 7 + y * 13 + c * 29 + x * y * 3
    return (v * 611) % 65536 if depth == 16 else v % (1 << depth)


def palette_entries(depth):
    return min(1 << depth, 200)


def palette(depth):
    return [((i * 3) % 256, 255 - i, (i * 7) % 256) for i in range(palette_entries(depth))]


def pixel_samples(ct, depth, x, y):
    if ct == 3:
        return [sample_value(x, y, 0, depth) % palette_entries(depth)]
    return [sample_value(x, y, c, depth) for c in range(CHANNELS[ct])]


def pack_row(ct, depth, xs, y):
    bits, nbits = 0, 0
    out = bytearray()
    for x in xs:
        for s in pixel_samples(ct, depth, x, y):
            if depth == 16:
                out += struct.pack(">H", s)
            elif depth == 8:
                out.append(s)
            else:
                bits = (bits << depth) | s
                nbits += depth
                if nbits == 8:
                    out.append(bits)
                    bits, nbits = 0, 0
    if nbits:
        out.append(bits << (8 - nbits))
    return bytes(out)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def filter_row(kind, row, prev, bpp):
    out = bytearray([kind])
    for i, v in enumerate(row):
        a = row[i - bpp] if i >= bpp else 0
        b = prev[i] if prev else 0
        c = prev[i - bpp] if prev and i >= bpp else 0
        pred = [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]
        out.append((v - pred) % 256)
    return bytes(out)


def raw_data(ct, depth, interlaced):
    bpp = max(1, CHANNELS[ct] * depth // 8)
    passes = ADAM7 if interlaced else [(0, 0, 1, 1)]
    out = bytearray()
    n = 0
    for x0, y0, dx, dy in passes:
        xs = list(range(x0, WIDTH, dx))
        prev = None
        for y in range(y0, HEIGHT, dy):
            if not xs:
                continue
            row = pack_row(ct, depth, xs, y)
            out += filter_row(n % 5, row, prev, bpp)  # every filter, row after row
            n += 1
            prev = row
    return bytes(out)


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(ct, depth, interlaced, trns=None, split_idat=True):
    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, depth, ct, 0, 0, int(interlaced)))
    out += chunk(b"gAMA", struct.pack(">I", 45455))
    if ct == 3:
        out += chunk(b"PLTE", bytes(v for rgb in palette(depth) for v in rgb))
    if trns is not None:
        out += chunk(b"tRNS", trns)
    out += chunk(b"tEXt", b"Comment\0made for the decoder tests")
    data = zlib.compress(raw_data(ct, depth, interlaced), 9)
    parts = [data[: len(data) // 3], data[len(data) // 3 :]] if split_idat else [data]
    for part in parts:
        out += chunk(b"IDAT", part)
    return out + chunk(b"IEND", b"")


samples = []
for ct, depths in [(0, [1, 2, 4, 8, 16]), (2, [8, 16]), (3, [1, 2, 4, 8]), (4, [8, 16]), (6, [8, 16])]:
    for depth in depths:
        for interlaced in (False, True):
            samples.append((ct, depth, interlaced, png(ct, depth, interlaced)))

# tRNS: the transparent grey / RGB value is the one at pixel (3, 2); a palette tRNS shorter than the palette.
TRNS_X, TRNS_Y = 3, 2
trns_samples = []
for ct, depth in [(0, 1), (0, 4), (0, 8), (0, 16), (2, 8), (2, 16)]:
    key = b"".join(struct.pack(">H", s) for s in pixel_samples(ct, depth, TRNS_X, TRNS_Y))
    trns_samples.append((ct, depth, png(ct, depth, False, key)))
for depth in (2, 8):
    trns_samples.append((3, depth, png(3, depth, True, bytes([0, 60, 120]))))

with open("PngSamples.h", "w") as f:
    f.write("#pragma once\n// Made by make_png_samples.py (Python's zlib, hand-built chunks); do not edit.\n")
    f.write("#include <cstdint>\n#include <vector>\n\n// clang-format off\nnamespace qor::testing {\n\n")
    f.write(f"inline constexpr int SampleWidth = {WIDTH}, SampleHeight = {HEIGHT};\n")
    f.write(f"inline constexpr int TrnsX = {TRNS_X}, TrnsY = {TRNS_Y};\n")
    f.write("struct TPngSample {\n  int ColorType, BitDepth;\n  bool Interlaced;\n  std::vector<uint8_t> File;\n};\n")
    f.write("inline const std::vector<TPngSample> PngSamples{\n")
    for ct, depth, il, data in samples:
        f.write(f"    {{{ct}, {depth}, {str(il).lower()}, {{{','.join(map(str, data))}}}}},\n")
    f.write("};\n// With tRNS (palette ones interlaced, with alphas 0, 60, 120 for the first three entries).\n")
    f.write("inline const std::vector<TPngSample> PngTrnsSamples{\n")
    for ct, depth, data in trns_samples:
        il = "true" if ct == 3 else "false"
        f.write(f"    {{{ct}, {depth}, {il}, {{{','.join(map(str, data))}}}}},\n")
    f.write("};\n\n}  // namespace qor::testing\n// clang-format on\n")
