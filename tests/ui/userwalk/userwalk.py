#!/usr/bin/env python3
"""A new user's first hour with the real editor.

plexstudio.exe is started as scripts/run starts it (the Wine environment,
the bin folder as the current folder, the architecture's loader), in a Wine
prefix of this walk's own that nothing prepares but wineboot and the
editor's own first start, on an X display of the walk's own, so that no
other test's window takes a click. Every input is a real X event from
xdotool: mouse moves, clicks, drags and keys. What the screen shows is read
back through the probe (plexwalk_probe.exe, run in the same prefix): the
window titles, the texts of controls and message boxes, the status line
and, through the probe's hook, the states of the menu items the editor
shows. The files the editor writes are read from the prefix.

Each step is checked once. A failed check is reported with a screenshot of
the display (PNG, in the output folder's shots/) and the walk goes on where
it can; a step that leaves nothing to go on with ends the walk. Exit code 0
when every check held.
"""
import argparse
import json
import os
import re
import select
import shutil
import subprocess
import sys
import time

APP = 'Walk'
BLOCK = 'Front Desk'
BLOCK_SAVED = 'Front_Desk'
RENAMED = 'Reception'
PASTED = 'Front_Desk1'
SUPERBLOCK = 'Billing'
DAMAGED = 'Broken'

HOVER_OUTPUT = 'Click to connect this output to a Block.'
HOVER_TARGET = 'Click to connect selected output to this Block.'
HOVER_BLOCK = 'Drag Block to new location or double click to edit properties.'


class Stop(Exception):
    """A step left nothing for the walk to go on with."""


class Probe:
    """plexwalk_probe.exe: one request a line, one JSON answer a line."""

    def __init__(self, loader, exe, env, cwd):
        self.proc = subprocess.Popen([loader, exe], cwd=cwd, env=env, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.buf = b''

    def ask(self, request, timeout=20):
        self.proc.stdin.write((request + '\n').encode())
        self.proc.stdin.flush()
        end = time.monotonic() + timeout
        while b'\n' not in self.buf:
            left = end - time.monotonic()
            if left <= 0 or self.proc.poll() is not None:
                raise Stop('the probe did not answer "%s"' % request)
            ready, _, _ = select.select([self.proc.stdout], [], [], left)
            if ready:
                chunk = os.read(self.proc.stdout.fileno(), 65536)
                if not chunk:
                    raise Stop('the probe ended')
                self.buf += chunk
        line, self.buf = self.buf.split(b'\n', 1)
        return json.loads(line.decode('utf-8', 'replace').strip() or '{}')

    def close(self):
        try:
            self.proc.stdin.write(b'quit\n')
            self.proc.stdin.flush()
            self.proc.wait(timeout=10)
        except Exception:
            self.proc.kill()
            self.proc.wait()


class Walk:
    def __init__(self, args):
        self.bin = os.path.abspath(args.bin)
        self.loader = args.loader
        self.out = os.path.abspath(args.out)
        self.prefix = os.path.join(self.out, 'wineprefix')
        self.shots = os.path.join(self.out, 'shots')
        self.faults = []
        self.shot_count = 0
        self.step = ''
        self.xvfb = self.wineserver = self.editor = self.probe = None
        self.env = dict(os.environ)
        self.frame = None
        self.status_hwnd = None
        self.started = time.monotonic()
        self.path = self.text = self.pane_rect = self.drop = self.paste_at = self.list_hwnd = None
        self.drop_offset = self.paste_offset = None
        self.pasted = False
        self.menu_sequence = 0

    # ---- the machine: display, prefix, wineserver -------------------------

    def start_display(self):
        # Xvfb picks a free display number and writes it to the pipe.
        self.xvfb = subprocess.Popen(['Xvfb', '-displayfd', '1', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        ready, _, _ = select.select([self.xvfb.stdout], [], [], 20)
        number = os.read(self.xvfb.stdout.fileno(), 64).decode().strip() if ready else ''
        if not number.isdigit():
            raise Stop('Xvfb did not start')
        self.env['DISPLAY'] = ':' + number

    def start_wine(self):
        shutil.rmtree(self.prefix, ignore_errors=True)
        os.makedirs(self.prefix)
        self.env.update(WINEPREFIX=self.prefix, WINEDEBUG='-all', WINELOADER=self.loader,
                        WINEARCH='win32' if os.path.basename(self.loader) == 'wine' else 'win64')
        self.wineserver = subprocess.Popen(['wineserver', '-f', '-p'], env=self.env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        boot = dict(self.env, WINEDLLOVERRIDES='mscoree,mshtml=')
        subprocess.run([self.loader, 'wineboot', '-i'], env=boot, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300, check=True)

    def stop(self):
        if self.probe:
            self.probe.close()
        if self.editor and self.editor.poll() is None:
            # A walk that stopped early leaves it running; the exit step checks the end.
            self.editor.kill()
            self.editor.wait()
        if self.wineserver:
            subprocess.run(['wineserver', '-k'], env=self.env, timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                self.wineserver.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self.wineserver.kill()
                self.wineserver.wait()
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait(timeout=10)

    # ---- what the user sees ----------------------------------------------

    def shot(self, name):
        self.shot_count += 1
        path = os.path.join(self.shots, '%02d-%s.png' % (self.shot_count, name))
        subprocess.run(['import', '-window', 'root', path], env=self.env, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def fault(self, message):
        path = self.shot('fault')
        self.faults.append('%s: %s (screenshot %s)' % (self.step, message, path))
        print('FAULT ' + self.faults[-1], flush=True)

    def check(self, condition, message):
        if not condition:
            self.fault(message)
        return condition

    def known_fault(self, condition, message):
        """A fault that is known and still open: it is shown (with its
        screenshot) without failing the walk, and the walk fails once the
        fault is gone, so that the mark goes with it."""
        if condition:
            self.fault('mended, but the walk still marks it as a known fault: ' + message)
        else:
            path = self.shot('known-fault')
            print('KNOWN FAULT %s: %s (screenshot %s)' % (self.step, message, path), flush=True)
        return condition

    def require(self, condition, message):
        if not condition:
            self.fault(message)
            raise Stop(message)
        return condition

    def begin(self, step):
        self.step = step
        print('-- %s (%.0f s)' % (step, time.monotonic() - self.started), flush=True)

    def windows(self):
        return self.probe.ask('top').get('windows', [])

    def dialogs(self):
        return [w for w in self.windows() if w['class'] == '#32770']

    def find(self, hwnd, cls):
        return self.probe.ask('find %d %s' % (hwnd, cls)).get('windows', [])

    def status(self):
        if not self.status_hwnd:
            lines = self.find(self.frame['hwnd'], 'STATUSLINE')
            self.status_hwnd = lines[0]['hwnd'] if lines else None
        return self.probe.ask('text %d' % self.status_hwnd).get('text') if self.status_hwnd else None

    def page_windows(self):
        return self.find(self.frame['hwnd'], 'UIMDI')

    def pane(self, page):
        panes = self.find(page['hwnd'], 'UIOBJECTCHILD')
        return self.probe.ask('client %d' % panes[0]['hwnd'])['rect'] if panes else None

    def refresh_frame(self):
        frames = [w for w in self.windows() if w['class'] == 'UIFRAME']
        if frames:
            self.frame = frames[0]
        return self.frame

    def wait(self, what, timeout=20, interval=0.1):
        end = time.monotonic() + timeout
        while True:
            value = what()
            if value or time.monotonic() > end:
                return value
            if self.editor.poll() is not None:
                return value
            time.sleep(interval)

    def wait_dialog(self, timeout=15, caption=None, message=False):
        """The topmost dialog (with that caption; a message box only, when
        asked), waited for."""
        def one():
            boxes = [d for d in self.dialogs() if (caption is None or d['text'] == caption) and
                     (not message or self.is_message(d))]
            return boxes[0] if boxes else None
        return self.wait(one, timeout)

    def is_message(self, dialog):
        """A box that says something and asks at most for a button."""
        return not any(self.find(dialog['hwnd'], cls) for cls in ('Edit', 'ListBox', 'ComboBox', 'SysListView32'))

    def wait_gone(self, hwnd, timeout=10):
        return self.wait(lambda: all(w['hwnd'] != hwnd for w in self.windows()), timeout)

    def box_text(self, box):
        return self.probe.ask('box %d' % box['hwnd']).get('text', '')

    # ---- what the user does (X events only) ------------------------------

    def xdo(self, *args):
        subprocess.run(['xdotool'] + [str(a) for a in args], env=self.env, timeout=20, check=True)

    def key(self, *keys):
        self.xdo('key', '--delay', 60, *keys)
        time.sleep(0.3)

    def type(self, text):
        self.xdo('type', '--delay', 40, text)
        time.sleep(0.2)

    def move(self, x, y):
        # Without --sync: xdotool waits on for a pointer already there. The
        # server takes the later clicks and keys after the move anyway.
        self.xdo('mousemove', int(x), int(y))
        time.sleep(0.05)

    def click(self, x, y, button=1, repeat=1):
        self.move(x, y)
        self.xdo('click', '--repeat', repeat, '--delay', 80, button)
        time.sleep(0.4)

    def drag(self, start, end):
        self.move(*start)
        self.xdo('mousedown', 1)
        steps = 12
        for i in range(1, steps + 1):
            self.move(start[0] + (end[0] - start[0]) * i / steps, start[1] + (end[1] - start[1]) * i / steps)
            time.sleep(0.05)
        time.sleep(0.2)
        self.xdo('mouseup', 1)
        time.sleep(0.5)

    def hover(self, x, y):
        """The status line with the mouse at the point, once the editor has
        seen it move there (from beside it: a pointer already there moves
        nowhere)."""
        self.xdo('mousemove', int(x) + 1, int(y), 'mousemove', int(x), int(y))
        time.sleep(0.06)
        return self.status()

    def click_item(self, dialog, item):
        info = self.probe.ask('item %d %d' % (dialog['hwnd'], item))
        if 'rect' not in info:
            return False
        r = info['rect']
        self.click((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)
        return True

    def item_text(self, dialog, item):
        return self.probe.ask('item %d %d' % (dialog['hwnd'], item)).get('text')

    # ---- menus ------------------------------------------------------------

    def next_menu(self, timeout=5):
        """The items of the next menu the editor prepares for showing."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            menu = self.probe.ask('menu')
            if menu.get('sequence', 0) > self.menu_sequence:
                # A menu is prepared once per level; the last one is what shows.
                time.sleep(0.2)
                menu = self.probe.ask('menu')
                self.menu_sequence = menu['sequence']
                return menu['items']
            time.sleep(0.05)
        return None

    @staticmethod
    def label(item):
        return item['text'].split('\t')[0].replace('&', '')

    def open_menu(self, letter):
        """Opens the menu bar's menu with Alt and its letter; its items."""
        self.key('alt+' + letter)
        return self.next_menu()

    def pick(self, items, text):
        """Chooses the item whose label starts with the text in the open menu,
        with its letter where the letter is its own, else with the arrows."""
        labels = [self.label(i) for i in items]
        index = next((n for n, l in enumerate(labels) if l.startswith(text)), None)
        if index is None:
            self.key('Escape', 'Escape')
            return None
        raw = items[index]['text'].split('\t')[0]
        amp = raw.find('&')
        letter = raw[amp + 1].lower() if 0 <= amp < len(raw) - 1 else None
        letters = [i['text'][i['text'].find('&') + 1].lower() for i in items if '&' in i['text']]
        if letter and letters.count(letter) == 1 and letter.isalnum():
            self.key(letter)
        else:
            self.key(*(['Down'] * index + ['Return']))
        return items[index]

    def menu_command(self, letter, text):
        items = self.open_menu(letter)
        if items is None:
            return None
        return self.pick(items, text)

    # ---- the program directory -------------------------------------------

    def program_file(self, name):
        """The program file the editor wrote under the prefix's drive C."""
        for folder, _, files in os.walk(os.path.join(self.prefix, 'drive_c')):
            for f in files:
                if f.lower() == name.lower() + '.ed':
                    return os.path.join(folder, f)
        return None

    def file_text(self, path):
        try:
            with open(path, 'rb') as f:
                return f.read().decode('latin-1')
        except OSError:
            return ''

    # ---- answering ---------------------------------------------------------

    def answer_boxes(self, key='Return', timeout=3, limit=6):
        """Reads and answers the message boxes that come, with the key."""
        texts = []
        while len(texts) < limit:
            box = self.wait_dialog(timeout, message=True)
            if not box:
                break
            texts.append(self.box_text(box) or box['text'])
            self.key(key)
            self.wait_gone(box['hwnd'], 5)
        return texts

    # ---- the walk ----------------------------------------------------------

    def run(self):
        os.makedirs(self.shots, exist_ok=True)
        for old in os.listdir(self.shots):
            os.remove(os.path.join(self.shots, old))
        self.begin('a display and a fresh Wine prefix')
        self.start_display()
        self.start_wine()
        log = open(os.path.join(self.out, 'plexstudio.log'), 'wb')
        # As scripts/run starts it: the bin folder current, the loader, the path.
        self.editor = subprocess.Popen([self.loader, os.path.join(self.bin, 'plexstudio.exe')], cwd=self.bin,
                                       env=self.env, stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        self.probe = Probe(self.loader, os.path.join(self.bin, 'plexwalk_probe.exe'), self.env, self.bin)
        try:
            self.walk()
        finally:
            self.stop()
            log.close()

    def walk(self, skip=()):
        # Without a main window, an application and its page, nothing else
        # can be tried; a later step that fails leaves the walk to go on
        # with the next one while the editor runs.
        for step in (self.first_start, self.file_new, self.place_block):
            if step.__name__ not in skip:
                self.begin(step.__doc__.strip().split('\n')[0])
                step()
        for step in (self.connect, self.select_block, self.copy_paste, self.delete, self.rename, self.second_page,
                     self.find_block, self.zoom, self.save, self.close, self.reopen, self.print_flow,
                     self.open_damaged, self.exit):
            if step.__name__ in skip:
                continue
            self.begin(step.__doc__.strip().split('\n')[0])
            try:
                step()
            except Stop:
                if self.editor.poll() is not None:
                    raise
                self.dismiss()

    def dismiss(self):
        """Closes what a failed step left open: menus and dialogs."""
        self.key('Escape', 'Escape')
        for _ in range(5):
            if not self.dialogs():
                break
            self.key('Escape')
            time.sleep(0.3)

    def first_start(self):
        """first start in a fresh prefix"""
        frame = self.wait(lambda: self.refresh_frame() if self.refresh_frame() and
                          self.frame['text'] == 'Plexwright' else None, 90)
        boxes = self.dialogs()
        if boxes:
            self.fault('the first start shows "%s"' % self.box_text(boxes[0]))
            self.answer_boxes()
            frame = self.wait(self.refresh_frame, 30)
        self.require(frame, 'no main window "Plexwright" (exit code %s)' % self.editor.poll())
        hooked = self.probe.ask('hook %d' % self.frame['hwnd'])
        self.require(hooked.get('ok'), 'the probe cannot follow the menus: %s' % hooked)
        # At rest, once the editor is up, the status line is empty.
        at_rest = self.wait(lambda: self.status() not in (None, 'Initializing...'), 10)
        self.check(at_rest, 'the status line still says "%s" after the start' % self.status())
        self.shot('started')
        # The user brings the window forward with a click on the status line.
        r = self.frame['rect']
        self.click((r[0] + r[2]) // 2, r[3] - 6)

    def file_new(self):
        """File New with a name"""
        self.require(self.menu_command('f', 'New'), 'the File menu has no item New')
        chooser = self.wait_dialog()
        self.require(chooser, 'New shows no chooser')
        said = self.answer_boxes(timeout=1)
        self.check(not said, 'the chooser comes with %s' % said)
        self.click_item(chooser, 102)
        self.type(APP)
        self.check(self.item_text(chooser, 102) == APP, 'the chooser\'s name field reads "%s", not "%s"'
                   % (self.item_text(chooser, 102), APP))
        self.key('Return')
        self.wait_gone(chooser['hwnd'])
        page = self.wait(lambda: self.app_page(), 15)
        if not page:
            said = self.answer_boxes()
            self.require(False, 'New opens no page window "%s"; the editor said %s' % (APP, said))
        self.shot('new')
        self.path = self.program_file(APP)
        self.require(self.path, 'New wrote no program file %s.ed' % APP)
        self.text = self.file_text(self.path)
        for word in ('Main', 'Begin', 'End'):
            self.check(word in self.text, 'the new program file has no "%s"' % word)
        pane = self.pane(page)
        self.require(pane, 'the page window has no page pane')
        # Where the block goes and its copy, from the page's corner.
        self.drop_offset = ((pane[2] - pane[0]) // 2, (pane[3] - pane[1]) // 2)
        self.paste_offset = (self.drop_offset[0], min(self.drop_offset[1] + 90, pane[3] - pane[1] - 20))
        self.locate()

    def locate(self):
        """The points of the block and its copy on the screen, in the page
        window of the application that is in front."""
        page = self.app_page()
        self.require(page, 'no page window of "%s"' % APP)
        self.pane_rect = self.pane(page)
        self.require(self.pane_rect, 'the page window has no page pane')
        self.drop = (self.pane_rect[0] + self.drop_offset[0], self.pane_rect[1] + self.drop_offset[1])
        self.paste_at = (self.pane_rect[0] + self.paste_offset[0], self.pane_rect[1] + self.paste_offset[1])

    def place_block(self):
        """place a block from the palette and name it"""
        palette = self.find(self.frame['hwnd'], 'Palette Class')
        self.require(palette, 'no block palette')
        tabs_hwnd = self.find(palette[0]['hwnd'], 'SysTabControl32')
        list_hwnd = self.find(palette[0]['hwnd'], 'SysListView32')
        self.require(tabs_hwnd and list_hwnd, 'the palette has no tabs or no block list')
        tabs_hwnd, self.list_hwnd = tabs_hwnd[0]['hwnd'], list_hwnd[0]['hwnd']
        tabs = self.probe.ask('tabs %d' % tabs_hwnd)
        names = [t['text'] for t in tabs['tabs']]
        routing = names.index('Call Routing') if 'Call Routing' in names else None
        self.require(routing is not None, 'the palette has no group "Call Routing": %s' % names)
        r = tabs['tabs'][routing]['rect']
        self.click((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)
        tabs = self.probe.ask('tabs %d' % tabs_hwnd)
        self.check(tabs['current'] == routing, 'a click on the tab "Call Routing" does not choose it')
        items = self.probe.ask('list %d' % self.list_hwnd)['items']
        source = next((i for i in items if i['text'] == 'Call Transfer'), None)
        self.require(source, 'the group "Call Routing" offers no Call Transfer: %s' % [i['text'] for i in items])
        r = source['rect']
        self.drag(((r[0] + r[2]) // 2, (r[1] + r[3]) // 2), self.drop)
        namer = self.wait_dialog()
        self.require(namer, 'dropping the block asks for no name')
        self.check(namer['text'] == 'Add Call Transfer Block', 'the name dialog is titled "%s"' % namer['text'])
        self.type(BLOCK)
        self.key('Return')
        self.wait_gone(namer['hwnd'])
        self.require(self.click_status(*self.drop) == HOVER_BLOCK,
                     'no block where it was dropped (a click there shows "%s")' % self.status())
        self.shot('placed')

    def connect(self):
        """connect Begin's output to the block"""
        # Where the new application's Begin stands, as its program file says.
        corner = re.search(r'^\[\d+,Begin,[^,]*,(\d+),(\d+),', self.text, re.M)
        self.require(corner, 'the new program file places no Begin block')
        output, seen = self.find_output(self.pane_rect, (int(corner.group(1)), int(corner.group(2))))
        self.require(output, 'no output right of Begin invites a connection; the status line said %s' % seen)
        self.click(*output)
        self.check(self.hover(*self.drop) == HOVER_TARGET, 'over the block after a click on the output the status '
                   'line says "%s"' % self.status())
        self.click(*self.drop)
        self.shot('connected')

    def select_block(self):
        """a click selects the block: its Edit commands are enabled"""
        self.click(*self.drop)
        items = self.open_menu('e')
        self.require(items is not None, 'Alt+E opens no Edit menu')
        self.shot('edit-menu')
        for want in ('Cut', 'Copy', 'Delete', 'Rename', 'Block Properties'):
            item = next((i for i in items if self.label(i).startswith(want)), None)
            self.check(item and not item['grayed'], 'with a block selected, Edit %s is %s'
                       % (want, 'greyed' if item else 'missing'))
        self.key('Escape', 'Escape')

    def copy_paste(self):
        """Ctrl+C and Ctrl+V paste a copy"""
        self.click(*self.drop)
        self.key('ctrl+c')
        self.key('ctrl+v')
        self.answer_boxes(timeout=1)   # "Are you sure you want to paste...?" where confirmed
        self.click(*self.paste_at)
        renamer = self.wait_dialog(5)
        if renamer:
            # The copy's name is taken: the paste asks for another.
            self.shot('paste-conflict')
            tree = self.probe.ask('tree %d' % renamer['hwnd'])['tree']
            counts = re.findall(r'\((\d+) of (\d+)\)', tree)
            self.check(all(total == '1' for _, total in counts), 'one pasted block, but the dialog counts %s'
                       % counts)
            # Its own proposal, the name and a number, is taken.
            self.key('Return')
            self.wait_gone(renamer['hwnd'])
            self.answer_boxes(timeout=1)
        self.pasted = self.check(self.click_status(*self.pasted_at()) == HOVER_BLOCK, 'no pasted block where the paste '
                                 'was placed (a click there shows "%s")' % self.status())
        self.shot('pasted')

    def delete(self):
        """Del deletes the selected block"""
        self.require(self.pasted, 'no pasted block to delete')
        self.click(*self.pasted_at())
        self.key('Delete')
        self.answer_boxes(timeout=1)   # "Are you sure...?" where confirmed
        self.check(self.click_status(*self.pasted_at()) != HOVER_BLOCK, 'Del leaves the pasted block in place')

    def rename(self):
        """Edit Rename renames the block"""
        self.click(*self.drop)
        self.require(self.menu_command('e', 'Rename'), 'the Edit menu has no Rename')
        renamer = self.wait_dialog(5)
        self.check(renamer, 'Rename asks for no name')
        if renamer:
            self.key('ctrl+a')
            self.type(RENAMED)
            self.key('Return')
            self.wait_gone(renamer['hwnd'])
            self.answer_boxes(timeout=1)

    def second_page(self):
        """a second page: a SuperBlock defined through its menu item"""
        picked = self.menu_command('d', 'SuperBlocks')
        self.require(picked, 'the Define menu has no item SuperBlocks')
        definer = self.wait_dialog(5, 'Define SuperBlocks')
        self.require(definer, '"%s" shows no "Define SuperBlocks"' % self.label(picked))
        self.click_button(definer, 'Add')
        namer = self.wait_dialog(5, 'Add New SuperBlock')
        self.require(namer, 'Add asks for no SuperBlock name')
        self.type(SUPERBLOCK)
        self.key('Return')
        self.wait_gone(namer['hwnd'])
        self.answer_boxes(timeout=1)
        self.click_button(definer, 'Edit')
        self.check(self.wait(lambda: len(self.app_pages()) >= 2, 10),
                   'the new SuperBlock page shows in no window of its own')
        if any(d['hwnd'] == definer['hwnd'] for d in self.dialogs()):
            self.key('Escape')
        self.shot('superblock')
        # The user looks at the new page and closes its window: page Main is
        # what is left in front.
        self.require(self.menu_command('f', 'Close'), 'the File menu has no Close')
        said = self.answer_boxes(key='n', timeout=2)
        self.check(not said, 'closing the SuperBlock\'s window says %s' % said)
        self.check(len(self.app_pages()) == 1, 'File Close of the SuperBlock\'s page window leaves %d page windows'
                   % len(self.app_pages()))
        self.locate()

    def find_block(self):
        """Find (Ctrl+F) finds the block"""
        self.key('ctrl+f')
        finder = self.wait(lambda: next((d for d in self.dialogs() if d['text'].startswith('Find')), None), 5)
        self.require(finder, 'Ctrl+F opens no Find dialog')
        self.type(RENAMED)
        self.key('Return')
        results = self.probe.ask('item %d 105' % finder['hwnd'])
        lines = self.wait(lambda: self.probe.ask('lines %d' % results['hwnd']).get('lines')
                          if 'hwnd' in results else None, 5)
        self.check(any(RENAMED in line for line in lines or []), 'Find lists %s for "%s"' % (lines, RENAMED))
        self.shot('find')
        self.key('Escape')
        self.wait_gone(finder['hwnd'], 5)

    def zoom(self):
        """Zoom Out and Zoom In (the keys - and +)"""
        self.locate()
        pane = self.pane_rect
        self.click(pane[0] + 5, pane[3] - 5)
        self.key('KP_Subtract')
        self.shot('zoomed-out')
        self.check(self.probe.ask('list %d' % self.list_hwnd).get('items'), 'after Zoom Out the palette lists no '
                   'blocks')
        self.key('KP_Add')
        self.check(self.click_status(*self.drop) == HOVER_BLOCK, 'after Zoom Out and Zoom In the block is not where '
                   'it was (a click there shows "%s")' % self.status())

    def save(self):
        """Save (Ctrl+S) writes the blocks"""
        before = os.path.getmtime(self.path)
        self.key('ctrl+s')
        self.answer_boxes(timeout=3)   # the checker's findings of the incomplete application
        self.wait(lambda: os.path.getmtime(self.path) != before, 15)
        text = self.file_text(self.path)
        self.check(re.search(r'^Block\|Main\|%s\|' % RENAMED, text, re.M), 'the saved program has no block "%s" on '
                   'page Main' % RENAMED)
        self.check(re.search(r'^Goto\|Main\|Begin\|\d+\|%s$' % RENAMED, text, re.M),
                   'the saved program does not connect Begin to "%s"' % RENAMED)
        for gone in (BLOCK_SAVED, PASTED):
            self.check(not re.search(r'^Block\|Main\|%s\|' % gone, text, re.M),
                       'the saved program keeps the block "%s"' % gone)
        self.check(re.search(r'^Page\|%s\|' % SUPERBLOCK, text, re.M), 'the saved program has no page "%s"'
                   % SUPERBLOCK)

    def close(self):
        """File Close"""
        # Close closes the active page window, the application with its last.
        for _ in range(3):
            self.require(self.menu_command('f', 'Close'), 'the File menu has no Close')
            said = self.answer_boxes(key='n', timeout=2)
            self.check(not said, 'closing the saved application says %s' % said)
            if not self.wait(lambda: not self.app_pages(), 3):
                continue
            break
        self.check(not self.app_pages(), 'File Close leaves page windows open')
        self.refresh_frame()
        # Still open: the frame's empty palette window takes the place of the
        # closed page window, so the caption keeps the application's name.
        self.known_fault(self.frame['text'] == 'Plexwright',
                         'after Close the caption reads "%s"' % self.frame['text'])
        self.shot('closed')

    def reopen(self):
        """reopen from the recent list in the File menu"""
        items = self.open_menu('f')
        recent = next((i for i in (items or []) if APP in self.label(i)), None)
        self.require(recent, 'the File menu lists no recent "%s"' % APP)
        self.pick(items, self.label(recent))
        said = self.answer_boxes(timeout=2)
        self.check(not said, 'the recent entry brings %s' % said)
        self.require(self.wait(self.app_page, 15), 'the recent entry opens no page window')
        self.locate()
        self.check(self.click_status(*self.drop) == HOVER_BLOCK, 'the reopened application does not show page Main '
                   'with its block (a click there shows "%s")' % self.status())
        self.shot('reopened')

    def open_damaged(self):
        """open a damaged program file (cut in half)"""
        data = open(self.path, 'rb').read()
        with open(os.path.join(os.path.dirname(self.path), DAMAGED + '.ed'), 'wb') as f:
            f.write(data[:len(data) // 2])
        self.require(self.menu_command('f', 'Open'), 'the File menu has no Open')
        chooser = self.wait_dialog()
        self.require(chooser, 'Open shows no chooser')
        said = self.answer_boxes(timeout=1)
        self.check(not said, 'the chooser comes with %s' % said)
        self.click_item(chooser, 102)
        self.type(DAMAGED)
        self.key('Return')
        self.wait_gone(chooser['hwnd'])
        question = self.wait_dialog(10)
        self.check(question, 'opening the damaged file asks nothing')
        if question:
            self.shot('damaged')
            text = self.box_text(question)
            self.check('Continue' in text and not text.startswith('Assertion'),
                       'the damaged file brings "%s", not the load question' % text)
            self.answer_boxes(timeout=2)
        time.sleep(1)
        self.require(self.editor.poll() is None, 'the damaged file ended the editor (exit code %s)'
                     % self.editor.poll())
        self.require(self.refresh_frame(), 'no main window after the damaged file')

    def print_flow(self):
        """Print Flow (Ctrl+P) without a printer tells the user"""
        page = self.app_page()
        self.require(page, 'no page window of "%s" to print' % APP)
        self.dismiss()
        pane = self.pane(page)
        self.click(pane[0] + 5, pane[3] - 5)
        self.key('ctrl+p')
        said = self.answer_boxes(timeout=5)
        self.check(said, 'printing without a printer tells the user nothing')
        self.require(self.editor.poll() is None, 'printing ended the editor')

    def exit(self):
        """File Exit with unsaved changes asks to save them"""
        self.locate()
        self.drag(self.drop, (self.drop[0] + 30, self.drop[1] + 30))
        self.require(self.menu_command('f', 'Exit'), 'the File menu has no Exit')
        box = self.wait_dialog(10, message=True)
        text = self.box_text(box) if box else None
        self.check(text and text.startswith('Save changes to '), 'Exit with unsaved changes asks "%s"' % text)
        if box:
            self.shot('exit-question')
        self.answer_boxes(key='n', timeout=3)
        try:
            code = self.editor.wait(timeout=20)
        except subprocess.TimeoutExpired:
            code = None
        self.check(code == 0, 'the editor ends with exit code %s' % code)

    def pasted_at(self):
        """A point on the pasted block: the paste puts the block's corner
        where the user clicks, and its icon right of and around that point."""
        return (self.paste_at[0] + 18, self.paste_at[1])

    def app_pages(self):
        """The page windows of the walk's application, the active one first
        (captioned with its name, a mark of changes, and the page where it
        is not Main)."""
        return [p for p in self.page_windows() if re.match(r'%s\b' % APP, p['text'])]

    def app_page(self):
        pages = self.app_pages()
        return pages[0] if pages else None

    def click_button(self, dialog, text):
        button = self.button(dialog, text)
        self.require(button, 'the dialog "%s" has no button %s' % (dialog['text'], text))
        r = button['rect']
        self.click((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)

    def find_output(self, pane, begin):
        """Begin's output, found as the user finds it: something drawn right
        of Begin's icon, where the status line invites a click on an output
        that leads nowhere. The drawn points of that area come first (from
        a picture of the screen), then, should none answer, the whole area."""
        left, top = pane[0] + begin[0] + 30, pane[1] + begin[1] + 8
        right, bottom = min(pane[2], pane[0] + begin[0] + 220), pane[1] + begin[1] + 64
        seen = {}
        drawn = self.dark_points((left, top, right, bottom))
        grid = [(x, y) for y in range(top, bottom, 4) for x in range(left, right, 4)]
        for x, y in drawn + grid:
            said = self.hover(x, y)
            if said == HOVER_OUTPUT:
                return (x, y), seen
            seen[said] = seen.get(said, 0) + 1
        return None, seen

    def dark_points(self, rect):
        """The dark points of the screen's rectangle, one every few pixels,
        from the top."""
        width, height = rect[2] - rect[0], rect[3] - rect[1]
        try:
            raw = subprocess.run(['import', '-window', 'root', '-crop', '%dx%d+%d+%d' % (width, height, rect[0], rect[1]),
                                  '-depth', '8', 'rgb:-'], env=self.env, timeout=30, capture_output=True).stdout
        except subprocess.SubprocessError:
            return []
        if len(raw) < width * height * 3:
            return []
        points, taken = [], set()
        for y in range(height):
            for x in range(width):
                o = (y * width + x) * 3
                if max(raw[o], raw[o + 1], raw[o + 2]) < 64 and (x // 3, y // 3) not in taken:
                    taken.add((x // 3, y // 3))
                    points.append((rect[0] + x, rect[1] + y))
        return points

    def click_status(self, x, y):
        """What the status line says while the button is down at the point:
        pressing a block selects it and tells how to move it."""
        self.move(x, y)
        self.xdo('mousedown', 1)
        time.sleep(0.3)
        said = self.status()
        self.xdo('mouseup', 1)
        time.sleep(0.3)
        return said

    def button(self, dialog, text):
        return next((b for b in self.find(dialog['hwnd'], 'Button') if b['text'].replace('&', '') == text), None)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--bin', required=True, help='the folder of plexstudio.exe and the probe')
    parser.add_argument('--loader', required=True, help="the architecture's Wine loader")
    parser.add_argument('--out', required=True, help='the folder of the prefix, the log and the screenshots')
    args = parser.parse_args()
    walk = Walk(args)
    stopped = None
    try:
        walk.run()
    except Stop as stop:
        stopped = str(stop)
    except (subprocess.SubprocessError, OSError) as error:
        stopped = 'the walk could not go on: %s' % error
    print('%d faults' % len(walk.faults))
    if stopped:
        print('the walk stopped at "%s": %s' % (walk.step, stopped))
    print('screenshots: ' + walk.shots)
    return 1 if walk.faults or stopped else 0


if __name__ == '__main__':
    sys.exit(main())
