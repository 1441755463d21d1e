#!/usr/bin/env python3
"""Draws Corvexa's icon: a screen with a pointer on a blue tile. Writes the scalable SVG and the
48 px PNG from the same shapes, so the two stay alike (no image tools needed):

    python3 tools/make_icon.py            # writes packaging/corvexa.svg and corvexa-48.png
"""
import argparse
import pathlib
import struct
import zlib

TILE = "#1f5f99"
SCREEN = "#2f8fd8"
WHITE = "#ffffff"

# (kind, geometry, colour), painted in order on a 48 x 48 canvas.
SHAPES = [
    ("rect", (3, 3, 42, 42, 8), TILE),
    ("rect", (9, 11, 30, 21, 2), WHITE),
    ("rect", (11.5, 13.5, 25, 16, 0.5), SCREEN),
    ("rect", (21, 32, 6, 3.5, 0), WHITE),
    ("rect", (15, 35, 18, 3, 1.5), WHITE),
    ("poly", ((19, 15.5), (19, 27.5), (22, 24.8), (24.2, 29.2), (26.4, 28.2), (24.2, 23.9),
              (28.2, 23.9)), WHITE),
]


def svg():
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" '
             'viewBox="0 0 48 48">']
    for kind, g, colour in SHAPES:
        if kind == "rect":
            x, y, w, h, r = g
            parts.append(f'  <rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" '
                         f'fill="{colour}"/>')
        else:
            points = " ".join(f"{px},{py}" for px, py in g)
            parts.append(f'  <polygon points="{points}" fill="{colour}"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def inside(kind, g, x, y):
    if kind == "rect":
        rx, ry, w, h, r = g
        if not (rx <= x <= rx + w and ry <= y <= ry + h):
            return False
        # Only the corners are round: measure from the nearest corner circle's centre.
        cx = min(max(x, rx + r), rx + w - r)
        cy = min(max(y, ry + r), ry + h - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    hit = False
    for (x1, y1), (x2, y2) in zip(g, g[1:] + g[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def png(size, samples=8):
    rows = []
    for py in range(size):
        row = bytearray([0])  # no filter
        for px in range(size):
            total = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * 48 / size
                    y = (py + (sy + 0.5) / samples) * 48 / size
                    colour = None
                    for kind, g, c in SHAPES:
                        if inside(kind, g, x, y):
                            colour = c
                    if colour:
                        r, gr, b = rgb(colour)
                        total = [total[0] + r, total[1] + gr, total[2] + b, total[3] + 1]
            n = total[3]
            if n == 0:
                row += bytes(4)
            else:
                row += bytes([round(total[0] / n), round(total[1] / n), round(total[2] / n),
                              round(255 * n / samples ** 2)])
        rows.append(bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def main():
    here = pathlib.Path(__file__).resolve().parent.parent / "packaging"
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=pathlib.Path, default=here)
    out = parser.parse_args().out
    (out / "corvexa.svg").write_text(svg())
    (out / "corvexa-48.png").write_bytes(png(48))


if __name__ == "__main__":
    main()
