#!/usr/bin/env python3
"""Turns the soft-definition tables (*.pxdef) into a resource script.

Each table describes record, dialog and property-sheet definitions in a
readable form; this step checks them and writes one .rc file holding one
RCDATA resource of 16-bit words per definition, plus a STRINGTABLE with the
field, variable and kind names that the tables give.  The texts of the
messages and reactions the definitions name live in the hand-written string
fragment (PXSdoDefStrings.rc with its ids in PXSdoDefRes.h); this step checks
that every such id has a text there.

With --ids it also writes a C header with a name for the id of every record,
field, dialog and property sheet (PXREC_, PXFIELD_, PXSDLG_, PXSHEET_), so
that code names an id the way the tables do.

Usage:
    pxsdodefgen.py --out FILE.rc [--ids FILE.h] [--strings FRAGMENT.rc --res HEADER.h]
                   [--include NAME] TABLE.pxdef ...

The table format is described in README.md beside this script.  A table that
does not follow it is refused with "file:line: error: ..." and exit code 1;
nothing is written then.

Standard library only: the build runs this with the system's python3.
"""

import os
import re
import sys
import tempfile

# ---------------------------------------------------------------------------
# Word codes of the definition format

END_DEF, BEGIN_BODY, END_BLOCK, THEN_MARK, ELSE_MARK = 0x0000, 0x0001, 0x0002, 0x0003, 0x0004

SEC_REFERENCES = 0x1001
SEC_DATA = 0x1002
SEC_VERIFICATION = 0x1004
SEC_DLGDATALINK = 0x1006
SEC_SOFTCONTROL = 0x1007
SEC_NOTIFICATION = 0x1008

TOK_SRVERSION = 0x2001
TOK_SRSTYLE = 0x2002
TOK_NOTIF = 0x2301
TOK_COND = 0x3001
TOK_EXTENSION = 0x3002
TOK_REACTION = 0x3102
TOK_MSGBOX = 0x3103
TOK_SOFTDLG = 0x3201
TOK_DLGRES = 0x3202
TOK_FIELD = 0x3203
TOK_DATALINK = 0x3204
TOK_PLAINCTRL = 0x3206
TOK_GROUPCTRL = 0x3207
TOK_SUBCTRL = 0x3208
TOK_PROPSHEET = 0x3209
TOK_PARAM = 0x320A
TOK_DLGHELP = 0x320B

SECTION_NAMES = {
    SEC_REFERENCES: "REFERENCES", SEC_DATA: "DATA",
    SEC_VERIFICATION: "VERIFICATION", SEC_DLGDATALINK: "DLGDATALINK",
    SEC_SOFTCONTROL: "SOFTCONTROL", SEC_NOTIFICATION: "NOTIFICATION",
}

# Native types of fields.
TYPES = {"INT16": 1, "INT32": 2, "TEXT": 3, "BOOL": 4,
         "MONTHANDDAY": 5, "TIME": 6, "RECORDSET": 7}
TYPE_NAMES = {v: k for k, v in TYPES.items()}

# Field style flags.
FF_WORD002, FF_RECORDS, FF_WORD008, FF_VAR = 0x002, 0x004, 0x008, 0x010
FF_STORAGE = 0x020 | 0x040 | 0x100 | 0x200 | 0x400

# Condition style flags.
CF_NOT, CF_RANGE_IN, CF_RANGE_EX, CF_EMPTY = 0x001, 0x010, 0x020, 0x040
CF_RESERVED, CF_EQUAL, CF_GREATER, CF_FIELDS, CF_MINLEN = 0x080, 0x100, 0x200, 0x400, 0x800

# Control classes: name -> (code, statement token).
CONTROL_CLASSES = {
    "bitmapbutton": (0x4001, TOK_PLAINCTRL),
    "listview": (0x4003, TOK_PLAINCTRL),
    "edit": (0x4004, TOK_PLAINCTRL),
    "combobox": (0x4006, TOK_PLAINCTRL),
    "group": (0x4071, TOK_GROUPCTRL),
    "radiogroup": (0x4072, TOK_GROUPCTRL),
    "itempicker": (0x4076, TOK_GROUPCTRL),
    "itemeditor": (0x4077, TOK_GROUPCTRL),
    "editupdown": (0x4078, TOK_GROUPCTRL),
    "appfilecombo": (0x4079, TOK_GROUPCTRL),
}

# Soft notification codes by name.
NOTIFICATIONS = {
    "ready": 0x401, "buttonenabled": 0x402, "buttondisabled": 0x403,
    "clicked": 0x404, "checked": 0x405, "unchecked": 0x406,
    "itemchanged": 0x407, "dispinfo": 0x408, "columnclick": 0x409,
    "doubleclick": 0x40A, "setfocus": 0x40B, "killfocus": 0x40C,
    "changed": 0x40D, "appnotify": 0x40E,
}

# Reactions: name -> action word.
ACTIONS = {"enable": 0x465, "disable": 0x466, "text": 0x467, "focus": 0x469}
ACTION_TEXT = 0x467

EXTENSIONS = range(32000, 32008)

SRSTYLE_STOP_AT_FIRST = 0x2201

# Names of ids in the generated header: a prefix per kind and the symbol
# that the table gives or that follows from the table's name.
DEF_PREFIX = {"record": "PXREC_", "dialog": "PXSDLG_", "sheet": "PXSHEET_"}
FIELD_PREFIX = "PXFIELD_"
SYMBOL = re.compile(r"[A-Z][A-Z0-9]*(?:_[A-Z0-9]+)*")
C_NAME = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")


class TableError(Exception):
    def __init__(self, path, line, message):
        super().__init__("%s:%d: error: %s" % (path, line, message))


# ---------------------------------------------------------------------------
# Lines and their tree

class Token:
    __slots__ = ("text", "quoted")

    def __init__(self, text, quoted):
        self.text = text
        self.quoted = quoted

    def __repr__(self):
        return '"%s"' % self.text if self.quoted else self.text


class Node:
    """One table line with the lines indented below it."""

    def __init__(self, path, line, indent, tokens):
        self.path = path
        self.line = line
        self.indent = indent
        self.tokens = tokens
        self.children = []

    @property
    def keyword(self):
        return self.tokens[0].text

    def error(self, message):
        return TableError(self.path, self.line, message)


def tokenize(path, lineno, text):
    tokens = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if c in " \t":
            i += 1
        elif c == "#":
            break
        elif c == '"':
            i += 1
            out = []
            while True:
                if i >= n:
                    raise TableError(path, lineno, "unterminated quoted text")
                c = text[i]
                if c == '"':
                    i += 1
                    break
                if c == "\\":
                    if i + 1 >= n:
                        raise TableError(path, lineno, "backslash at the end of the line")
                    esc = text[i + 1]
                    if esc == "n":
                        out.append("\n")
                    elif esc in '"\\':
                        out.append(esc)
                    else:
                        raise TableError(path, lineno, "unknown escape \\%s in quoted text" % esc)
                    i += 2
                    continue
                out.append(c)
                i += 1
            tokens.append(Token("".join(out), True))
        else:
            j = i
            while j < n and text[j] not in ' \t"#':
                j += 1
            tokens.append(Token(text[i:j], False))
            i = j
    return tokens


def parse_tree(path, text):
    """Lines become nodes; a line indented deeper than the one above it
    belongs to that line."""
    root = Node(path, 0, -1, [])
    stack = [root]
    for lineno, raw in enumerate(text.splitlines(), 1):
        stripped = raw.lstrip(" \t")
        if "\t" in raw[:len(raw) - len(stripped)]:
            raise TableError(path, lineno, "indent with spaces, not tabs")
        tokens = tokenize(path, lineno, stripped)
        if not tokens:
            continue
        if tokens[0].quoted:
            raise TableError(path, lineno, "a line must start with a keyword, not quoted text")
        indent = len(raw) - len(stripped)
        node = Node(path, lineno, indent, tokens)
        while stack[-1].indent >= indent:
            stack.pop()
        parent = stack[-1]
        if parent.children and parent.children[0].indent != indent:
            raise TableError(path, lineno,
                             "indent does not match the lines above it (%d, expected %d)"
                             % (indent, parent.children[0].indent))
        if parent is root and indent != 0:
            raise TableError(path, lineno, "a definition must start in column 1")
        parent.children.append(node)
        stack.append(node)
    return root.children


# ---------------------------------------------------------------------------
# Reading the words of one line

class Args:
    """Cursor over the tokens after a line's keyword."""

    def __init__(self, node, start=1):
        self.node = node
        self.toks = node.tokens
        self.i = start

    def more(self):
        return self.i < len(self.toks)

    def peek(self):
        return self.toks[self.i].text if self.more() and not self.toks[self.i].quoted else None

    def take_keyword(self, word):
        if self.peek() == word:
            self.i += 1
            return True
        return False

    def expect_keyword(self, word):
        if not self.take_keyword(word):
            raise self.node.error("'%s' expected%s" % (word, self._where()))

    def _where(self):
        return " after '%s'" % self.toks[self.i - 1].text if self.i > 0 else ""

    def word(self, what, allow_negative=False):
        if not self.more():
            raise self.node.error("%s expected%s" % (what, self._where()))
        tok = self.toks[self.i]
        self.i += 1
        return parse_word(self.node, tok, what, allow_negative)

    def words_until(self, what, stop=()):
        out = []
        while self.more() and self.peek() not in stop:
            out.append(self.word(what))
        return out

    def name(self, what):
        """A quoted name, or '-' for none."""
        if not self.more():
            raise self.node.error("%s expected (quoted text, or - for none)" % what)
        tok = self.toks[self.i]
        self.i += 1
        if tok.quoted:
            if not tok.text:
                raise self.node.error("%s must not be empty" % what)
            return tok.text
        if tok.text == "-":
            return None
        raise self.node.error("%s must be quoted text or -, not '%s'" % (what, tok.text))

    def bare(self, what):
        if not self.more() or self.toks[self.i].quoted:
            raise self.node.error("%s expected%s" % (what, self._where()))
        self.i += 1
        return self.toks[self.i - 1].text

    def end(self):
        if self.more():
            raise self.node.error("unexpected '%s' at the end of the line" % self.toks[self.i].text)


def parse_word(node, tok, what, allow_negative=False):
    if tok.quoted:
        raise node.error("%s must be a number, not quoted text" % what)
    text = tok.text
    try:
        value = int(text, 16) if text.lower().startswith("0x") else int(text, 10)
    except ValueError:
        raise node.error("%s must be a number, not '%s'" % (what, text)) from None
    if allow_negative and -0x8000 <= value < 0:
        return value & 0xFFFF
    if not 0 <= value <= 0xFFFF:
        raise node.error("%s %s does not fit in 16 bits" % (what, text))
    return value


def nonzero(node, value, what):
    if value == 0:
        raise node.error("%s must not be 0" % what)
    return value


def check_style(node, style, what="style"):
    if not style & 0x8000:
        raise node.error("%s 0x%04X lacks the bit 0x8000" % (what, style))
    if style & 0x7000:
        raise node.error("%s 0x%04X has bits outside 0x8000 and the 12 flag bits" % (what, style))
    return style


def no_children(node):
    if node.children:
        raise node.children[0].error("nothing may be indented below '%s'" % node.keyword)


def symbol_of_name(text):
    """The symbol a table's name gives: its words in capitals joined by '_'
    ("Thru-Dial" -> THRU_DIAL, "Res/Perm list" -> RES_PERM_LIST)."""
    return "_".join(w.upper() for w in re.findall(r"[A-Za-z0-9]+", text))


def take_symbol(args, what, stop=()):
    """An optional symbol (capitals, digits and '_') standing next in the line."""
    word = args.peek()
    if word is None or word == "-" or word in stop:
        return None
    if not SYMBOL.fullmatch(word):
        raise args.node.error("%s '%s' must be written in capitals, digits and single '_' "
                              "(such as USER_APP)" % (what, word))
    args.i += 1
    return word


# ---------------------------------------------------------------------------
# Output lines: words with a comment for the reader of the .rc

class Emitter:
    def __init__(self):
        self.lines = []   # (depth, words, comment)
        self.depth = 0

    def emit(self, words, comment=""):
        self.lines.append((self.depth, list(words), comment))

    def words(self):
        out = []
        for _, w, _ in self.lines:
            out.extend(w)
        return out


# ---------------------------------------------------------------------------
# Definitions

class Definition:
    kind = ""

    def __init__(self, node, def_id):
        self.node = node
        self.id = def_id
        self.out = Emitter()
        self.title = ""
        self.symbol = None        # name of the id in the header, without prefix


class Catalogue:
    """Everything read from all tables, with the checks across them."""

    def __init__(self):
        self.defs = {}            # id -> Definition
        self.names = {}           # string id -> (text, node, what)
        self.nameless = {}        # field id -> node (fields declared without a name)
        self.text_refs = []       # (string id, node, what): ids whose text must exist
        self.record_refs = []     # (record id, node)
        self.sheet_refs = []      # (sheet id, node)
        self.dialog_refs = []     # (dialog id, node)
        self.field_symbols = {}   # field id -> (C name, node)
        self.field_order = []     # (first record id, field id) in table order
        self.field_records = {}   # field id -> ids of the records it stands in
        self.c_names = {}         # C name -> (id, node)

    # strings ---------------------------------------------------------------
    def add_name(self, sid, text, node, what):
        nonzero(node, sid, "%s id" % what)
        have = self.names.get(sid)
        if have is not None and have[0] != text:
            raise node.error('%s %d is named "%s" here but "%s" at %s:%d'
                             % (what, sid, text, have[0], have[1].path, have[1].line))
        if have is None:
            self.names[sid] = (text, node, what)

    def add_field_name(self, fid, text, node):
        if text is None:
            if fid in self.names:
                have = self.names[fid]
                raise node.error('field %d has no name here but is named "%s" at %s:%d'
                                 % (fid, have[0], have[1].path, have[1].line))
            self.nameless.setdefault(fid, node)
        else:
            if fid in self.nameless:
                other = self.nameless[fid]
                raise node.error('field %d is named "%s" here but has no name at %s:%d'
                                 % (fid, text, other.path, other.line))
            self.add_name(fid, text, node, "field")

    # names of ids ----------------------------------------------------------
    def add_c_name(self, cname, ident, node):
        if not C_NAME.fullmatch(cname):
            raise node.error("%s is not a name a C header can give" % cname)
        have = self.c_names.get(cname)
        if have is not None and have[0] != ident:
            raise node.error("%s would name both %d and %d (at %s:%d): give one of them a "
                             "symbol of its own" % (cname, ident, have[0], have[1].path,
                                                    have[1].line))
        self.c_names.setdefault(cname, (ident, node))

    def add_field_symbol(self, rid, fid, cname, node):
        have = self.field_symbols.get(fid)
        if have is not None:
            if have[0] != cname:
                raise node.error("field %d is named %s here but %s at %s:%d (a field that "
                                 "stands in several records gives the same symbol on each line)"
                                 % (fid, cname, have[0], have[1].path, have[1].line))
        else:
            self.add_c_name(cname, fid, node)
            self.field_symbols[fid] = (cname, node)
            self.field_order.append((rid, fid))
        self.field_records.setdefault(fid, set()).add(rid)

    # definitions -----------------------------------------------------------
    def add(self, definition):
        have = self.defs.get(definition.id)
        if have is not None:
            raise definition.node.error("definition %d is already defined at %s:%d"
                                        % (definition.id, have.node.path, have.node.line))
        self.defs[definition.id] = definition

    def check_references(self, strings):
        for rid, node in self.record_refs:
            d = self.defs.get(rid)
            if d is None or d.kind != "record":
                raise node.error("record definition %d is not defined" % rid)
        for sid, node in self.sheet_refs:
            d = self.defs.get(sid)
            if d is None or d.kind != "sheet":
                raise node.error("property-sheet definition %d is not defined" % sid)
        for did, node in self.dialog_refs:
            d = self.defs.get(did)
            if d is None or d.kind != "dialog":
                raise node.error("dialog definition %d is not defined" % did)
        for sid, (text, node, what) in self.names.items():
            if sid in strings:
                raise node.error("%s %d is named here and in the string fragment as well"
                                 % (what, sid))
        for sid, node, what in self.text_refs:
            if sid not in strings and sid not in self.names:
                raise node.error("%s %d has no text in the string fragment" % (what, sid))


# Statements shared by verification and notification bodies ---------------

def compile_condition(node, else_node, args, cat, out, record, body_kinds, depth):
    """`when FIELD TEST [then: children] [else ...]`."""
    field = nonzero(node, args.word("field id"), "tested field id")
    style = 0x8000
    operands = []
    negative = False    # a constant operand was written below 0
    negate = args.take_keyword("not")
    tok = args.bare("test")
    ops = {"=": CF_EQUAL, "!=": CF_EQUAL | CF_NOT, ">": CF_GREATER,
           "<=": CF_GREATER | CF_NOT, ">=": CF_EQUAL | CF_GREATER,
           "<": CF_EQUAL | CF_GREATER | CF_NOT}
    if tok in ops:
        if negate:
            raise node.error("write the opposite comparison instead of 'not %s'" % tok)
        style |= ops[tok]
        if args.take_keyword("field"):
            style |= CF_FIELDS
            operands.append(nonzero(node, args.word("operand field id"), "operand field id"))
        else:
            negative = args.peek() is not None and args.peek().startswith("-")
            operands.append(args.word("operand", allow_negative=True))
    elif tok == "length":
        if negate:
            raise node.error("write the opposite comparison instead of 'not length'")
        cmp_tok = args.bare("comparison after 'length'")
        if cmp_tok not in ops:
            raise node.error("comparison (= != > <= >= <) expected after 'length', not '%s'" % cmp_tok)
        args.expect_keyword("minimum")
        style |= ops[cmp_tok] | CF_MINLEN
    elif tok == "empty":
        style |= CF_EMPTY | (CF_NOT if negate else 0)
    elif tok == "in":
        rng = args.bare("range lo..hi")
        m = re.fullmatch(r"(-?(?:0x[0-9A-Fa-f]+|\d+))\.\.(-?(?:0x[0-9A-Fa-f]+|\d+))", rng)
        if not m:
            raise node.error("range must be written lo..hi, not '%s'" % rng)
        negative = m.group(1).startswith("-") or m.group(2).startswith("-")
        lo = parse_word(node, Token(m.group(1), False), "low end", True)
        hi = parse_word(node, Token(m.group(2), False), "high end", True)
        style |= CF_RANGE_EX if args.take_keyword("exclusive") else CF_RANGE_IN
        style |= CF_NOT if negate else 0
        operands += [lo, hi]
    else:
        raise node.error("unknown test '%s' (= != > <= >= < length empty in)" % tok)
    args.end()

    if record is not None:
        ftype = record.field_type(node, field)
        check_condition_type(node, record, field, ftype, style, operands, negative)

    out.emit([TOK_COND, field, style] + operands,
             "when %s" % " ".join(t.text for t in node.tokens[1:]))

    then_nodes = node.children
    if not then_nodes:
        raise node.error("a condition needs at least one statement below it")
    out.depth += 1
    if len(then_nodes) == 1 and else_node is None and then_nodes[0].keyword != "else":
        # one statement: it forms the then block without a block of its own
        compile_body_statement(then_nodes[0], cat, out, record, body_kinds, depth + 1, None)
    else:
        out.emit([BEGIN_BODY], "block")
        compile_body(then_nodes, cat, out, record, body_kinds, depth + 1)
        if else_node is not None:
            out.emit([ELSE_MARK], "else")
            compile_body(else_node.children, cat, out, record, body_kinds, depth + 1)
        out.emit([END_BLOCK], "end of block")
    out.depth -= 1


def compile_body(nodes, cat, out, record, body_kinds, depth):
    """Statements of a body in order; an `else` line at the indent of the
    `when` before it holds that condition's else branch."""
    i = 0
    while i < len(nodes):
        node = nodes[i]
        if node.keyword == "else":
            raise node.error("'else' must follow a condition at the same indent")
        else_node = None
        if node.keyword == "when" and i + 1 < len(nodes) and nodes[i + 1].keyword == "else":
            else_node = nodes[i + 1]
            Args(else_node).end()
            if not else_node.children:
                raise else_node.error("nothing below 'else'")
            i += 1
        compile_body_statement(node, cat, out, record, body_kinds, depth, else_node)
        i += 1


def check_condition_type(node, record, field, ftype, style, operands, negative=False):
    tname = TYPE_NAMES[ftype]
    if negative and ftype in (TYPES["INT32"], TYPES["BOOL"]):
        # Only INT16 fields read an operand word as a signed number.
        raise node.error("field %d is %s: a constant operand is read from 0 to 65535, "
                         "so a negative one cannot be tested" % (field, tname))
    if style & CF_FIELDS:
        other = record.field_type(node, operands[0])
        if other != ftype:
            raise node.error("field %d is %s but the operand field %d is %s"
                             % (field, tname, operands[0], TYPE_NAMES[other]))
    if style & CF_MINLEN and ftype != TYPES["TEXT"]:
        raise node.error("a length test needs a TEXT field; field %d is %s" % (field, tname))
    if style & (CF_EQUAL | CF_GREATER) and not style & CF_MINLEN:
        if ftype not in (1, 2, 3, 4) or (style & CF_GREATER and ftype == 4):
            raise node.error("field %d is %s: it cannot be compared that way" % (field, tname))
    if style & (CF_RANGE_IN | CF_RANGE_EX):
        if ftype not in (1, 2, 3):
            raise node.error("field %d is %s: it has no range test" % (field, tname))
        lo, hi = operands
        if ftype == 1:
            lo, hi = (lo ^ 0x8000) - 0x8000, (hi ^ 0x8000) - 0x8000
        if not lo < hi:
            raise node.error("the low end of a range must be below the high end")


def compile_body_statement(node, cat, out, record, body_kinds, depth, else_node):
    kw = node.keyword
    args = Args(node)
    if kw == "when" and "when" in body_kinds:
        compile_condition(node, else_node, args, cat, out, record, body_kinds, depth)
        return
    no_children(node)
    if kw in ("message", "silent") and "message" in body_kinds:
        if depth == 0:
            raise node.error("a message must stand inside a condition")
        if kw == "silent":
            args.end()
            out.emit([TOK_MSGBOX, 0x8000, 0, 0x8800], "silent: refuse without a message")
            return
        msg = nonzero(node, args.word("message id"), "message id")
        cat.text_refs.append((msg, node, "message"))
        style, opt = 0x8000, []
        insert = args.peek()
        if insert in ("name", "value", "name+value"):
            args.i += 1
            style |= {"name": 0x001, "value": 0x002, "name+value": 0x003}[insert]
            # The field of the insert is always named: the form that takes it
            # from the condition still carries an optional word nobody reads.
            fid = nonzero(node, args.word("field id of the insert"), "field id")
            if record is not None:
                record.field_type(node, fid)
            style |= 0x100
            opt = [fid]
        elif insert is None and not args.more():
            style |= 0x400
        else:
            raise node.error("'name', 'value' or 'name+value' expected after the message id")
        args.end()
        out.emit([TOK_MSGBOX, 0x8000, msg, style] + opt,
                 "message %s" % " ".join(t.text for t in node.tokens[1:]))
        return
    if kw in ACTIONS and "reaction" in body_kinds:
        target = nonzero(node, args.word("target control id"), "target control id")
        words = [TOK_REACTION, target, ACTIONS[kw], 0x8000]
        if kw == "text":
            sid = args.word("string id")
            cat.text_refs.append((sid, node, "text"))
            words.append(sid)
        args.end()
        out.emit(words, "%s %s" % (kw, " ".join(t.text for t in node.tokens[1:])))
        return
    if kw == "extension" and "extension" in body_kinds:
        ext = args.word("extension id")
        if ext not in EXTENSIONS:
            raise node.error("extension id %d is not one of 32000 to 32007" % ext)
        args.end()
        out.emit([TOK_EXTENSION, ext, 0x8000], "extension %d" % ext)
        return
    allowed = ", ".join(sorted({"when": "when", "message": "message, silent",
                                "reaction": "enable, disable, focus, text",
                                "extension": "extension"}[k] for k in body_kinds))
    raise node.error("'%s' cannot stand here (allowed: %s)" % (kw, allowed))


# Record definitions --------------------------------------------------------

class RecordDef(Definition):
    kind = "record"

    def __init__(self, node, def_id):
        super().__init__(node, def_id)
        self.fields = {}     # field id -> type
        self.field_order = []
        self.counts = {"fields": 0, "conditions": 0, "messages": 0}

    def field_type(self, node, fid):
        if fid not in self.fields:
            raise node.error("record %d has no field %d" % (self.id, fid))
        return self.fields[fid]


def compile_record(node, cat):
    args = Args(node)
    rid = nonzero(node, args.word("record type id"), "record type id")
    symbol = take_symbol(args, "record symbol")
    name = args.name("record name") if args.more() else None
    args.end()
    rec = RecordDef(node, rid)
    rec.title = 'record %d%s' % (rid, ' "%s"' % name if name else "")
    rec.symbol = symbol or (symbol_of_name(name) if name else None)
    if not rec.symbol:
        raise node.error("record %d needs a symbol (record %d SYMBOL) or a kind name"
                         % (rid, rid))
    cat.add_c_name(DEF_PREFIX["record"] + rec.symbol, rid, node)
    if name:
        cat.add_name(rid, name, node, "record kind")
    out = rec.out
    refs_done = data_done = False
    sections = node.children
    if not sections:
        raise node.error("a record definition needs its references and data sections")
    # Fields first, so that verification may name any field of the record.
    for sec in sections:
        if sec.keyword == "data" and not rec.fields:
            collect_fields(sec, rec)
    for sec in sections:
        kw = sec.keyword
        if kw == "references":
            if refs_done:
                raise sec.error("a record definition has one references section")
            refs_done = True
            compile_record_references(sec, cat, out)
        elif kw == "data":
            if not refs_done:
                raise sec.error("the references section must come before data")
            first = not data_done
            data_done = True
            compile_data(sec, cat, out, rec, first)
        elif kw == "verification":
            if not refs_done or not data_done:
                raise sec.error("verification must come after references and data")
            compile_verification(sec, cat, out, rec)
        else:
            raise sec.error("unknown section '%s' of a record (references, data, verification)"
                            % kw)
    if not refs_done:
        raise node.error("record %d has no references section" % rid)
    if not data_done:
        raise node.error("record %d has no data section" % rid)
    out.emit([END_DEF], "end of definition")
    cat.add(rec)


def compile_record_references(sec, cat, out):
    Args(sec).end()
    out.emit([SEC_REFERENCES, BEGIN_BODY], "REFERENCES")
    out.depth += 1
    seen = set()
    for st in sec.children:
        no_children(st)
        args = Args(st)
        if st.keyword in seen:
            raise st.error("one '%s' statement per record" % st.keyword)
        seen.add(st.keyword)
        if st.keyword == "dialog":
            dlg = args.word("dialog definition id")
            args.expect_keyword("help")
            hlp = args.word("help id")
            args.end()
            out.emit([TOK_SOFTDLG, dlg, hlp], "dialog %d, help %d" % (dlg, hlp))
        elif st.keyword == "sheet":
            sheet = args.word("property-sheet definition id")
            args.end()
            cat.sheet_refs.append((sheet, st))
            out.emit([TOK_PROPSHEET, sheet], "property sheet %d" % sheet)
        else:
            raise st.error("'%s' cannot stand in references (dialog, sheet)" % st.keyword)
    out.depth -= 1
    out.emit([END_BLOCK], "end of REFERENCES")


def parse_field(st):
    """field ID [SYMBOL] NAME TYPE STYLE [records ID] [var ID NAME] [word002 W] [word008 W]"""
    if st.keyword != "field":
        raise st.error("'%s' cannot stand in data (field)" % st.keyword)
    no_children(st)
    args = Args(st)
    fid = nonzero(st, args.word("field id"), "field id")
    symbol = take_symbol(args, "field symbol")
    name = args.name("field name")
    if symbol is None and name is None:
        raise st.error("field %d has no name: give it a symbol (field %d SYMBOL - ...)"
                       % (fid, fid))
    tname = args.bare("field type")
    if tname not in TYPES:
        raise st.error("unknown field type '%s' (%s)" % (tname, " ".join(TYPES)))
    style = check_style(st, args.word("style"))
    extra = {}
    while args.more():
        key = args.bare("field option")
        if key in extra:
            raise st.error("'%s' given twice" % key)
        if key == "records":
            extra[key] = nonzero(st, args.word("record type id"), "record type id")
        elif key == "var":
            extra[key] = (nonzero(st, args.word("variable name id"), "variable name id"),
                          args.name("variable name"))
            if extra[key][1] is None:
                raise st.error("a bound variable needs its name")
        elif key in ("word002", "word008"):
            extra[key] = args.word(key)
        else:
            raise st.error("unknown field option '%s' (records, var, word002, word008)" % key)
    ftype = TYPES[tname]
    for flag, key, what in ((FF_RECORDS, "records", "the record type of a RECORDSET"),
                            (FF_VAR, "var", "a bound variable"),
                            (FF_WORD002, "word002", "word002"),
                            (FF_WORD008, "word008", "word008")):
        if bool(style & flag) != (key in extra):
            raise st.error("style flag 0x%03X goes with '%s' (%s): give both or neither"
                           % (flag, key, what))
    if ftype == TYPES["RECORDSET"]:
        if "records" not in extra:
            raise st.error("a RECORDSET field names its record type (records ID)")
        if style & FF_STORAGE:
            raise st.error("a RECORDSET field takes no storage override")
    elif "records" in extra:
        raise st.error("only a RECORDSET field names a record type")
    if ftype in (TYPES["MONTHANDDAY"], TYPES["TIME"]) and not style & FF_STORAGE:
        raise st.error("a %s field needs a storage flag (0x020 0x040 0x100 0x200 0x400)" % tname)
    extra["symbol"] = symbol
    return fid, name, ftype, style, extra


def field_c_name(rec, name, extra):
    """A field's symbol is the one its line gives, else the record's symbol
    and the field's name (field 25256 "Name" of USER_APP: USER_APP_NAME)."""
    if extra["symbol"]:
        return FIELD_PREFIX + extra["symbol"]
    return FIELD_PREFIX + rec.symbol + "_" + symbol_of_name(name)


def collect_fields(sec, rec):
    for st in sec.children:
        fid, _, ftype, _, _ = parse_field(st)
        if fid in rec.fields:
            raise st.error("field %d appears twice in record %d" % (fid, rec.id))
        rec.fields[fid] = ftype
        rec.field_order.append(fid)


def compile_data(sec, cat, out, rec, first):
    Args(sec).end()
    if not sec.children:
        raise sec.error("a data section lists the record's fields")
    out.emit([SEC_DATA], "DATA")
    out.depth += 1
    out.emit([TOK_SRVERSION, 1, 1], "SRVERSION 1 1")
    out.emit([BEGIN_BODY], "fields")
    seen = set()
    for st in sec.children:
        fid, name, ftype, style, extra = parse_field(st)
        if fid in seen:
            raise st.error("field %d appears twice in record %d" % (fid, rec.id))
        seen.add(fid)
        cat.add_field_name(fid, name, st)
        cat.add_field_symbol(rec.id, fid, field_c_name(rec, name, extra), st)
        words = [TOK_FIELD, fid, ftype, style]
        note = '%d %s %s 0x%04X' % (fid, '"%s"' % name if name else "-",
                                    TYPE_NAMES[ftype], style)
        # optional words in the order of the flags 0x002, 0x010, 0x004, 0x008
        if "word002" in extra:
            words.append(extra["word002"])
        if "var" in extra:
            vid, vname = extra["var"]
            cat.add_name(vid, vname, st, "variable")
            words.append(vid)
            note += ' var %d "%s"' % (vid, vname)
        if "records" in extra:
            cat.record_refs.append((extra["records"], st))
            words.append(extra["records"])
            note += " of %d" % extra["records"]
        if "word008" in extra:
            words.append(extra["word008"])
        out.emit(words, "field " + note)
        if first:
            rec.counts["fields"] += 1
    out.depth -= 1
    out.emit([END_BLOCK], "end of DATA")


def compile_verification(sec, cat, out, rec):
    args = Args(sec)
    args.expect_keyword("style")
    srstyle = args.word("verification style")
    args.end()
    if not sec.children:
        raise sec.error("a verification section needs its rules")
    out.emit([SEC_VERIFICATION], "VERIFICATION")
    out.depth += 1
    out.emit([TOK_SRVERSION, 1, 1], "SRVERSION 1 1")
    out.emit([TOK_SRSTYLE, srstyle], "SRSTYLE 0x%04X" % srstyle)
    out.emit([BEGIN_BODY], "rules")
    start = len(out.lines)
    compile_body(sec.children, cat, out, rec, ("when", "message"), 0)
    for _, words, _ in out.lines[start:]:
        if words and words[0] == TOK_COND:
            rec.counts["conditions"] += 1
        elif words and words[0] == TOK_MSGBOX:
            rec.counts["messages"] += 1
    out.depth -= 1
    out.emit([END_BLOCK], "end of VERIFICATION")


# Dialog definitions --------------------------------------------------------

class DialogDef(Definition):
    kind = "dialog"


def compile_dialog(node, cat):
    args = Args(node)
    did = nonzero(node, args.word("dialog definition id"), "dialog definition id")
    symbol = take_symbol(args, "dialog symbol", ("template",))
    if symbol is None:
        raise node.error("dialog %d needs a symbol (dialog %d SYMBOL template ...)" % (did, did))
    args.expect_keyword("template")
    template = nonzero(node, args.word("template id"), "dialog template id")
    help_id = None
    if args.take_keyword("help"):
        help_id = nonzero(node, args.word("help id"), "help id")
    args.end()
    dlg = DialogDef(node, did)
    dlg.title = "dialog %d" % did
    dlg.symbol = symbol
    cat.add_c_name(DEF_PREFIX["dialog"] + symbol, did, node)
    out = dlg.out
    out.emit([SEC_REFERENCES, BEGIN_BODY], "REFERENCES")
    out.depth += 1
    out.emit([TOK_DLGRES, template], "template %d" % template)
    if help_id is not None:
        out.emit([TOK_DLGHELP, help_id], "help %d" % help_id)
    out.depth -= 1
    out.emit([END_BLOCK], "end of REFERENCES")
    controls_done = False
    for sec in node.children:
        kw = sec.keyword
        if kw == "controls":
            Args(sec).end()
            controls_done = True
            compile_controls(sec, out)
        elif kw == "links":
            if not controls_done:
                raise sec.error("links must come after controls")
            Args(sec).end()
            compile_links(sec, out)
        elif kw == "on":
            if not controls_done:
                raise sec.error("notifications must come after controls")
            compile_notification(sec, cat, out)
        else:
            raise sec.error("unknown section '%s' of a dialog (controls, links, on)" % kw)
    if not controls_done:
        raise node.error("dialog %d has no controls section (write 'controls' with nothing "
                         "below it for a dialog without soft controls)" % did)
    out.emit([END_DEF], "end of definition")
    cat.add(dlg)


def control_optional_count(node, code, token, style):
    if token == TOK_PLAINCTRL:
        if code in (0x4003, 0x4004):
            return 1 if style & 0x001 else 0
        if code == 0x4006:
            return 3 if style & 0x004 else 2
        return 1
    if code == 0x4078:
        return 2
    if code == 0x4079:
        return 2 if style & 0x004 else 1
    return 0


def compile_controls(sec, out):
    out.emit([SEC_SOFTCONTROL, BEGIN_BODY], "SOFTCONTROL")
    out.depth += 1
    seen = set()
    for st in sec.children:
        if st.keyword != "control":
            raise st.error("'%s' cannot stand in controls (control)" % st.keyword)
        no_children(st)
        args = Args(st)
        cid = nonzero(st, args.word("control id"), "control id")
        if cid in seen:
            raise st.error("control %d is listed twice" % cid)
        seen.add(cid)
        cname = args.bare("control class")
        if cname not in CONTROL_CLASSES:
            raise st.error("unknown control class '%s' (%s)"
                           % (cname, " ".join(CONTROL_CLASSES)))
        code, token = CONTROL_CLASSES[cname]
        args.expect_keyword("style")
        style = check_style(st, args.word("style"))
        words = []
        if args.take_keyword("words"):
            words = args.words_until("optional word", ("members",))
        members = None
        if args.take_keyword("members"):
            members = args.words_until("member control id")
            for m in members:
                nonzero(st, m, "member control id")
        args.end()
        want = control_optional_count(st, code, token, style)
        if len(words) != want:
            raise st.error("a %s control with style 0x%04X takes %d optional word(s), not %d"
                           % (cname, style, want, len(words)))
        if token == TOK_GROUPCTRL:
            if members is None:
                raise st.error("a %s control lists its members (members ID ...)" % cname)
        elif members is not None:
            raise st.error("a %s control has no members" % cname)
        note = "%s %d style 0x%04X%s" % (cname, cid, style,
                                         " [%s]" % ", ".join(map(str, words)) if words else "")
        out.emit([token, cid, code, style] + words, note)
        if token == TOK_GROUPCTRL:
            out.depth += 1
            out.emit([BEGIN_BODY], "members")
            for m in members:
                out.emit([TOK_SUBCTRL, m], "member %d" % m)
            out.emit([END_BLOCK], "end of members")
            out.depth -= 1
    out.depth -= 1
    out.emit([END_BLOCK], "end of SOFTCONTROL")


def compile_links(sec, out):
    out.emit([SEC_DLGDATALINK], "DLGDATALINK")
    out.depth += 1
    out.emit([TOK_SRVERSION, 1, 1], "SRVERSION 1 1")
    out.emit([BEGIN_BODY], "links")
    for st in sec.children:
        if st.keyword != "link":
            raise st.error("'%s' cannot stand in links (link)" % st.keyword)
        args = Args(st)
        cid = nonzero(st, args.word("control id"), "control id")
        args.expect_keyword("field")
        fid = args.word("field id")
        style = 0x8000
        if args.take_keyword("style"):
            style = check_style(st, args.word("style"))
        args.end()
        has_params = bool(st.children)
        # Flag 0x002 asks for a parameter block; a list view takes its
        # columns from parameters without the flag.
        if style & 0x002 and not has_params:
            raise st.error("style flag 0x002 needs parameters below the link")
        out.emit([TOK_DATALINK, cid, fid, style],
                 "control %d shows field %d%s" % (cid, fid,
                                                  "" if style == 0x8000 else
                                                  " style 0x%04X" % style))
        if has_params:
            out.depth += 1
            out.emit([BEGIN_BODY], "parameters")
            for p in st.children:
                if p.keyword != "param":
                    raise p.error("'%s' cannot stand below a link (param)" % p.keyword)
                no_children(p)
                pa = Args(p)
                pfid = nonzero(p, pa.word("field id"), "field id")
                pa.expect_keyword("style")
                pstyle = check_style(p, pa.word("style"))
                pwords = []
                if pa.take_keyword("words"):
                    pwords = pa.words_until("optional word")
                pa.end()
                want = 2 if pstyle & 0x001 else 0
                if len(pwords) != want:
                    raise p.error("a parameter with style 0x%04X takes %d optional word(s), "
                                  "not %d" % (pstyle, want, len(pwords)))
                out.emit([TOK_PARAM, pfid, pstyle] + pwords,
                         "param %s" % " ".join(t.text for t in p.tokens[1:]))
            out.emit([END_BLOCK], "end of parameters")
            out.depth -= 1
    out.depth -= 1
    out.emit([END_BLOCK], "end of DLGDATALINK")


def compile_notification(sec, cat, out):
    args = Args(sec)
    cid = nonzero(sec, args.word("control id"), "control id")
    code_name = args.bare("notification")
    if code_name in NOTIFICATIONS:
        code = NOTIFICATIONS[code_name]
    else:
        raise sec.error("unknown notification '%s' (%s)"
                        % (code_name, " ".join(NOTIFICATIONS)))
    args.end()
    out.emit([SEC_NOTIFICATION], "NOTIFICATION")
    out.depth += 1
    out.emit([TOK_NOTIF, cid, code], "on %d %s" % (cid, code_name))
    out.emit([BEGIN_BODY], "reactions")
    compile_body(sec.children, cat, out, None, ("when", "reaction", "extension"), 0)
    out.depth -= 1
    out.emit([END_BLOCK], "end of NOTIFICATION")


# Property-sheet definitions -----------------------------------------------

class SheetDef(Definition):
    kind = "sheet"


def compile_sheet(node, cat):
    args = Args(node)
    sid = nonzero(node, args.word("property-sheet definition id"), "property-sheet id")
    symbol = take_symbol(args, "property-sheet symbol")
    if symbol is None:
        raise node.error("property sheet %d needs a symbol (sheet %d SYMBOL)" % (sid, sid))
    args.end()
    sheet = SheetDef(node, sid)
    sheet.title = "property sheet %d" % sid
    sheet.symbol = symbol
    cat.add_c_name(DEF_PREFIX["sheet"] + symbol, sid, node)
    if not node.children:
        raise node.error("property sheet %d has no pages" % sid)
    out = sheet.out
    out.emit([SEC_REFERENCES, BEGIN_BODY], "REFERENCES")
    out.depth += 1
    for st in node.children:
        if st.keyword != "page":
            raise st.error("'%s' cannot stand in a property sheet (page)" % st.keyword)
        no_children(st)
        pa = Args(st)
        did = pa.word("dialog definition id")
        pa.expect_keyword("help")
        hlp = pa.word("help id")
        pa.end()
        cat.dialog_refs.append((did, st))
        out.emit([TOK_SOFTDLG, did, hlp], "page: dialog %d, help %d" % (did, hlp))
    out.depth -= 1
    out.emit([END_BLOCK], "end of REFERENCES")
    out.emit([END_DEF], "end of definition")
    cat.add(sheet)


COMPILERS = {"record": compile_record, "dialog": compile_dialog, "sheet": compile_sheet}


def read_table(path, cat, text=None):
    if text is None:
        try:
            with open(path, encoding="utf-8") as f:
                text = f.read()
        except (OSError, UnicodeDecodeError) as e:
            raise TableError(path, 0, "cannot read the table: %s" % e) from None
    for node in parse_tree(path, text):
        compiler = COMPILERS.get(node.keyword)
        if compiler is None:
            raise node.error("unknown definition '%s' (record, dialog, sheet)" % node.keyword)
        compiler(node, cat)


# ---------------------------------------------------------------------------
# The string fragment

def read_string_fragment(rc_path, res_path):
    """Ids with text from the hand-written fragment: `SYMBOL "text"` or
    `NUMBER "text"` lines between BEGIN and END of STRINGTABLEs, symbols
    from #define lines of the header."""
    symbols = {}
    if res_path:
        try:
            with open(res_path, encoding="utf-8") as f:
                for lineno, line in enumerate(f, 1):
                    m = re.match(r"\s*#\s*define\s+(\w+)\s+(\d+|0x[0-9A-Fa-f]+)\b", line)
                    if m:
                        symbols[m.group(1)] = int(m.group(2), 0)
        except OSError as e:
            raise TableError(res_path, 0, "cannot read: %s" % e) from None
    strings = {}
    if not rc_path:
        return strings
    try:
        with open(rc_path, encoding="utf-8") as f:
            lines = f.read().splitlines()
    except (OSError, UnicodeDecodeError) as e:
        raise TableError(rc_path, 0, "cannot read: %s" % e) from None
    inside = False
    for lineno, line in enumerate(lines, 1):
        s = line.strip()
        if s.upper() == "BEGIN":
            inside = True
            continue
        if s.upper() == "END":
            inside = False
            continue
        if not inside or not s or s.startswith("//"):
            continue
        m = re.match(r'(\w+)\s+"(.*)"\s*$', s)
        if not m:
            raise TableError(rc_path, lineno, "string entry `ID \"text\"` expected")
        key = m.group(1)
        if key.isdigit():
            sid = int(key)
        elif key in symbols:
            sid = symbols[key]
        else:
            raise TableError(rc_path, lineno, "%s is not defined in %s" % (key, res_path))
        if sid in strings:
            raise TableError(rc_path, lineno, "string %d is given twice" % sid)
        strings[sid] = m.group(2)
    return strings


# ---------------------------------------------------------------------------
# Writing the resource script

def rc_string(text):
    out = []
    for c in text:
        if c == '"':
            out.append('""')
        elif c == "\\":
            out.append("\\\\")
        elif c == "\n":
            out.append("\\n")
        else:
            out.append(c)
    return '"%s"' % "".join(out)


def rc_comment(text):
    return text.replace("*/", "* /").replace("\n", " ")


def render(cat, sources, include):
    lines = ["// Soft definitions of the program. Generated from the tables:",
             "//   " + "\n//   ".join(os.path.basename(s) for s in sources),
             "// by pxsdodefgen.py; edit the tables, not this file.",
             ""]
    if include:
        lines += ['#include "%s"' % include, ""]
    for did in sorted(cat.defs):
        d = cat.defs[did]
        lines.append("// %s (%s:%d)" % (rc_comment(d.title), os.path.basename(d.node.path),
                                       d.node.line))
        lines.append("%d RCDATA" % did)
        lines.append("BEGIN")
        all_lines = d.out.lines
        for n, (depth, words, comment) in enumerate(all_lines):
            last = n == len(all_lines) - 1
            text = ", ".join("0x%04X" % w for w in words)
            lines.append("    %s%s%s  /* %s */" % ("  " * depth, text, "" if last else ",",
                                                  rc_comment(comment)))
        lines.append("END")
        lines.append("")
    if cat.names:
        lines.append("// Names of fields, bound variables and record kinds.")
        lines.append("STRINGTABLE")
        lines.append("BEGIN")
        for sid in sorted(cat.names):
            text, _, what = cat.names[sid]
            lines.append("    %d %s  // %s" % (sid, rc_string(text), what))
        lines.append("END")
        lines.append("")
    return "\n".join(lines)


def render_ids(cat, sources):
    """The header of ids: one #define per record, field, dialog and sheet."""
    guard = "PXSDODEFIDS_H"
    lines = ["// Ids of the soft definitions of the program. Generated from the tables:",
             "//   " + "\n//   ".join(os.path.basename(s) for s in sources),
             "// by pxsdodefgen.py; edit the tables, not this file.",
             "#ifndef " + guard,
             "#define " + guard,
             ""]

    def define(cname, ident, note):
        lines.append("#define %-47s %5d%s" % (cname, ident, "  // " + note if note else ""))

    for kind, heading in (("record", "Record types"), ("dialog", "Dialog definitions"),
                          ("sheet", "Property-sheet definitions")):
        lines.append("// " + heading)
        for did in sorted(cat.defs):
            d = cat.defs[did]
            if d.kind == kind:
                kind_name = cat.names.get(did) if kind == "record" else None
                define(DEF_PREFIX[kind] + d.symbol, did,
                       '"%s"' % rc_comment(kind_name[0]) if kind_name else "")
        lines.append("")

    def define_field(fid):
        name = cat.names.get(fid)
        define(cat.field_symbols[fid][0], fid, '"%s"' % rc_comment(name[0]) if name else "")

    lines.append("// Fields: the string-table id of each field's name, by record in table order")
    shared = [fid for _, fid in cat.field_order if len(cat.field_records[fid]) > 1]
    current = None
    for rid, fid in cat.field_order:
        if fid in shared:
            continue
        if rid != current:
            current = rid
            lines.append("// %s%s" % (DEF_PREFIX["record"], cat.defs[rid].symbol))
        define_field(fid)
    if shared:
        lines.append("// Fields of several records")
        for fid in shared:
            define_field(fid)
    lines += ["", "#endif", ""]
    return "\n".join(lines)


def write_atomic(path, text):
    folder = os.path.dirname(os.path.abspath(path))
    os.makedirs(folder, exist_ok=True)
    fd, tmp = tempfile.mkstemp(prefix=".pxsdodef", dir=folder)
    try:
        with os.fdopen(fd, "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
        os.replace(tmp, path)
    except BaseException:
        if os.path.exists(tmp):
            os.unlink(tmp)
        raise


def build(sources, strings_rc=None, res_h=None, texts=None):
    """Reads every table and runs the checks; answers the catalogue.
    texts maps a table path to its text (for tests)."""
    strings = read_string_fragment(strings_rc, res_h)
    cat = Catalogue()
    for path in sources:
        read_table(path, cat, texts.get(path) if texts else None)
    cat.check_references(strings)
    return cat


def main(argv):
    out = ids = strings_rc = res_h = include = None
    sources = []
    it = iter(argv)
    for a in it:
        if a == "--out":
            out = next(it, None)
        elif a == "--ids":
            ids = next(it, None)
        elif a == "--strings":
            strings_rc = next(it, None)
        elif a == "--res":
            res_h = next(it, None)
        elif a == "--include":
            include = next(it, None)
        elif a.startswith("--"):
            print("pxsdodefgen: unknown option %s" % a, file=sys.stderr)
            return 2
        else:
            sources.append(a)
    if not out or not sources:
        print(__doc__.strip().split("\n\n")[2], file=sys.stderr)
        return 2
    try:
        cat = build(sources, strings_rc, res_h)
    except TableError as e:
        print(e, file=sys.stderr)
        return 1
    script = render(cat, sources, include)
    header = render_ids(cat, sources) if ids else None
    write_atomic(out, script)
    if header is not None:
        write_atomic(ids, header)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
