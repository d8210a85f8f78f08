#!/usr/bin/python3
"""An assistive-technology client for the end-to-end test: it finds the program on the AT-SPI
bus, reads the page's text and caret, listens to the text and caret events while keys are typed
(xdotool) and reads the month calendar's cells. Prints what it checked; exits 1 on the first
difference."""
import datetime
import re
import subprocess
import sys
import time
import warnings

import gi

warnings.filterwarnings("ignore", category=DeprecationWarning)  # the calls Qt's bridge answers

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

EXPECTED = open(sys.argv[1], "rb").read().decode("cp932").replace("\r\n", "\n")
PID = int(sys.argv[2])


def fail(msg):
    print("FAIL:", msg)
    sys.exit(1)


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.get_child_count()):
        try:
            yield from walk(node.get_child_at_index(i), depth + 1)
        except GLib.Error:
            pass


def app():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        a = desktop.get_child_at_index(i)
        if a is not None and a.get_process_id() == PID:
            return a
    return None


def wait_for(what, find, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.3)
    fail("no " + what)


def page():
    a = app()
    for n in walk(a) if a else []:
        states = n.get_state_set()
        if (states.contains(Atspi.StateType.EDITABLE) and states.contains(Atspi.StateType.SHOWING)
                and states.contains(Atspi.StateType.MULTI_LINE) and "Text" in n.get_interfaces()):
            return n
    return None


def events_while(keys, count, names):
    """Presses the keys and collects up to `count` events of the given kinds (5 s at most)."""
    got = []
    loop = GLib.MainLoop()

    def on_event(e):
        if e.type in names:
            got.append((e.type, e.detail1, e.any_data))
            if len(got) >= count:
                loop.quit()

    listener = Atspi.EventListener.new(on_event)
    for n in names:
        listener.register(n)
    GLib.timeout_add(200, lambda: (subprocess.Popen(["xdotool", "key", "--delay", "150", *keys]), False)[1])
    GLib.timeout_add(8000, loop.quit)
    loop.run()
    for n in names:
        listener.deregister(n)
    return got


ed = wait_for("editable page", page)
text = Atspi.Text
lines = EXPECTED.split("\n")

# The whole page, counted in characters although the file is Shift-JIS.
if text.get_character_count(ed) != len(EXPECTED):
    fail("character count %d, expected %d" % (text.get_character_count(ed), len(EXPECTED)))
if text.get_text(ed, 0, -1) != EXPECTED:
    fail("text %r" % text.get_text(ed, 0, -1))
print("page text read:", len(EXPECTED), "characters")

# The function-key bar's buttons are named with their key and caption; the status panels say
# what they show.
named = {n.get_name(): n for n in walk(app())}
fkeys = sorted(k for k in named if re.fullmatch(r"F\d+( .+)?", k)
               and named[k].get_role() == Atspi.Role.PUSH_BUTTON)
if len(fkeys) != 12 or "F2 終了" not in fkeys:
    fail("function-key buttons %r" % fkeys)
panels = [n for n in named.values() if n.get_description() == "カーソル位置"]
if not panels:
    fail("no caret position panel")
print("function keys:", fkeys[:3], "... caret panel:", repr(panels[0].get_name()))

# The caret on the second line's end: the line under it is the text's line, not a screen row.
ed.grab_focus()
key("ctrl+Home")
key("Down")
key("End")
caret_expected = len(lines[0]) + 1 + len(lines[1])
for _ in range(30):
    if text.get_caret_offset(ed) == caret_expected:
        break
    time.sleep(0.2)
if text.get_caret_offset(ed) != caret_expected:
    fail("caret at %d, expected %d" % (text.get_caret_offset(ed), caret_expected))
line = text.get_text_at_offset(ed, caret_expected - 1, Atspi.TextBoundaryType.LINE_START)
if line.content != lines[1] + "\n":
    fail("line at the caret %r" % line.content)
print("caret", caret_expected, "on line", repr(line.content))

# Typed characters and a deletion come as text-changed events at the caret.
got = events_while(["a", "b", "c", "BackSpace"], 4,
                   ["object:text-changed:insert", "object:text-changed:delete"])
want = [("object:text-changed:insert", caret_expected, "a"),
        ("object:text-changed:insert", caret_expected + 1, "b"),
        ("object:text-changed:insert", caret_expected + 2, "c"),
        ("object:text-changed:delete", caret_expected + 2, "c")]
if got != want:
    fail("events %r" % got)
if text.get_text(ed, 0, -1) != EXPECTED[:caret_expected] + "ab" + EXPECTED[caret_expected:]:
    fail("text after typing %r" % text.get_text(ed, 0, -1))
print("events:", got)

# Caret moves are told too.
got = events_while(["Home"], 1, ["object:text-caret-moved"])
if not got or got[0][1] != len(lines[0]) + 1:
    fail("caret event %r" % got)
print("caret moved to", got[0][1])


# The date dialog's month calendar: today's cell named with its date.
def calendar():
    a = app()
    for n in walk(a) if a else []:
        if n.get_role() == Atspi.Role.TABLE and n.get_child_count() >= 35:
            return n
    return None


key("ctrl+d")
cal = wait_for("month calendar", calendar)
today = datetime.date.today()
weekday = "月火水木金土日"[today.weekday()] + "曜日"
name = "%d年%d月%d日 %s" % (today.year, today.month, today.day, weekday)
names = [cal.get_child_at_index(i).get_name() for i in range(cal.get_child_count())]
if name not in names:
    fail("no cell named %r in %r" % (name, names))
if names[0] not in ("日曜日", "月曜日"):
    fail("header cell %r" % names[0])
cell = cal.get_child_at_index(names.index(name))
if not cell.get_state_set().contains(Atspi.StateType.SELECTED):
    fail("today's cell is not selected")
print("calendar cell:", name, "/", cell.get_description())
key("Escape")
print("PASS")
