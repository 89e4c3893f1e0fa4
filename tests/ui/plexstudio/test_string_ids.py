#!/usr/bin/env python3
"""The editor's string table is put together from the string tables of
every library it is made of (the #include lines of plexstudio.rc).  The
resource compiler keeps one text per id without a word when two tables use
the same id, so a message would silently show another message's text.
This check reads the tables, gives every symbolic id its number from the
headers of the sources and fails on an id used for two different texts."""
import os
import re
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..', '..'))
EDITOR_RC = os.path.join(ROOT, 'src', 'ui', 'plexstudio', 'plexstudio.rc')
DEFINE = re.compile(r'^\s*#\s*define\s+([A-Za-z_]\w*)\s+\(?\s*(\d+)\s*\)?\s*(?://.*)?$')
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
ENTRY = re.compile(r'^\s*([A-Za-z_]\w*|\d+)\s*,?\s*("(?:[^"]|"")*")')


def header_numbers():
    numbers = {}
    for top in ('src', 'platform', 'plexcore'):
        for folder, _, files in os.walk(os.path.join(ROOT, top)):
            for name in files:
                if not name.endswith('.h'):
                    continue
                with open(os.path.join(folder, name), encoding='latin-1') as f:
                    for line in f:
                        m = DEFINE.match(line)
                        if m:
                            numbers.setdefault(m.group(1), set()).add(int(m.group(2)))
    return numbers


def string_entries(rc_path, seen):
    """(id, text, file, line) of every STRINGTABLE entry of rc_path and of the
    .rc files it includes."""
    rc_path = os.path.normpath(rc_path)
    if rc_path in seen or not os.path.exists(rc_path):
        return []
    seen.add(rc_path)
    entries = []
    in_table = depth = 0
    with open(rc_path, encoding='latin-1') as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if m and m.group(1).lower().endswith('.rc'):
                entries += string_entries(os.path.join(os.path.dirname(rc_path), m.group(1)), seen)
                continue
            word = line.strip().split('//')[0].strip()
            if word.startswith('STRINGTABLE'):
                in_table, depth = 1, 0
                continue
            if not in_table:
                continue
            if word in ('BEGIN', '{'):
                depth += 1
                continue
            if word in ('END', '}'):
                depth -= 1
                if depth <= 0:
                    in_table = 0
                continue
            m = ENTRY.match(line)
            if m and depth > 0:
                entries.append((m.group(1), m.group(2), os.path.relpath(rc_path, ROOT), number))
    return entries


def main():
    numbers = header_numbers()
    entries = string_entries(EDITOR_RC, set())
    if not entries:
        print('no string table entries found under', EDITOR_RC)
        return 1
    by_id = {}
    faults = []
    for name, text, path, line in entries:
        if name.isdigit():
            values = {int(name)}
        else:
            values = numbers.get(name)
            if not values:
                faults.append('%s:%d: %s has no number in any header' % (path, line, name))
                continue
            if len(values) > 1:
                faults.append('%s:%d: %s is defined as %s' % (path, line, name, sorted(values)))
                continue
        value = next(iter(values))
        by_id.setdefault(value, []).append((text, '%s (%s:%d)' % (name, path, line)))
    for value, uses in sorted(by_id.items()):
        # Libraries that stand alone carry the same text under the same id.
        users = [where for _, where in uses]
        if len({text for text, _ in uses}) > 1:
            faults.append('string %d is used by %s' % (value, ', '.join(users)))
    for fault in faults:
        print(fault)
    print('%d strings, %d faults' % (len(entries), len(faults)))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
