#!/usr/bin/env python3
"""Checks of the definition generator: the words it makes for each kind of
table line, and the refusal (with file and line) of malformed tables."""

import os
import re
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import pxsdodefgen as gen  # noqa: E402

TABLES = [os.path.join(HERE, n) for n in
          ("records.pxdef", "blocks.pxdef", "dialogs.pxdef", "sheets.pxdef")]
STRINGS = os.path.join(HERE, "PXSdoDefStrings.rc")
RES = os.path.join(HERE, "PXSdoDefRes.h")

# Definitions that the snippets below may refer to.
BASE = """\
record 30001 R30001
  references
  data
    field 100 "Row" TEXT 0x8001
dialog 30002 D30002 template 10001
  controls
"""


def compile_snippet(text, strings=None):
    """Compiles BASE plus text as one table "t.pxdef"; answers the catalogue."""
    cat = gen.Catalogue()
    gen.read_table("t.pxdef", cat, BASE + text)
    cat.check_references(strings if strings is not None else {8000: "Message %1", 1002: "x"})
    return cat


def words(text, def_id, strings=None):
    return compile_snippet(text, strings).defs[def_id].out.words()


class Words(unittest.TestCase):
    """The words of each statement, against hand-decoded expectations."""

    def test_field_statements(self):
        cases = [
            # (field line, words of the statement)
            ('field 25250 "Functions" RECORDSET 0x8005 records 30001',
             [0x3203, 25250, 7, 0x8005, 30001]),
            ('field 28001 "Greeting" INT16 0x8031 var 29001 "Menu choices"',
             [0x3203, 28001, 1, 0x8031, 29001]),
            ('field 28116 "Notes" TEXT 0x8021', [0x3203, 28116, 3, 0x8021]),
            # every optional word, in the order 0x002, 0x010, 0x004, 0x008
            ('field 7 "All" RECORDSET 0x801F records 30001 var 9 "v" word002 2 word008 8',
             [0x3203, 7, 7, 0x801F, 2, 9, 30001, 8]),
        ]
        for line, expected in cases:
            with self.subTest(line=line):
                w = words("record 1 R1\n  references\n  data\n    %s\n" % line, 1)
                self.assertEqual(expected, w[8:8 + len(expected)])

    def test_record_layout(self):
        w = words('record 1 "Kind"\n  references\n    dialog 5 help 6\n    sheet 30003\n'
                  '  data\n    field 10 "A" INT16 0x8001\n'
                  'sheet 30003 S30003\n  page 30002 help 7\n', 1)
        self.assertEqual([0x1001, 1, 0x3201, 5, 6, 0x3209, 30003, 2,
                          0x1002, 0x2001, 1, 1, 1, 0x3203, 10, 1, 0x8001, 2,
                          0], w)

    def test_conditions(self):
        head = ('record 1 R1\n  references\n  data\n'
                '    field 10 "A" INT16 0x8001\n    field 11 "B" INT32 0x8001\n'
                '    field 12 "T" TEXT 0x8001\n    field 13 "U" TEXT 0x8001\n'
                '  verification style 0x2201\n')
        msg = [0x3103, 0x8000, 8000, 0x8101, 10]
        cases = [
            ("when 10 = 1", [0x3001, 10, 0x8100, 1]),
            ("when 10 != 0", [0x3001, 10, 0x8101, 0]),
            ("when 10 > 3000", [0x3001, 10, 0x8200, 3000]),
            ("when 10 <= 0", [0x3001, 10, 0x8201, 0]),
            ("when 10 >= 10", [0x3001, 10, 0x8300, 10]),
            ("when 10 < 1", [0x3001, 10, 0x8301, 1]),
            ("when 10 = -1", [0x3001, 10, 0x8100, 0xFFFF]),
            ("when 11 in 1..5", [0x3001, 11, 0x8010, 1, 5]),
            ("when 11 not in 1..5", [0x3001, 11, 0x8011, 1, 5]),
            ("when 11 in 1..5 exclusive", [0x3001, 11, 0x8020, 1, 5]),
            ("when 12 empty", [0x3001, 12, 0x8040]),
            ("when 12 not empty", [0x3001, 12, 0x8041]),
            ("when 12 != field 13", [0x3001, 12, 0x8501, 13]),
            ("when 12 length < minimum", [0x3001, 12, 0x8B01]),
        ]
        for cond, expected in cases:
            with self.subTest(cond=cond):
                w = words(head + "    %s\n      message 8000 name 10\n" % cond, 1)
                i = w.index(0x3001)
                # one statement below: no block, the message follows at once
                self.assertEqual(expected + msg, w[i:i + len(expected) + len(msg)])

    def test_messages(self):
        head = ('record 1 R1\n  references\n  data\n    field 10 "A" INT16 0x8001\n'
                '  verification style 0x2201\n    when 10 = 1\n')
        cases = [
            ("message 8000 name 10", [0x3103, 0x8000, 8000, 0x8101, 10]),
            ("message 8000 value 10", [0x3103, 0x8000, 8000, 0x8102, 10]),
            ("message 8000 name+value 10", [0x3103, 0x8000, 8000, 0x8103, 10]),
            ("message 8000", [0x3103, 0x8000, 8000, 0x8400]),
            ("silent", [0x3103, 0x8000, 0, 0x8800]),
        ]
        for line, expected in cases:
            with self.subTest(line=line):
                w = words(head + "      %s\n" % line, 1)
                i = w.index(0x3103)
                self.assertEqual(expected, w[i:i + len(expected)])

    def test_condition_blocks(self):
        w = words('record 1 R1\n  references\n  data\n    field 10 "A" INT16 0x8001\n'
                  '  verification style 0x2201\n'
                  '    when 10 = 1\n      message 8000\n      message 8000 name 10\n'
                  '    else\n      silent\n', 1)
        i = w.index(0x3001)
        self.assertEqual([0x3001, 10, 0x8100, 1, 0x0001,
                          0x3103, 0x8000, 8000, 0x8400,
                          0x3103, 0x8000, 8000, 0x8101, 10,
                          0x0004,
                          0x3103, 0x8000, 0, 0x8800,
                          0x0002,   # end of the block
                          0x0002,   # end of VERIFICATION
                          0x0000], w[i:])

    def test_dialog_statements(self):
        w = words("dialog 1 D1 template 10004 help 77\n"
                  "  controls\n"
                  "    control 1000 itemeditor style 0x8001 members 101 103\n"
                  "    control 301 combobox style 0x8004 words 2313 25376 25374\n"
                  "  links\n"
                  "    link 1000 field 28051\n"
                  "    link 304 field 28032 style 0x8002\n"
                  "      param 28115 style 0x8001 words 28111 30990\n"
                  "  on 1 ready\n"
                  "    text 1 1002\n"
                  "    when 10 != 0\n"
                  "      enable 2\n"
                  "      focus 3\n"
                  "  on 2010 clicked\n"
                  "    extension 32000\n", 1)
        self.assertEqual([
            0x1001, 1, 0x3202, 10004, 0x320B, 77, 2,
            0x1007, 1,
            0x3207, 1000, 0x4077, 0x8001, 1, 0x3208, 101, 0x3208, 103, 2,
            0x3206, 301, 0x4006, 0x8004, 2313, 25376, 25374,
            2,
            0x1006, 0x2001, 1, 1, 1,
            0x3204, 1000, 28051, 0x8000,
            0x3204, 304, 28032, 0x8002, 1, 0x320A, 28115, 0x8001, 28111, 30990, 2,
            2,
            0x1008, 0x2301, 1, 0x401, 1,
            0x3102, 1, 0x467, 0x8000, 1002,
            0x3001, 10, 0x8101, 0, 1, 0x3102, 2, 0x465, 0x8000, 0x3102, 3, 0x469, 0x8000, 2,
            2,
            0x1008, 0x2301, 2010, 0x404, 1, 0x3002, 32000, 0x8000, 2,
            0], w)

    def test_sheet(self):
        w = words("sheet 5 S5\n  page 30002 help 10\n  page 30002 help 11\n", 5)
        self.assertEqual([0x1001, 1, 0x3201, 30002, 10, 0x3201, 30002, 11, 2, 0], w)

    def test_empty_controls_section(self):
        self.assertEqual([0x1001, 1, 0x3202, 10001, 2, 0x1007, 1, 2, 0],
                         compile_snippet("").defs[30002].out.words())

    def test_names_become_strings(self):
        cat = compile_snippet('record 1 "Kind"\n  references\n  data\n'
                              '    field 10 "A" INT16 0x8011 var 20 "Var A"\n'
                              '    field 11 B - INT16 0x8001\n')
        self.assertEqual("Kind", cat.names[1][0])
        self.assertEqual("A", cat.names[10][0])
        self.assertEqual("Var A", cat.names[20][0])
        self.assertNotIn(11, cat.names)
        text = gen.render(cat, ["t.pxdef"], None)
        self.assertIn('10 "A"', text)
        self.assertIn("1 RCDATA", text)


def header_defines(text):
    """The #define lines of a generated header: name -> value."""
    out = {}
    for line in text.splitlines():
        m = re.match(r"#define (\w+)\s+(\d+)\b", line)
        if m:
            if m.group(1) in out:
                raise AssertionError("%s is defined twice" % m.group(1))
            out[m.group(1)] = int(m.group(2))
    return out


class IdNames(unittest.TestCase):
    """The header of ids: the name of each record, field, dialog and sheet."""

    def test_names_the_tables_give(self):
        cat = compile_snippet(
            'record 1 "Thru-Dial"\n  references\n  data\n'
            '    field 10 "Length" INT32 0x8001\n'
            '    field 11 "Res/Perm list" INT32 0x8001\n'
            '    field 12 NOTES "Notes" TEXT 0x8021\n'
            'record 2 USER_APP "File properties"\n  references\n  data\n'
            '    field 20 "Name" TEXT 0x8001\n'
            '    field 21 USER_APP_IMPORTS - RECORDSET 0x8005 records 2\n'
            '    field 12 NOTES "Notes" TEXT 0x8021\n'
            'dialog 3 THRU_DIAL template 10001\n  controls\n'
            'sheet 4 THRU_DIAL\n  page 3 help 1\n')
        defines = header_defines(gen.render_ids(cat, ["t.pxdef"]))
        expected = {
            "PXREC_R30001": 30001, "PXFIELD_R30001_ROW": 100, "PXSDLG_D30002": 30002,
            "PXREC_THRU_DIAL": 1,                   # from the kind name
            "PXFIELD_THRU_DIAL_LENGTH": 10,          # record and field name
            "PXFIELD_THRU_DIAL_RES_PERM_LIST": 11,
            "PXFIELD_NOTES": 12,                     # given, in two records
            "PXREC_USER_APP": 2,                     # given beside a kind name
            "PXFIELD_USER_APP_NAME": 20,
            "PXFIELD_USER_APP_IMPORTS": 21,          # given for a field without a name
            "PXSDLG_THRU_DIAL": 3,                    # each kind has its prefix
            "PXSHEET_THRU_DIAL": 4,
        }
        self.assertEqual(expected, defines)

    def test_header_is_a_guarded_c_header(self):
        text = gen.render_ids(compile_snippet(""), ["t.pxdef"])
        lines = [l for l in text.splitlines() if l and not l.startswith("//")]
        self.assertEqual(["#ifndef PXSDODEFIDS_H", "#define PXSDODEFIDS_H"], lines[:2])
        self.assertEqual("#endif", lines[-1])
        for line in lines[2:-1]:
            self.assertRegex(line, r"^#define PX(REC|FIELD|SDLG|SHEET)_\w+ +\d+( +// .*)?$")

    def test_command_line_writes_the_header(self):
        with tempfile.TemporaryDirectory() as tmp:
            table = os.path.join(tmp, "t.pxdef")
            with open(table, "w") as f:
                f.write(BASE)
            out, ids = os.path.join(tmp, "out.rc"), os.path.join(tmp, "ids.h")
            r = subprocess.run([sys.executable, "-B", os.path.join(HERE, "pxsdodefgen.py"),
                                "--out", out, "--ids", ids, table],
                               capture_output=True, text=True)
            self.assertEqual(0, r.returncode, r.stderr)
            with open(ids) as f:
                self.assertEqual({"PXREC_R30001": 30001, "PXFIELD_R30001_ROW": 100,
                                  "PXSDLG_D30002": 30002}, header_defines(f.read()))


class Refusals(unittest.TestCase):
    """Malformed tables: each is refused with its line and a clear reason.
    Line numbers count from the first line of the snippet (BASE has 6)."""

    REC = 'record 1 R1\n  references\n  data\n    field 10 "A" INT16 0x8001\n'
    VER = REC + '  verification style 0x2201\n'

    cases = [
        # (table text, line in the snippet, part of the message)
        ("bogus 1\n", 1, "unknown definition 'bogus'"),
        ("record 1 R1\n\tdata\n", 2, "spaces, not tabs"),
        ('record 1 R1\n  references\n  data\n    field 10 "A INT16 0x8001\n', 4, "unterminated"),
        ("record 1 R1\n  data\n    field 10 \"A\" INT16 0x8001\n", 2,
         "references section must come before data"),
        ("record 1 R1\n  references\n", 1, "has no data section"),
        ("record 1 R1\n  references\n  references\n  data\n    field 1 \"A\" INT16 0x8001\n",
         3, "one references section"),
        (REC + "  verification style 0x2201\n    message 8000\n", 6,
         "must stand inside a condition"),
        ('record 1 R1\n  references\n  data\n    field 10 "A" INT16 0x0001\n', 4,
         "lacks the bit 0x8000"),
        ('record 1 R1\n  references\n  data\n    field 10 "A" INT17 0x8001\n', 4,
         "unknown field type 'INT17'"),
        ('record 1 R1\n  references\n  data\n    field 0 "A" INT16 0x8001\n', 4,
         "field id must not be 0"),
        ('record 1 R1\n  references\n  data\n    field 10 "A" INT16 0x18001\n', 4,
         "does not fit in 16 bits"),
        ('record 1 R1\n  references\n  data\n    field 10 "A" RECORDSET 0x8001\n', 4,
         "names its record type"),
        ('record 1 R1\n  references\n  data\n    field 10 "A" RECORDSET 0x8005 records 77\n', 4,
         "record definition 77 is not defined"),
        ('record 1 R1\n  references\n  data\n    field 10 "A" INT16 0x8011\n', 4,
         "goes with 'var'"),
        ('record 1 R1\n  references\n  data\n    field 10 "A" TIME 0x8011 var 3 "t"\n', 4,
         "needs a storage flag"),
        ('record 1 R1\n  references\n  data\n    field 10 "A" INT16 0x8001\n'
         '    field 10 "B" INT16 0x8001\n', 5, "appears twice"),
        ('record 1 R1\n  references\n  data\n    field 100 "Other" TEXT 0x8001\n', 4,
         'named "Other" here but "Row"'),
        ('record 1 R1\n  references\n  data\n    field 100 ROW - TEXT 0x8001\n', 4,
         "has no name here"),
        (VER + "    when 99 = 1\n      silent\n", 6, "has no field 99"),
        (VER + "    when 10 in 5..1\n      silent\n", 6, "low end of a range"),
        (VER + "    when 10 length < minimum\n      silent\n", 6, "needs a TEXT field"),
        (VER + "    when 10 = 1\n", 6, "needs at least one statement"),
        (VER + "    when 10 ~ 1\n      silent\n", 6, "unknown test '~'"),
        (VER + "    when 10 = 1\n      message 8999\n", 7, "has no text"),
        (VER + "    when 10 = 1\n      message 8000 name 55\n", 7, "has no field 55"),
        (VER + "    when 10 = 1\n      enable 3\n", 7, "cannot stand here"),
        (VER + "    when 10 = 1\n      silent\n    else\n      silent\n    else\n      silent\n",
         10, "'else' must follow a condition"),
        ("dialog 1 D1 template 10001\n", 1, "has no controls section"),
        ("dialog 1 D1 template 10001\n  links\n  controls\n", 2, "links must come after controls"),
        ("dialog 1 D1 template 10001\n  controls\n    control 5 widget style 0x8000\n", 3,
         "unknown control class 'widget'"),
        ("dialog 1 D1 template 10001\n  controls\n    control 5 edit style 0x8001\n", 3,
         "takes 1 optional word(s), not 0"),
        ("dialog 1 D1 template 10001\n  controls\n    control 5 combobox style 0x8004 words 1 2\n",
         3, "takes 3 optional word(s), not 2"),
        ("dialog 1 D1 template 10001\n  controls\n    control 5 edit style 0x8000 members 1\n", 3,
         "has no members"),
        ("dialog 1 D1 template 10001\n  controls\n    control 5 group style 0x8000\n", 3,
         "lists its members"),
        ("dialog 1 D1 template 10001\n  controls\n  links\n    link 3 field 4 style 0x8002\n", 4,
         "needs parameters"),
        ("dialog 1 D1 template 10001\n  controls\n  links\n    link 3 field 4\n"
         "      param 5 style 0x8001\n", 5, "takes 2 optional word(s), not 0"),
        ("dialog 1 D1 template 10001\n  controls\n  on 1 exploded\n", 3,
         "unknown notification 'exploded'"),
        ("dialog 1 D1 template 10001\n  controls\n  on 1 ready\n    extension 31999\n", 4,
         "not one of 32000 to 32007"),
        ("dialog 1 D1 template 10001\n  controls\n  on 1 ready\n    message 8000\n", 4,
         "cannot stand here"),
        ("dialog 1 D1 template 10001\n  controls\n  on 1 ready\n    text 2 4711\n", 4,
         "has no text"),
        ("sheet 3 S3\n", 1, "has no pages"),
        ("sheet 3 S3\n  page 4 help 1\n", 2, "dialog definition 4 is not defined"),
        ("sheet 30002 S30002\n  page 30002 help 1\n", 1, "already defined"),
        ("record 1 R1\n  references\n    sheet 9\n  data\n    field 1 \"A\" INT16 0x8001\n", 3,
         "property-sheet definition 9 is not defined"),
        ("record 1 R1\n  references\n  data\n      field 1 \"A\" INT16 0x8001\n"
         "    field 2 \"B\" INT16 0x8001\n", 5, "indent does not match"),
        # names of the ids in the generated header
        ("record 1\n  references\n  data\n    field 1 \"A\" INT16 0x8001\n", 1,
         "needs a symbol (record 1 SYMBOL) or a kind name"),
        ("record 1 lower\n  references\n  data\n    field 1 \"A\" INT16 0x8001\n", 1,
         "record symbol 'lower' must be written in capitals"),
        ("record 1 R1\n  references\n  data\n    field 1 A__B \"A\" INT16 0x8001\n", 4,
         "field symbol 'A__B' must be written in capitals"),
        ("record 1 R1\n  references\n  data\n    field 1 - INT16 0x8001\n", 4,
         "field 1 has no name: give it a symbol"),
        ("record 1 R1\n  references\n  data\n    field 1 \"Pass word\" INT16 0x8001\n"
         "    field 2 \"Pass-word\" TEXT 0x8001\n", 5,
         "PXFIELD_R1_PASS_WORD would name both 2 and 1 (at t.pxdef:10)"),
        ("record 1 \"Day Control\"\n  references\n  data\n    field 10 \"A\" INT16 0x8001\n"
         "record 2 DAY_CONTROL\n  references\n  data\n    field 20 \"A\" INT16 0x8001\n", 5,
         "PXREC_DAY_CONTROL would name both 2 and 1"),
        ("record 1 R1\n  references\n  data\n    field 7 \"N\" TEXT 0x8001\n"
         "record 2 R2\n  references\n  data\n    field 7 \"N\" TEXT 0x8001\n", 8,
         "field 7 is named PXFIELD_R2_N here but PXFIELD_R1_N at t.pxdef:10"),
        ("record 1 R1\n  references\n  data\n    field 7 NOTES \"N\" TEXT 0x8001\n"
         "record 2 R2\n  references\n  data\n    field 7 NOTE \"N\" TEXT 0x8001\n", 8,
         "field 7 is named PXFIELD_NOTE here but PXFIELD_NOTES"),
        ("dialog 1 template 10001\n  controls\n", 1,
         "dialog 1 needs a symbol (dialog 1 SYMBOL template ...)"),
        ("dialog 1 D1 X template 10001\n  controls\n", 1, "'template' expected"),
        ("sheet 3\n  page 30002 help 1\n", 1, "property sheet 3 needs a symbol"),
        # INT32 and BOOL fields read a constant operand from 0 to 65535: a
        # negative one would test a large number instead.
        ('record 1 R1\n  references\n  data\n    field 10 "A" INT32 0x8001\n'
         '  verification style 0x2201\n    when 10 = -1\n      silent\n', 6, "from 0 to 65535"),
        ('record 1 R1\n  references\n  data\n    field 10 "A" INT32 0x8001\n'
         '  verification style 0x2201\n    when 10 > -5\n      silent\n', 6, "from 0 to 65535"),
        ('record 1 R1\n  references\n  data\n    field 10 "A" BOOL 0x8001\n'
         '  verification style 0x2201\n    when 10 != -1\n      silent\n', 6, "from 0 to 65535"),
    ]

    def test_refused(self):
        for text, line, fragment in self.cases:
            with self.subTest(text=text):
                with self.assertRaises(gen.TableError) as ctx:
                    compile_snippet(text)
                msg = str(ctx.exception)
                self.assertIn("t.pxdef:%d: error:" % (line + BASE.count("\n")), msg)
                self.assertIn(fragment, msg)

    def test_command_line_refuses_and_writes_nothing(self):
        with tempfile.TemporaryDirectory() as tmp:
            bad = os.path.join(tmp, "bad.pxdef")
            with open(bad, "w") as f:
                f.write("record 1 R1\n  data\n")
            out = os.path.join(tmp, "out.rc")
            ids = os.path.join(tmp, "ids.h")
            r = subprocess.run([sys.executable, "-B", os.path.join(HERE, "pxsdodefgen.py"),
                                "--out", out, "--ids", ids, bad], capture_output=True, text=True)
            self.assertEqual(1, r.returncode)
            self.assertIn("bad.pxdef:2: error:", r.stderr)
            self.assertFalse(os.path.exists(out))
            self.assertFalse(os.path.exists(ids))
            # no half-written script and no temporary file left behind
            self.assertEqual(["bad.pxdef"], os.listdir(tmp))

    def test_string_fragment_duplicate_refused(self):
        with tempfile.TemporaryDirectory() as tmp:
            rc = os.path.join(tmp, "s.rc")
            with open(rc, "w") as f:
                f.write('STRINGTABLE\nBEGIN\n    8000 "a"\n    8000 "b"\nEND\n')
            with self.assertRaises(gen.TableError) as ctx:
                gen.read_string_fragment(rc, None)
            self.assertIn("s.rc:4: error: string 8000 is given twice", str(ctx.exception))


class ProgramTables(unittest.TestCase):
    """The program's own tables go through, and what they give is what the
    records of the program need."""

    @classmethod
    def setUpClass(cls):
        cls.cat = gen.build(TABLES, STRINGS, RES)

    def test_every_definition_kind_is_present(self):
        kinds = {}
        for d in self.cat.defs.values():
            kinds.setdefault(d.kind, []).append(d.id)
        self.assertEqual(sorted(list(range(22001, 22005)) + list(range(22801, 22810))
                                + list(range(23001, 23027))), sorted(kinds["record"]))
        self.assertEqual(sorted([18001, 18002] + list(range(19101, 19126))),
                         sorted(kinds["sheet"]))
        self.assertEqual(sorted(list(range(14501, 14521))
                                + [15001, 15003, 15101, 15102, 15103, 15104]
                                + list(range(15106, 15114))),
                         sorted(kinds["dialog"]))

    def test_block_records_end_with_notes_and_outputs(self):
        for rid in range(23001, 23027):
            if rid == 23024:
                continue
            with self.subTest(record=rid):
                self.assertEqual([28116, 28115], self.cat.defs[rid].field_order[-2:])

    def test_header_names_every_id_of_the_tables_once(self):
        defines = header_defines(gen.render_ids(self.cat, TABLES))
        by_id = {}
        for name, value in defines.items():
            kind = name.split("_", 1)[0]
            by_id.setdefault((kind, value), []).append(name)
        self.assertTrue(all(len(names) == 1 for names in by_id.values()), by_id)
        prefix = {"record": "PXREC", "dialog": "PXSDLG", "sheet": "PXSHEET"}
        expected = {(prefix[d.kind], d.id) for d in self.cat.defs.values()}
        for d in self.cat.defs.values():
            if d.kind == "record":
                expected |= {("PXFIELD", fid) for fid in d.field_order}
        self.assertEqual(expected, set(by_id))

    def test_header_names_that_code_uses(self):
        defines = header_defines(gen.render_ids(self.cat, TABLES))
        for name, value in [("PXREC_USER_APP", 22004), ("PXFIELD_USER_APP_NAME", 25256),
                            ("PXFIELD_USER_APP_ID", 25255), ("PXREC_VOICE_ITEM", 22801),
                            ("PXFIELD_VOICE_ITEM_ID", 25301), ("PXFIELD_FAX_ITEM_NAME", 25320),
                            ("PXREC_OUTPUT_ROW", 23024), ("PXFIELD_OUTPUTS", 28115),
                            ("PXFIELD_NOTES", 28116), ("PXREC_THRU_DIAL", 23003),
                            ("PXSDLG_VOICE_ITEM_NEW", 14502), ("PXSHEET_APP_PROPERTIES", 18002)]:
            with self.subTest(name=name):
                self.assertEqual(value, defines.get(name))

    def test_generated_script_compiles_with_windres_syntax(self):
        text = gen.render(self.cat, TABLES, "PXSdoDefStrings.rc")
        self.assertEqual(len(self.cat.defs), text.count(" RCDATA\n"))
        self.assertIn('#include "PXSdoDefStrings.rc"', text)


if __name__ == "__main__":
    unittest.main(verbosity=1)
