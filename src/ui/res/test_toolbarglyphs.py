#!/usr/bin/env python3
"""Checks of toolbarglyphs.py: the strip it draws from the program's table,
and the faults of a table that it refuses without writing anything."""
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, 'toolbarglyphs.py')
TABLE = os.path.join(HERE, 'ToolBarGlyphs.txt')
STRIP = os.path.join(HERE, '..', 'IconBoxChild.cpp')
COMMAND_IDS = os.path.join(HERE, '..', '..', 'pxui', 'PXCmdIds.h')

COLOURS = """colour k 000000
colour R 800000
colour G 008000
colour O 808000
colour N 000080
colour P 800080
colour T 008080
colour . C0C0C0
colour g 808080
colour r FF0000
colour l 00FF00
colour y FFFF00
colour b 0000FF
colour m FF00FF
colour c 00FFFF
colour w FFFFFF
"""


def glyph(index, command, rows=None):
    if rows is None:
        rows = ['k' + '.' * 15] + ['.' * 16] * 14
    return "glyph %d %d\n%s\n" % (index, command, "\n".join(rows))


class ToolBarGlyphsTest(unittest.TestCase):
    def run_script(self, table_text=None, table_path=None):
        tmp = tempfile.mkdtemp()
        if table_path is None:
            table_path = os.path.join(tmp, 'table.txt')
            with open(table_path, 'w') as f:
                f.write(table_text)
        out = os.path.join(tmp, 'out.bmp')
        result = subprocess.run([sys.executable, SCRIPT, table_path, out],
                                capture_output=True, text=True)
        data = open(out, 'rb').read() if os.path.exists(out) else None
        return result, data

    def pixel(self, data, x, y):
        """The colour index of pixel (x, y), y from the top."""
        offset = struct.unpack('<I', data[10:14])[0]
        width, height = struct.unpack('<ii', data[18:26])
        stride = ((width + 1) // 2 + 3) & ~3
        row = data[offset + (height - 1 - y) * stride:]
        byte = row[x // 2]
        return byte >> 4 if x % 2 == 0 else byte & 0x0F

    def test_the_programs_table_gives_fifteen_cells_of_sixteen_colours(self):
        result, data = self.run_script(table_path=TABLE)
        self.assertEqual(0, result.returncode, result.stderr)
        self.assertEqual(b'BM', data[:2])
        size, width, height, planes, bits, compression = struct.unpack('<IiiHHI', data[14:34])
        self.assertEqual((40, 240, 15, 1, 4, 0), (size, width, height, planes, bits, compression))
        self.assertEqual(16, struct.unpack('<I', data[46:50])[0])
        # Entry 7 of the colour table is the light-grey face.
        self.assertEqual(bytes((0xC0, 0xC0, 0xC0, 0)), data[54 + 4 * 7:54 + 4 * 8])
        # Every cell's top-left pixel is face; glyph 10 (Delete) is red ink.
        for cell in range(15):
            self.assertEqual(7, self.pixel(data, cell * 16, 0), "cell %d" % cell)
        self.assertEqual(9, self.pixel(data, 10 * 16 + 2, 2))

    def test_the_glyphs_follow_the_buttons_of_the_tool_strip(self):
        """Glyph i belongs to button i of the strip's record."""
        sys.path.insert(0, HERE)
        import toolbarglyphs
        _, cells = toolbarglyphs.read_table(TABLE)
        ids = {}
        with open(COMMAND_IDS) as f:
            for m in re.finditer(r'^#define\s+(CM_\w+)\s+(\d+)', f.read(), re.M):
                ids[m.group(1)] = int(m.group(2))
        with open(STRIP) as f:
            buttons = re.findall(r'TS_BUTTON\((CM_\w+),', f.read())
        self.assertEqual(15, len(buttons))
        self.assertEqual([ids[b] for b in buttons], [cell[1] for cell in cells])

    def test_cells_lie_side_by_side_in_their_order(self):
        rows1 = ['.' * 15 + 'w'] + ['.' * 16] * 14
        result, data = self.run_script(COLOURS + glyph(0, 1) + glyph(1, 2, rows1))
        self.assertEqual(0, result.returncode, result.stderr)
        self.assertEqual(32, struct.unpack('<i', data[18:22])[0])
        self.assertEqual(0, self.pixel(data, 0, 0))
        self.assertEqual(15, self.pixel(data, 31, 0))
        self.assertEqual(7, self.pixel(data, 16, 0))

    def test_faulty_tables_are_refused_and_nothing_is_written(self):
        cases = {
            "short row": COLOURS + glyph(0, 1, ['.' * 15] + ['.' * 16] * 14),
            "unknown colour": COLOURS + glyph(0, 1, ['Z' * 16] + ['.' * 16] * 14),
            "missing rows": COLOURS + "glyph 0 1\n" + "\n".join(['.' * 16] * 10) + "\n",
            "out of order": COLOURS + glyph(1, 1),
            "two glyphs of one command": COLOURS + glyph(0, 1) + glyph(1, 1),
            "too few colours": "colour k 000000\n" + glyph(0, 1),
            "colour named twice": COLOURS.replace("colour R 800000", "colour k 800000") + glyph(0, 1),
            "no glyphs": COLOURS,
            "unknown line": COLOURS + "picture 0\n",
        }
        for name, text in cases.items():
            with self.subTest(name):
                result, data = self.run_script(text)
                self.assertNotEqual(0, result.returncode)
                self.assertIn("toolbarglyphs:", result.stderr)
                self.assertIsNone(data)


if __name__ == '__main__':
    unittest.main()
