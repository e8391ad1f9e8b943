#!/usr/bin/env python3
"""Draws Quillon's application icon and writes Quillon.ico: 16, 24, 32 and 48 pixels, each
at 8 bits (palette + transparency mask) and 32 bits (alpha). Run it to regenerate the icon:
    python3 app/icon/make_icon.py
The picture: a blue rounded square with a white ring and tail (a 'Q') and a gold nib stroke.
"""
import math
import os
import struct

SIZES = (16, 24, 32, 48)
SAMPLES = 4  # supersampling per axis for smooth edges


def rounded_square(x, y):
    # Signed distance to a rounded square filling the unit square with a small margin.
    half, radius = 0.46, 0.16
    qx, qy = abs(x - 0.5) - (half - radius), abs(y - 0.5) - (half - radius)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def segment(x, y, ax, ay, bx, by):
    px, py, dx, dy = x - ax, y - ay, bx - ax, by - ay
    t = max(0.0, min(1.0, (px * dx + py * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - t * dx, py - t * dy)


def shade(x, y):
    """Colour (r, g, b, a) at a point of the unit square, a in 0..1."""
    if rounded_square(x, y) > 0:
        return (0, 0, 0, 0.0)
    top, bottom = (70, 140, 215), (25, 75, 150)
    r, g, b = (int(top[i] + (bottom[i] - top[i]) * y) for i in range(3))
    ring = abs(math.hypot(x - 0.47, y - 0.46) - 0.24) - 0.065
    tail = segment(x, y, 0.58, 0.58, 0.80, 0.80) - 0.065
    nib = segment(x, y, 0.22, 0.80, 0.36, 0.66) - 0.035
    if min(ring, tail) <= 0:
        return (255, 255, 255, 1.0)
    if nib <= 0:
        return (250, 200, 60, 1.0)
    return (r, g, b, 1.0)


def render(size):
    """Rows of (r, g, b, a) top-down, a in 0..255."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = shade((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha > 0:
                row.append(tuple(int(round(c / acc[3])) for c in acc[:3]) + (int(round(alpha * 255)),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def palette():
    # A 6x6x6 colour cube and a ramp of greys: 256 entries.
    colours = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    colours += [(int(i * 255 / 39),) * 3 for i in range(40)]
    return colours


def nearest(colour, pal, cache):
    if colour not in cache:
        cache[colour] = min(range(len(pal)), key=lambda i: sum((colour[k] - pal[i][k]) ** 2 for k in range(3)))
    return cache[colour]


def mask_rows(pixels, size):
    stride = ((size + 31) // 32) * 4
    out = b''
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def image_32(pixels, size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    body = b''.join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(pixels) for p in row)
    return header + body + mask_rows(pixels, size)


def image_8(pixels, size):
    pal = palette()
    cache = {}
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    table = b''.join(bytes((c[2], c[1], c[0], 0)) for c in pal)
    stride = (size + 3) // 4 * 4
    body = b''
    for row in reversed(pixels):
        line = bytes(nearest(p[:3], pal, cache) if p[3] >= 128 else 0 for p in row)
        body += line + bytes(stride - size)
    return header + table + body + mask_rows(pixels, size)


def main():
    images = []
    for size in SIZES:
        pixels = render(size)
        images.append((size, 8, image_8(pixels, size)))
        images.append((size, 32, image_32(pixels, size)))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, _, data in images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'Quillon.ico')
    with open(path, 'wb') as f:
        f.write(out)
    print(f'{path}: {len(images)} images, {len(out)} bytes')


if __name__ == '__main__':
    main()
