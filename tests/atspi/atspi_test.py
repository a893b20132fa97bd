#!/usr/bin/env python3
"""Kelmora as a screen reader meets it, over AT-SPI.

Runs the desktop program on a private X server (Xvfb, the xcb platform) and
walks its accessible tree on the session's accessibility bus; presses keys
through the registry (XTest).  Run inside a D-Bus session of its own
(tests/atspi/run.sh).  Exit status 0 when every check holds, 1 otherwise.

Usage: atspi_test.py PROGRAM
"""

import os
import subprocess
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

PROGRAM = sys.argv[1]
warnings.filterwarnings("ignore", category=DeprecationWarning)

# What the windows say, as the program's windows and the rows Form4 prints.
FORM4_NAME = "外埠采购 · 申请汇票 · 申请本票（Form4）"
KEYWORD_BOX = "业务或科目名称"
KEYWORD = "外埠采购"
BAND = "计算结果：" + FORM4_NAME
NOTHING = "没有新的计算结果"
LIST_NAME = "补全列表"
# Form4's boxes: the label, and the group where two boxes share one.
BOXES = [
    ("材料费用", "材料费用"),
    ("利率（年）", "申请汇票 利率（年）"),
    ("到期天数", "申请汇票 到期天数"),
    ("利率（年）", "申请本票 利率（年）"),
    ("到期天数", "申请本票 到期天数"),
]
# Material 100 and input tax 17: the purchase block, worked out by hand.
ROWS = ["外埠采购", "材料费用（借） 100 ", "应交税金-应交增值税（进）（借） 17 ", "其他货币资金（贷） 117 ", ""]
OK = "确定"

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what, flush=True)
    return ok


def pump(seconds=0.0):
    """Delivers the events that have come; waits up to `seconds` for more."""
    end = time.monotonic() + seconds
    ctx = GLib.MainContext.default()
    while True:
        while ctx.pending():
            ctx.iteration(False)
        if time.monotonic() >= end:
            return
        time.sleep(0.01)


def wait_for(predicate, seconds=10.0, what=""):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump()
        try:
            value = predicate()
        except GLib.Error:
            value = None
        if value:
            return value
        time.sleep(0.05)
    check(False, "timed out waiting for " + what)
    return None


def children(obj):
    # A child that goes away while the list is read (a dialog closing) comes
    # back as None: leave it out.
    try:
        found = [obj.get_child_at_index(i) for i in range(obj.get_child_count())]
    except GLib.Error:
        return []
    return [c for c in found if c is not None]


def find_all(obj, match, depth=0):
    found = []
    if obj is None or depth > 30:
        return found
    if match(obj):
        found.append(obj)
    for c in children(obj):
        found += find_all(c, match, depth + 1)
    return found


def role(obj):
    return obj.get_role()


def name(obj):
    return obj.get_name() or ""


def states(obj):
    return obj.get_state_set()


class Events:
    """Events of the program, as a screen reader registers for them."""

    def __init__(self, pid, kinds):
        self.pid = pid
        self.seen = []
        self.listener = Atspi.EventListener.new(self._heard)
        for kind in kinds:
            self.listener.register(kind)

    def _heard(self, event):
        try:
            if event.source.get_process_id() != self.pid:
                return
            self.seen.append((event.type, event.source, event.detail1, name(event.source), role(event.source)))
        except GLib.Error:
            pass

    def take(self):
        seen, self.seen = self.seen, []
        return seen


CONTROL = 37  # Control_L's key code on the X server's default keyboard


def key(keysym, with_control=False):
    if with_control:
        Atspi.generate_keyboard_event(CONTROL, None, Atspi.KeySynthType.PRESS)
    Atspi.generate_keyboard_event(keysym, None, Atspi.KeySynthType.SYM)
    if with_control:
        Atspi.generate_keyboard_event(CONTROL, None, Atspi.KeySynthType.RELEASE)


def press(button):
    action = button.get_action_iface()
    for i in range(action.get_n_actions()):
        if action.get_action_name(i) in ("Press", "press", "click"):
            return action.do_action(i)
    return action.do_action(0)


def displays_in_use():
    """Display numbers with a listening socket, abstract ones too: a server
    of another folder's /tmp is not seen by its lock file, yet clients reach
    its abstract socket first."""
    used = set()
    try:
        with open("/proc/net/unix") as sockets:
            for line in sockets:
                path = line.split()[-1]
                if "/.X11-unix/X" in path:
                    used.add(path.rsplit("X", 1)[1])
    except OSError:
        pass
    return used


def start_xvfb():
    """A private X server on a display nobody uses; (process, number)."""
    for attempt in range(20):
        number = str(100 + (os.getpid() * 7 + attempt * 13) % 800)
        if os.path.exists("/tmp/.X%s-lock" % number) or os.path.exists("/tmp/.X11-unix/X" + number) \
                or number in displays_in_use():
            continue
        # It writes the display's number once it takes connections.
        # (-noreset: a client leaving last would otherwise reset it just as
        # the next one connects.)
        xvfb = subprocess.Popen(["Xvfb", ":" + number, "-displayfd", "1", "-noreset", "-screen", "0", "1366x768x24",
                                 "-nolisten", "tcp"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if xvfb.stdout.readline().decode().strip() == number:
            return xvfb, number
        xvfb.kill()
        xvfb.wait()
    raise SystemExit("no X server could be started")


def main():
    xvfb, display = start_xvfb()
    env = dict(os.environ, DISPLAY=":" + display, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               LANG="C.UTF-8")
    os.environ["DISPLAY"] = ":" + display
    # The registry, started by the bus when first asked for, synthesizes key
    # presses on this display.
    Gio.bus_get_sync(Gio.BusType.SESSION, None).call_sync(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "UpdateActivationEnvironment",
        GLib.Variant("(a{ss})", ({"DISPLAY": ":" + display},)), None, Gio.DBusCallFlags.NONE, -1, None)
    Atspi.init()
    app = subprocess.Popen([PROGRAM], env=env)
    try:
        run(app.pid)
    finally:
        app.kill()
        app.wait()
        xvfb.kill()
        xvfb.wait()


def run(pid):
    events = Events(pid, ["object:state-changed:showing", "object:text-caret-moved",
                          "object:state-changed:focused"])
    desktop = Atspi.get_desktop(0)

    def application():
        for a in children(desktop):
            try:
                if a.get_process_id() == pid:
                    return a
            except GLib.Error:
                pass
        return None

    def frame(title):
        a = application()
        for w in children(a) if a else []:
            if role(w) == Atspi.Role.FRAME and name(w) == title:
                return w
        return None

    def in_frame(w, r, n=None):
        return find_all(w, lambda o: role(o) == r and (n is None or name(o) == n))

    app = wait_for(application, 20, "the program on the accessibility bus")
    if not app:
        return
    # The main window: a frame; its keyword box says what to type.
    main_window = wait_for(lambda: next((w for w in children(app) if in_frame(w, Atspi.Role.TEXT, KEYWORD_BOX)), None),
                           10, "the keyword box named " + KEYWORD_BOX)
    if not main_window:
        return
    check(role(main_window) == Atspi.Role.FRAME, "the main window is a frame, not %s" % role(main_window))
    box = in_frame(main_window, Atspi.Role.TEXT, KEYWORD_BOX)[0]

    # Typing into the keyword box opens the completion list: named, in the
    # window's tree, its items counted, and its size said aloud.
    box.get_component_iface().grab_focus()
    pump(0.3)
    events.take()
    for letter in "wbcg":
        key(ord(letter))
    lists = wait_for(lambda: in_frame(main_window, Atspi.Role.LIST, LIST_NAME), 5, "the completion list in the window")
    if lists:
        items = children(lists[0])
        check(len(items) >= 1 and name(items[0]) == KEYWORD, "the completion list's first item: %r"
              % [name(i) for i in items[:3]])
        check(lists[0].get_parent() is not None and name(lists[0].get_parent()) == name(main_window),
              "the completion list's parent is its window")
        said = [e for e in events.take() if e[4] == Atspi.Role.NOTIFICATION and e[2] == 1]
        check(any(n.startswith(LIST_NAME) and n.endswith("%d \u9879" % len(items)) for _, _, _, n, _ in said[-1:]),
              "the list's size said: %r" % [e[3] for e in said])
    key(0xFF0D)  # Return: the first item, looked up

    form4 = wait_for(lambda: frame(FORM4_NAME), 10, "Form4's frame named " + FORM4_NAME)
    if not form4:
        return
    # Boxes named by label, and by group where two share a label.
    boxes = in_frame(form4, Atspi.Role.TEXT)
    names = [name(b) for b in boxes]
    for label, expected in BOXES:
        check(expected in names, "a box named %r (%s) among %r" % (expected, label, names))
    check(len(set(names)) == len(names), "every box of Form4 has a name of its own: %r" % names)
    bands = [b for b in boxes if name(b) == BAND]
    if not check(len(bands) == 1, "the band named %r" % BAND):
        return
    band = bands[0]
    check(states(band).contains(Atspi.StateType.READ_ONLY) or not states(band).contains(Atspi.StateType.EDITABLE),
          "the band is read-only")

    def box_named(n):
        return next(b for b in boxes if name(b) == n)

    box_named(BOXES[0][1]).get_editable_text_iface().set_text_contents("100")
    box_named("应交税金").get_editable_text_iface().set_text_contents("17")
    ok = in_frame(form4, Atspi.Role.PUSH_BUTTON, OK)[0]
    ok.get_component_iface().grab_focus()
    pump(0.3)
    events.take()

    # The compute button with the focus on it: the rows printed are said, as a notification
    # coming into view (what a screen reader presents without the focus).
    press(ok)
    pump(0.5)
    said = [e for e in events.take() if e[0] == "object:state-changed:showing" and e[2] == 1
            and e[4] == Atspi.Role.NOTIFICATION]
    heard = "\n".join(r.strip() for r in ROWS if r.strip())
    check([e[3] for e in said] == [heard], "the rows said after the compute: %r" % [e[3] for e in said])
    # (A screen reader passes over an event whose source has no states.)
    check(all(e[1].get_state_set().get_states() for e in said), "the notification has states")
    check(states(ok).contains(Atspi.StateType.FOCUSED), "the focus stays on the compute button")

    # The band's text, line by line, every character there.
    text = band.get_text_iface()
    count = text.get_character_count()
    check(text.get_text(0, count) == "\n".join(ROWS), "the band's text: %r" % text.get_text(0, count))
    offset = 0
    for row in ROWS[:-1]:
        line = text.get_text_at_offset(offset, Atspi.TextBoundaryType.LINE_START)
        check(line.content.rstrip("\n") == row, "line at %d: %r, not %r" % (offset, line.content, row))
        run = text.get_attribute_run(offset, False)
        check(run.start_offset <= offset < run.end_offset, "the attribute run at %d holds it: %d..%d"
              % (offset, run.start_offset, run.end_offset))
        offset += len(row) + 1

    # The caret, line by line, with the keyboard in the band.
    band.get_component_iface().grab_focus()
    wait_for(lambda: states(band).contains(Atspi.StateType.FOCUSED), 5, "the focus in the band")
    pump(0.2)
    events.take()
    starts = [sum(len(r) + 1 for r in ROWS[:i]) for i in range(len(ROWS))]
    moves = [  # key, with Ctrl, where the caret goes
        (0xFF54, False, starts[1]),                       # Down
        (0xFF54, False, starts[2]),                       # Down
        (0xFF57, False, starts[2] + len(ROWS[2])),        # End
        (0xFF52, False, starts[1] + len(ROWS[1])),        # Up (the column kept as far as the row goes)
        (0xFF50, False, starts[1]),                       # Home
        (0xFF57, True, count),                            # Ctrl+End
        (0xFF50, True, 0),                                # Ctrl+Home
    ]
    for keysym, ctrl, expected in moves:
        key(keysym, ctrl)
        wait_for(lambda: text.get_caret_offset() == expected, 3, "the caret at %d" % expected)
        pump(0.1)
        moved = [e for e in events.take() if e[0] == "object:text-caret-moved"]
        check(any(e[2] == expected for e in moved), "a caret-moved event to %d: %r" % (expected, [e[2] for e in moved]))

    # Nothing new printed: said too.
    for b in boxes:
        if b.get_editable_text_iface() and not states(b).contains(Atspi.StateType.READ_ONLY) and name(b) != BAND:
            b.get_editable_text_iface().set_text_contents("")
    ok.get_component_iface().grab_focus()
    pump(0.3)
    events.take()
    press(ok)
    pump(0.5)
    said = [e[3] for e in events.take() if e[4] == Atspi.Role.NOTIFICATION and e[2] == 1]
    check(said == [NOTHING], "said after a compute that printed nothing: %r" % said)

    # A failure: the dialog, then the focus back on the compute button, said
    # again.
    box_named(BOXES[0][1]).get_editable_text_iface().set_text_contents("1e308")
    box_named("应交税金").get_editable_text_iface().set_text_contents("1e308")
    ok.get_component_iface().grab_focus()
    pump(0.3)
    events.take()
    press(ok)
    alert = wait_for(lambda: next((w for w in children(application()) if role(w) == Atspi.Role.ALERT), None), 5,
                     "the failure dialog")
    if alert:
        pump(0.3)
        events.take()
        key(0xFF0D)  # Return closes it
        wait_for(lambda: not any(role(w) == Atspi.Role.ALERT for w in children(application())), 5, "the dialog closed")
        pump(0.5)
        focused = [e for e in events.take() if e[0] == "object:state-changed:focused" and e[2] == 1]
        check(any(e[3] == OK and e[4] == Atspi.Role.PUSH_BUTTON for e in focused),
              "the focus said to be on the compute button again: %r" % [(e[3], e[4]) for e in focused])


if __name__ == "__main__":
    started = time.monotonic()
    main()
    print("%d failure(s), %.1f s" % (len(failures), time.monotonic() - started))
    sys.exit(1 if failures else 0)
