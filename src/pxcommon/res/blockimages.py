#!/usr/bin/env python3
"""Draws the block image strip (bitmap 1000) from BlockImages.txt.

Usage: blockimages.py BlockImages.txt output.bmp

Writes a 24-bit bottom-up BMP: one 40 by 40 cell per line of the table, side
by side, magenta (the mask colour) wherever no shape is drawn.
"""
import struct
import sys

CELL = 40
MAGENTA = (255, 0, 255)

# A 5 by 7 font: '#' is ink.
FONT = {
    'A': [" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    'B': ["#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "],
    'C': [" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "],
    'D': ["#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "],
    'E': ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"],
    'F': ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "],
    'G': [" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"],
    'H': ["#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    'I': [" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    'J': ["  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "],
    'K': ["#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"],
    'L': ["#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"],
    'M': ["#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"],
    'N': ["#   #", "#   #", "##  #", "# # #", "#  ##", "#   #", "#   #"],
    'O': [" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    'P': ["#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "],
    'Q': [" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"],
    'R': ["#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"],
    'S': [" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "],
    'T': ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "],
    'U': ["#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    'V': ["#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "],
    'W': ["#   #", "#   #", "#   #", "# # #", "# # #", "# # #", " # # "],
    'X': ["#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"],
    'Y': ["#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "],
    'Z': ["#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"],
}


def inside(shape, x, y):
    """Whether pixel (x, y) of a cell lies in the shape."""
    cx = cy = (CELL - 1) / 2.0
    if shape == 'box':
        lo, hi, r = 2, CELL - 3, 5
    elif shape == 'round':
        lo, hi, r = 2, CELL - 3, 12
    elif shape == 'diamond':
        return abs(x - cx) + abs(y - cy) <= 18.5
    else:
        raise ValueError("unknown shape " + shape)
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    # Rounded corners: outside the quarter circles at the four corners.
    nx = min(max(x, lo + r), hi - r)
    ny = min(max(y, lo + r), hi - r)
    return (x - nx) ** 2 + (y - ny) ** 2 <= r * r + r * 0.5


def draw_cell(shape, fill, code):
    """Rows (top first) of one cell as lists of (r, g, b)."""
    border = tuple(c * 45 // 100 for c in fill)
    luminance = 0.30 * fill[0] + 0.59 * fill[1] + 0.11 * fill[2]
    ink = (0, 0, 0) if luminance >= 150 else (255, 255, 255)
    rows = [[MAGENTA] * CELL for _ in range(CELL)]
    for y in range(CELL):
        for x in range(CELL):
            if not inside(shape, x, y):
                continue
            edge = any(not inside(shape, x + dx, y + dy)
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            rows[y][x] = border if edge else fill

    scale = 1 if (shape == 'diamond' or len(code) > 3) else 2
    # Letters stand one scaled column apart, or one pixel where that is too
    # wide for the shape.
    gap = scale
    if len(code) * 5 * scale + (len(code) - 1) * gap > CELL - 8:
        gap = 1
    advance = 5 * scale + gap
    width = len(code) * advance - gap
    height = 7 * scale
    if width > CELL - 8:
        raise ValueError("code %r is too wide for its cell" % code)
    left = (CELL - width) // 2
    top = (CELL - height) // 2
    for i, ch in enumerate(code):
        glyph = FONT[ch]
        for gy, line in enumerate(glyph):
            for gx, pixel in enumerate(line):
                if pixel != '#':
                    continue
                for sy in range(scale):
                    for sx in range(scale):
                        x = left + i * advance + gx * scale + sx
                        y = top + gy * scale + sy
                        rows[y][x] = ink
    return rows


def read_table(path):
    cells = []
    types = set()
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.split('#', 1)[0].strip()
            if not line:
                continue
            fields = line.split(None, 5)
            if len(fields) < 5:
                raise ValueError("%s:%d: expected cell, type, shape, fill, code" % (path, number))
            cell, block_type, shape, fill, code = fields[:5]
            if int(cell) != len(cells):
                raise ValueError("%s:%d: cell %s out of order" % (path, number, cell))
            if block_type in types:
                raise ValueError("%s:%d: block type %s has a cell already" % (path, number, block_type))
            types.add(block_type)
            rgb = tuple(int(fill[i:i + 2], 16) for i in (0, 2, 4))
            cells.append((shape, rgb, code.upper()))
    return cells


def write_bmp(path, rows):
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        pixels += line
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + pixels)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    cells = read_table(argv[1])
    strip = [[] for _ in range(CELL)]
    for shape, fill, code in cells:
        for y, row in enumerate(draw_cell(shape, fill, code)):
            strip[y].extend(row)
    write_bmp(argv[2], strip)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
