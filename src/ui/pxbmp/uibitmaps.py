#!/usr/bin/env python3
"""Draws the editor's bitmaps from their readable tables.

Usage:
  uibitmaps.py library Bitmaps.txt OUTDIR   one NAME.bmp per line of the
                                            table and OUTDIR/PXBitmaps.rc
                                            naming each as a BITMAP resource
  uibitmaps.py splash Splash.txt OUT.bmp    the start-up picture

The cells are drawn as the block image strip draws its cells.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                '..', '..', 'pxcommon', 'res'))
import blockimages  # noqa: E402


def read_library(path):
    rows = []
    names = set()
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.split('#', 1)[0].strip()
            if not line:
                continue
            fields = line.split()
            if len(fields) != 4:
                raise ValueError("%s:%d: expected name, shape, fill, code" % (path, number))
            name, shape, fill, code = fields
            if name in names:
                raise ValueError("%s:%d: %s is named twice" % (path, number, name))
            names.add(name)
            rgb = tuple(int(fill[i:i + 2], 16) for i in (0, 2, 4))
            rows.append((name, shape, rgb, code.upper()))
    return rows


def library(table, outdir):
    os.makedirs(outdir, exist_ok=True)
    lines = ["// Generated from %s: the bitmaps of the resource library." % os.path.basename(table)]
    for name, shape, rgb, code in read_library(table):
        blockimages.write_bmp(os.path.join(outdir, name + ".bmp"),
                              blockimages.draw_cell(shape, rgb, code))
        lines.append('%s BITMAP "%s.bmp"' % (name, name))
    with open(os.path.join(outdir, "PXBitmaps.rc"), "w") as f:
        f.write("\n".join(lines) + "\n")


def read_splash(path):
    """key value lines: size W H, background RRGGBB, ink RRGGBB, then
    text X Y SCALE WORDS... lines and band Y H RRGGBB lines."""
    picture = {"texts": [], "bands": []}
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.split('#', 1)[0].strip()
            if not line:
                continue
            key, _, rest = line.partition(' ')
            rest = rest.strip()
            if key == "size":
                w, h = rest.split()
                picture["size"] = (int(w), int(h))
            elif key in ("background", "ink"):
                picture[key] = tuple(int(rest[i:i + 2], 16) for i in (0, 2, 4))
            elif key == "band":
                y, h, fill = rest.split()
                picture["bands"].append((int(y), int(h), tuple(int(fill[i:i + 2], 16) for i in (0, 2, 4))))
            elif key == "text":
                x, y, scale, words = rest.split(None, 3)
                picture["texts"].append((int(x), int(y), int(scale), words.upper()))
            else:
                raise ValueError("%s:%d: unknown key %s" % (path, number, key))
    return picture


def splash(table, out):
    picture = read_splash(table)
    w, h = picture["size"]
    rows = [[picture["background"]] * w for _ in range(h)]
    for y0, bh, fill in picture["bands"]:
        for y in range(max(0, y0), min(h, y0 + bh)):
            rows[y] = [fill] * w
    for x0, y0, scale, words in picture["texts"]:
        x = x0
        for ch in words:
            if ch == ' ':
                x += 4 * scale
                continue
            glyph = blockimages.FONT[ch]
            for gy, line in enumerate(glyph):
                for gx, pixel in enumerate(line):
                    if pixel != '#':
                        continue
                    for sy in range(scale):
                        for sx in range(scale):
                            px, py = x + gx * scale + sx, y0 + gy * scale + sy
                            if 0 <= px < w and 0 <= py < h:
                                rows[py][px] = picture["ink"]
            x += 6 * scale
    blockimages.write_bmp(out, rows)


def main(argv):
    if len(argv) != 4 or argv[1] not in ("library", "splash"):
        sys.stderr.write(__doc__)
        return 2
    if argv[1] == "library":
        library(argv[2], argv[3])
    else:
        splash(argv[2], argv[3])
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
