#!/usr/bin/env python3
"""Draws the tool-bar glyph strip (bitmap 1001) from ToolBarGlyphs.txt.

Usage: toolbarglyphs.py ToolBarGlyphs.txt output.bmp

The table holds 16 "colour" lines (the colour table of the bitmap, in order:
a character and its RRGGBB) and one "glyph" line per cell (its index, the
command id of its button and a name) followed by the cell's 15 rows of 16
characters, each naming a colour. Writes a 4-bit (16-colour) bottom-up BMP
with the cells side by side.
"""
import os
import struct
import sys

CELL_WIDTH = 16
CELL_HEIGHT = 15
COLOURS = 16


class TableError(ValueError):
    pass


def read_table(path):
    """The colour table [(r, g, b)], the characters' indexes and the cells
    [(index, command id, name, rows)]."""
    palette = []
    index_of = {}
    cells = []
    current = None
    with open(path) as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip('\n')
            where = "%s:%d" % (path, number)
            stripped = line.strip()
            if current is not None and len(current[3]) < CELL_HEIGHT:
                # A row of the cell being read: exactly 16 known characters.
                if len(stripped) != CELL_WIDTH:
                    raise TableError("%s: a row of glyph %d has %d characters, not %d"
                                     % (where, current[0], len(stripped), CELL_WIDTH))
                for ch in stripped:
                    if ch not in index_of:
                        raise TableError("%s: glyph %d uses %r, which no colour line names"
                                         % (where, current[0], ch))
                current[3].append([index_of[ch] for ch in stripped])
                continue
            if not stripped or stripped.startswith('#'):
                continue
            fields = stripped.split(None, 3)
            if fields[0] == 'colour':
                if cells:
                    raise TableError("%s: colour lines come before the glyphs" % where)
                if len(fields) < 3 or len(fields[1]) != 1 or len(fields[2]) != 6:
                    raise TableError("%s: expected: colour <char> <RRGGBB> [name]" % where)
                ch = fields[1]
                if ch in index_of:
                    raise TableError("%s: colour %r is named twice" % (where, ch))
                try:
                    rgb = tuple(int(fields[2][i:i + 2], 16) for i in (0, 2, 4))
                except ValueError:
                    raise TableError("%s: %r is no RRGGBB colour" % (where, fields[2]))
                index_of[ch] = len(palette)
                palette.append(rgb)
            elif fields[0] == 'glyph':
                if len(palette) != COLOURS:
                    raise TableError("%s: the colour table has %d entries, not %d"
                                     % (where, len(palette), COLOURS))
                if len(fields) < 3:
                    raise TableError("%s: expected: glyph <index> <command id> [name]" % where)
                try:
                    index = int(fields[1])
                    command = int(fields[2])
                except ValueError:
                    raise TableError("%s: index and command id are numbers" % where)
                if index != len(cells):
                    raise TableError("%s: glyph %d out of order (expected %d)"
                                     % (where, index, len(cells)))
                if any(c[1] == command for c in cells):
                    raise TableError("%s: command %d has a glyph already" % (where, command))
                current = (index, command, fields[3] if len(fields) > 3 else "", [])
                cells.append(current)
            else:
                raise TableError("%s: unknown line %r" % (where, stripped))
    if current is not None and len(current[3]) < CELL_HEIGHT:
        raise TableError("%s: glyph %d has %d rows, not %d"
                         % (path, current[0], len(current[3]), CELL_HEIGHT))
    if not cells:
        raise TableError("%s: no glyphs" % path)
    return palette, cells


def strip_rows(cells):
    """The rows (top first) of the strip: colour indexes side by side."""
    rows = []
    for y in range(CELL_HEIGHT):
        row = []
        for cell in cells:
            row.extend(cell[3][y])
        rows.append(row)
    return rows


def bmp_bytes(palette, rows):
    """A 4-bit bottom-up BMP of the rows."""
    height = len(rows)
    width = len(rows[0])
    stride = ((width + 1) // 2 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for x in range(0, width, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < width else 0
            line.append((hi << 4) | lo)
        line += b'\0' * (stride - len(line))
        pixels += line
    colour_table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colour_table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(pixels),
                       2835, 2835, COLOURS, 0)
    return header + info + colour_table + bytes(pixels)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    try:
        palette, cells = read_table(argv[1])
    except TableError as e:
        sys.stderr.write("toolbarglyphs: %s\n" % e)
        return 1
    data = bmp_bytes(palette, strip_rows(cells))
    # Written whole or not at all: a half-written strip would be taken by
    # the next build as up to date.
    tmp = argv[2] + '.tmp'
    with open(tmp, 'wb') as f:
        f.write(data)

    os.replace(tmp, argv[2])
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
