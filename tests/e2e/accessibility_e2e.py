#!/usr/bin/python3
"""The real binary as a screen reader sees it over AT-SPI, on a private D-Bus session.

Reads every control at start-up, asks a question and reveals its answer through the button's
accessible action, listens to what the counter and the answer tell the screen reader, tries to write
into the read-only boxes, and moves the slider and toggles the check box the way a screen reader
does, judging each gesture by the window's reaction.

Usage: accessibility_e2e.py TALLIMO LAYOUT_DUMP (on an X server)
"""
import ctypes
import json
import os
import signal
import subprocess
import sys
import tempfile
import time
import warnings

TALLIMO, LAYOUT_DUMP = sys.argv[1:3]
PR_SET_CHILD_SUBREAPER = 36


def fail(message):
    raise AssertionError(message)


def check(condition, message):
    if not condition:
        fail(message)


def start_session_bus(runtime):
    """A private session bus; the accessibility bus starts on it when first asked for."""
    os.chmod(runtime, 0o700)
    os.environ.update(XDG_RUNTIME_DIR=runtime, GSETTINGS_BACKEND="memory",
                      QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                           stdout=subprocess.PIPE, text=True)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    return bus


def reap_children():
    """Ends every process left under this one: the bus daemons fork away from their parents, and
    as a subreaper this process inherits them."""
    for signal_number in (signal.SIGTERM, signal.SIGKILL):
        children = []
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                try:
                    with open(f"/proc/{entry}/stat") as stat:
                        parent = int(stat.read().rsplit(")", 1)[1].split()[1])
                except OSError:
                    continue
                if parent == os.getpid():
                    children.append(int(entry))
        for child in children:
            try:
                os.kill(child, signal_number)
            except ProcessLookupError:
                pass
        deadline = time.time() + 3
        while children and time.time() < deadline:
            try:
                pid, _ = os.waitpid(-1, os.WNOHANG)
            except ChildProcessError:
                return
            if pid == 0:
                time.sleep(0.05)
            elif pid in children:
                children.remove(pid)


ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
layout = json.loads(subprocess.run([LAYOUT_DUMP], check=True, capture_output=True).stdout)
runtime = tempfile.TemporaryDirectory()
bus = start_session_bus(runtime.name)

import gi  # noqa: E402  (the session bus must be chosen before AT-SPI connects)

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

Atspi.set_timeout(2000, 10000)
# Debian 12's libatspi marks the per-index action names deprecated without a replacement in GI.
warnings.filterwarnings("ignore", category=DeprecationWarning)


def pump(seconds=0.0):
    """Lets AT-SPI deliver what the program sent meanwhile."""
    deadline = time.time() + seconds
    context = GLib.MainContext.default()
    while True:
        while context.iteration(False):
            pass
        if time.time() >= deadline:
            return
        time.sleep(0.02)


def wait_for(condition, what, seconds=3.0):
    deadline = time.time() + seconds
    while time.time() < deadline:
        pump()
        if condition():
            return
        time.sleep(0.05)
    fail(f"timed out waiting for {what}")


def text_of(hex_bytes):
    return bytes.fromhex(hex_bytes).decode("gbk")


class Drill:
    """The program's accessible tree, read afresh on every question."""

    def __init__(self):
        self.process = subprocess.Popen([TALLIMO])
        self.app = None
        wait_for(self.find_application, "the drill on the accessibility bus", 15)

    def find_application(self):
        desktop = Atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            child = desktop.get_child_at_index(index)
            if child is not None and child.get_name() == "tallimo" and child.get_child_count():
                self.app = child
                return True
        check(self.process.poll() is None, f"the drill ended with {self.process.poll()}")
        return False

    def all(self):
        found, todo = [], [self.app]
        while todo:
            node = todo.pop()
            node.clear_cache()
            found.append(node)
            todo.extend(node.get_child_at_index(i) for i in range(node.get_child_count()))
        return found

    def named(self, role, name):
        return [n for n in self.all() if n.get_role_name() == role and n.get_name() == name]

    def find(self, role, name):
        matches = self.named(role, name)
        check(len(matches) == 1, f"{len(matches)} {role}s named {name!r}")
        return matches[0]

    def at(self, role, control):
        """The node of that role standing where the layout puts the control."""
        window = self.find("filler", "+Tallimo V2.0")
        origin = Atspi.Component.get_extents(window, Atspi.CoordType.SCREEN)
        matches = []
        for node in self.all():
            if node.get_role_name() == role:
                extents = Atspi.Component.get_extents(node, Atspi.CoordType.SCREEN)
                if (extents.x - origin.x, extents.y - origin.y) == (control["left"], control["top"]):
                    matches.append(node)
        check(len(matches) == 1, f"{len(matches)} {role}s at {control['left']},{control['top']}")
        return matches[0]

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=5)


def states(node):
    node.clear_cache()
    state_set = node.get_state_set()
    return {Atspi.StateType(s).value_nick for s in range(Atspi.StateType.LAST_DEFINED)
            if state_set.contains(Atspi.StateType(s))}


def text(node):
    node.clear_cache()
    return Atspi.Text.get_text(node, 0, -1)


def act(node, action):
    names = [Atspi.Action.get_action_name(node, i) for i in range(Atspi.Action.get_n_actions(node))]
    check(action in names, f"{node.get_name()!r} offers {names}, not {action}")
    Atspi.Action.do_action(node, names.index(action))


class Listener:
    """Records the events a screen reader receives."""

    def __init__(self):
        self.events = []
        self.listener = Atspi.EventListener.new(self.record)
        for kind in ("object:property-change", "object:state-changed", "object:text-changed",
                     "object:announcement", "window:"):
            self.listener.register(kind)

    def record(self, event):
        source = event.source
        self.events.append((event.type, source.get_role_name(), source.get_name(), event.detail1))

    def take(self):
        pump(0.2)
        events, self.events = self.events, []
        return events


def read_start_up(drill, controls):
    """Every control is there, named and read as the start-up handler leaves it."""
    for control in controls:
        name, shown, start = text_of(control["name"]), control["shown"], text_of(control["text"])
        kind = control["kind"]
        if kind == "EditBox":
            box = drill.find("text", name)
            check(text(box) == start, f"{name} reads {text(box)!r}, not {start!r}")
            got = states(box)
            check(("showing" in got) == shown, f"{name}: showing is {'showing' in got}")
            if control["readOnly"]:
                check("read-only" in got and "editable" not in got, f"{name} states {got}")
                check("EditableText" not in box.get_interfaces(), f"{name} offers EditableText")
            else:
                check("editable" in got, f"{name} is not editable")
        elif kind == "Label":
            # Two labels read "秒": a label is known by its caption and, when shown, its place.
            caption = start.replace("\r\n", "\n") if control["wordWrap"] else start
            if shown:
                check(drill.at("label", control).get_name() == caption, f"label {caption!r}")
            else:
                check(any("showing" not in states(n) for n in drill.named("label", caption)),
                      f"no hidden label {caption!r}")
        elif kind == "Button":
            check("showing" in states(drill.find("push button", start)), "the button")
        elif kind == "CheckBox":
            check("checked" not in states(drill.find("check box", start)), "check box checked")
    slider = drill.find("slider", "难度调节")
    values = [Atspi.Value.get_current_value(slider), Atspi.Value.get_minimum_value(slider),
              Atspi.Value.get_maximum_value(slider), Atspi.Value.get_minimum_increment(slider)]
    check(values == [2, 2, 10, 1], f"slider value, range and step {values}")


def numbers(drill):
    return [int(text(drill.find("text", f"数字{k}"))) for k in range(1, 11)]


def ask_and_answer(drill, listener, by_name):
    """A manual question through the button's Press, with the learner's focus on the button."""
    button = drill.find("push button", "出题")
    act(button, "SetFocus")
    wait_for(lambda: "focused" in states(button), "the button's focus")
    listener.take()
    act(button, "Press")
    wait_for(lambda: button.get_name() == "答案", "the caption 答案")
    asked = numbers(drill)
    check(all(1 <= n <= 10 for n in asked[:2]) and asked[2:] == [0] * 8, f"numbers {asked}")

    counter = drill.at("label", by_name["计时1"])
    listener.take()
    pump(2.3)
    ticking = listener.take()
    renamed = [e for e in ticking if e[0] == "object:property-change:accessible-name"]
    check(len(renamed) >= 2 and all(e[1] == "label" for e in renamed),
          f"the counter ticks as a renamed label: {ticking}")
    check(len(renamed) == len(ticking), f"the counter says more than its name: {ticking}")
    check("focusable" not in states(counter), "the counter can take the focus")
    attributes = counter.get_attributes() or {}
    check(not {"live", "container-live"} & set(attributes), f"counter attributes {attributes}")

    act(button, "Press")
    total = str(sum(asked))
    answer_box = drill.find("text", "答案框")
    wait_for(lambda: text(answer_box) == total, f"the answer {total}")
    wait_for(lambda: button.get_name() == "出题", "the caption 出题")
    announced = [e for e in listener.take() if e[0] == "object:state-changed:showing"
                 and e[1] == "notification" and e[3] == 1]
    check([e[2] for e in announced] == [total], f"announcements {announced}, not {total}")
    return total


def refuse_writes(drill, total):
    """Read-only boxes keep their text whatever an accessible client writes; a typable box takes
    the same writes, so the writes themselves do work."""
    for name, kept in (("答案框", total), ("数字1", None)):
        box = drill.find("text", name)
        kept = kept if kept is not None else text(box)
        Atspi.EditableText.set_text_contents(box, "999")
        Atspi.EditableText.insert_text(box, 0, "7", 1)
        Atspi.EditableText.delete_text(box, 0, 1)
        pump(0.2)
        check(text(box) == kept, f"{name} was changed to {text(box)!r}")
    high = drill.find("text", "难度框2")
    Atspi.EditableText.set_text_contents(high, "9")
    wait_for(lambda: text(high) == "9", "the write into 难度框2")
    Atspi.EditableText.set_text_contents(high, "10")
    wait_for(lambda: text(high) == "10", "the range restored")


def shown_boxes(drill):
    return [k for k in range(1, 11) if "showing" in states(drill.find("text", f"数字{k}"))]


def move_and_toggle(drill):
    """The slider's value and its Increase action move it as the learner would; the check box's
    Toggle switches exam mode; a disabled slider takes no move."""
    slider = drill.find("slider", "难度调节")
    Atspi.Value.set_current_value(slider, 5)
    wait_for(lambda: len(shown_boxes(drill)) == 5, "five boxes for level 5")
    check(all(not text(drill.find("text", f"数字{k}")).isdigit() for k in shown_boxes(drill)),
          "level 5 shows its motto")
    act(slider, "Increase")
    wait_for(lambda: len(shown_boxes(drill)) == 6, "six boxes for level 6")
    check(Atspi.Value.get_current_value(slider) == 6, "the slider reads 6")

    check_box = drill.find("check box", "考试模式")
    time_box = drill.find("text", "计时框")
    act(check_box, "Toggle")
    wait_for(lambda: "checked" in states(check_box), "the check mark")
    wait_for(lambda: "showing" in states(time_box), "the answer time shown in exam mode")
    got = states(slider)
    check("enabled" not in got and "sensitive" not in got, f"exam mode slider states {got}")
    Atspi.Value.set_current_value(slider, 9)
    pump(0.3)
    check(Atspi.Value.get_current_value(slider) == 6 and len(shown_boxes(drill)) == 6,
          "a disabled slider moved")
    act(check_box, "Toggle")
    wait_for(lambda: "checked" not in states(check_box), "the check mark cleared")
    wait_for(lambda: "enabled" in states(slider), "the slider enabled again")
    check("showing" not in states(time_box), "the answer time hidden in manual mode")


def main():
    drill = Drill()
    try:
        listener = Listener()
        read_start_up(drill, layout["controls"])
        by_name = {text_of(control["name"]): control for control in layout["controls"]}
        total = ask_and_answer(drill, listener, by_name)
        refuse_writes(drill, total)
        move_and_toggle(drill)
        print(f"start-up read, answer {total} announced, read-only boxes held, "
              "slider and check box moved through AT-SPI")
    finally:
        drill.close()


try:
    main()
except AssertionError as error:
    print(f"FAIL: {error}", file=sys.stderr)
    sys.exit(1)
finally:
    bus.terminate()
    bus.wait()
    reap_children()
    runtime.cleanup()
