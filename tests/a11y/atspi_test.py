#!/usr/bin/python3
"""Every dialog as a screen reader hears it, through the real accessibility bus.

Shows each dialog with `zarvlinesparm show` on an X server and a session bus of its own and walks
its accessible tree: each control's role and name are those of the table below (a number label
speaks with its heading, "Price 45") and hold the text of any label that labels it; focusing a
control focuses something named; each swatch's Press opens the chooser on the swatch's colour, and
the colour chosen there becomes its description and, after "OK", a colour the host reads back.

    on_xvfb.sh atspi_test.py ZARVLINESPARM      (exit 77, skipped, where no session bus can be started)
"""

import json
import os
import re
import subprocess
import sys
import time
import warnings

BUTTON, CHECK, RADIO, TEXT, LIST = "push button", "check box", "radio button", "text", "combo box"


def named(role, *names):
    return [(role, name) for name in names]


def numbered(heading):
    return [f"{heading} {k}" for k in range(1, 7)]


def lines(part):
    return [f"Line {k} {part}" for k in range(1, 5)]


FAN = ("38.2% line", "50% line", "61.8% line", "76.4/23.6% line")

# What each dialog says, control by control, besides "OK", "Cancel" and "Save as Default".
DIALOGS = [
    ("RetracementParmClass", [], named(BUTTON, "Lines Color") + named(CHECK, "Extend to end", "Show values")
     + named(TEXT, *numbered("Retracement Values"))),
    ("ZarvArcsParmClass", [], named(BUTTON, "Lines Color") + named(CHECK, "Full Circle") + named(TEXT, *numbered("Values"))),
    ("ZarvRangerParmClass", ["--set", "ExtendRightCaption=Extend Right", "--set", "Cor1=0xFF00", "--set", "Cor2=0xFF",
                             "--set", "Cor3=0xFF0000"],
     named(TEXT, "Periods", "Const1", "Const2") + named(BUTTON, "Up", "Down", "Range") + named(CHECK, "Extend Right")),
    ("ZarvExpParmClass", ["--set", "Caption=Expansion"], named(BUTTON, *lines("Color")) + named(TEXT, *lines("Value"))
     + named(CHECK, *lines("Show"), "Extend to end")),
    ("ZarvExpParmClass", ["--set", "Caption=Brastel Options"], named(BUTTON, *lines("Color")) + named(CHECK, *lines("Show"))),
    ("zarvFanParmClass", [], named(BUTTON, *FAN) + named(CHECK, *FAN, "Horizontal Line", "Extend to end")),
    ("ZarvForkParmClass", [], named(BUTTON, "Internal lines", "External lines", "Fork lines")
     + named(CHECK, "Internal lines", "External lines")),
    ("ZarvDravelPArmClass", [], named(BUTTON, "External Lines Color", "Internal Lines Color")
     + named(TEXT, "Internal Lines Factor 1", "Internal Lines Factor 2")),
    ("GannSQ9ParmClass", [], named(CHECK, *[f"{column} {45 * i}" for i in range(8) for column in ("Price", "Time")])
     + named(BUTTON, "Line color") + named(RADIO, "Up", "Down") + named(TEXT, "Step")),
    ("ZarvGannParmClass", [], named(TEXT, "Number of zones") + named(BUTTON, "Odd line color", "Even line color")),
    ("GannFanParmClass", [], named(BUTTON, "Lines Color") + named(TEXT, *numbered("Values"))),
    ("ZarvLeastSquareClass", [], named(BUTTON, "Least Square Line", "Upper", "Lower")
     + named(TEXT, "Number of Std. Dev. Upper", "Number of Std. Dev. Lower") + named(LIST, "Based on")),
    ("CircleElipseCls", ["--caption", "Circle"], named(BUTTON, "Outline Color", "Fill Color") + named(CHECK, "Fill")),
]
COMMANDS = named(BUTTON, "OK", "Cancel", "Save as Default")


def wait_for(what, find, seconds=20.0):
    deadline = time.monotonic() + seconds
    while not (found := find()):
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.05)
    return found


def start_session(processes):
    """A session bus of the test's own (the X server is on_xvfb.sh's); the reason when there can be none."""
    try:
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"], stdout=subprocess.PIPE, text=True)
    except OSError as error:
        return f"no session bus: {error}"
    processes.append(bus)
    address = bus.stdout.readline().strip()
    os.environ.update(DBUS_SESSION_BUS_ADDRESS=address, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    return None if address else "no session bus: dbus-daemon gave no address"


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c is not None]


def descendants(node, into_lists=False):
    for child in children(node):
        yield child
        if into_lists or child.get_role_name() != LIST:  # a list's own parts count as the list
            yield from descendants(child, into_lists)


def value_of(node):
    text = node.get_text_iface()
    return text.get_text(0, text.get_character_count()) if text else ""


class Checker:
    def __init__(self, atspi, program):
        self.atspi, self.program, self.faults = atspi, program, []

    def has(self, node, state):
        return node.get_state_set().contains(getattr(self.atspi.StateType, state))

    def press(self, node, action="Press"):
        act = node.get_action_iface()
        names = [act.get_action_name(i) for i in range(act.get_n_actions())] if act else []
        if action not in names:
            raise AssertionError(f"\"{node.get_name()}\" offers no {action} action, only {names}")
        act.do_action(names.index(action))

    def shown_by(self, process):
        """The application of `process` once it shows its dialog; a failure as soon as it ends without one."""
        if process.poll() is not None:
            raise AssertionError(f"ended with {process.returncode} before it showed a dialog")
        for app in children(self.atspi.get_desktop(0)):
            try:
                if app.get_process_id() == process.pid and children(app):
                    return app
            except Exception:  # an application that went away meanwhile
                continue
        return None

    def check(self, progid, arguments, expected):
        where = " ".join([progid] + arguments)
        process = subprocess.Popen([self.program, "show", progid] + arguments, stdout=subprocess.PIPE, text=True)
        try:
            app = wait_for("the dialog", lambda: self.shown_by(process), 60)
            dialog = children(app)[0]
            controls = [n for n in descendants(dialog) if n.get_role_name() in (BUTTON, CHECK, RADIO, TEXT, LIST)
                        and self.has(n, "SHOWING")]
            heard = sorted((n.get_role_name(), n.get_name()) for n in controls)
            if heard != sorted(expected + COMMANDS):
                self.faults.append(f"{where}: says {heard},\n  not {sorted(expected + COMMANDS)}")
            for node in controls:
                self.check_control(where, node)
            # Last: with no window manager to give it back, the dialog has no focus once a chooser closed.
            swatches = [n for n in controls if n.get_description().startswith("#")]
            chosen = [self.choose_colour(where, app, dialog, s, 0x102030 + 0x010101 * k) for k, s in enumerate(swatches)]
            self.press(next(n for n in controls if n.get_name() == "OK"))
            read_back = json.loads(process.communicate(timeout=20)[0]).values()
            self.faults += [f"{where}: the chosen colour {rgb:#08x} is no colour the host reads" for rgb in chosen
                            if rgb not in read_back]
        except AssertionError as error:
            self.faults.append(f"{where}: {error}")
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()

    def check_control(self, where, node):
        name, what = node.get_name(), f"{node.get_role_name()} \"{node.get_name()}\""
        for relation in node.get_relation_set():
            if relation.get_relation_type() == self.atspi.RelationType.LABELLED_BY:
                labels = [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
                self.faults += [f"{where}: {what} is labelled by \"{label}\", which its name does not say"
                                for label in labels if label not in name]
        # What a screen reader announces when the control takes the focus.
        node.get_component_iface().grab_focus()
        focused = wait_for(f"the focus on {what}", lambda: next(
            (n for n in [node, *descendants(node, into_lists=True)] if self.has(n, "FOCUSED")), None), 5)
        if not re.search(r"[^\W\d_]", focused.get_name()):  # a name with a letter in it
            self.faults.append(f"{where}: focusing {what} focuses a {focused.get_role_name()} named \"{focused.get_name()}\"")

    def choose_colour(self, where, app, dialog, swatch, rgb):
        """Presses the swatch, sets `rgb` (0x00BBGGRR) in the chooser and presses its "OK"."""
        before = swatch.get_description()
        self.press(swatch)
        chooser = wait_for("the colour chooser", lambda: next(
            (w for w in children(app) if w != dialog and self.has(w, "SHOWING")), None))
        fields = {n.get_name(): n for n in descendants(chooser) if n.get_role_name() in (TEXT, "spin button", BUTTON)}
        if value_of(fields["HTML:"]).upper() != before:
            self.faults.append(f"{where}: \"{swatch.get_name()}\" opened the chooser on {value_of(fields['HTML:'])}, not {before}")
        for channel, shift in (("Red:", 0), ("Green:", 8), ("Blue:", 16)):
            fields[channel].get_value_iface().set_current_value((rgb >> shift) & 0xFF)
        self.press(fields["OK"])
        wait_for("the chooser to close", lambda: not self.has(chooser, "SHOWING"))
        shown = "#%02X%02X%02X" % (rgb & 0xFF, (rgb >> 8) & 0xFF, rgb >> 16)
        if swatch.get_description() != shown:
            self.faults.append(f"{where}: \"{swatch.get_name()}\" describes {swatch.get_description()} after {shown} was chosen")
        return rgb


def main():
    processes = []
    try:
        reason = start_session(processes)
        if reason:
            print(f"SKIPPED: {reason}")
            return 77
        import gi
        gi.require_version("Atspi", "2.0")
        warnings.filterwarnings("ignore", category=DeprecationWarning)  # the interface getters, still the way on Debian 12
        from gi.repository import Atspi
        checker = Checker(Atspi, sys.argv[1])
        # Every class the library lists has its table: a new tool is not passed over unheard.
        listed = subprocess.run([sys.argv[1], "list"], stdout=subprocess.PIPE, text=True, check=True).stdout.split()
        tabled = {progid for progid, _, _ in DIALOGS}
        checker.faults += [f"{name}: no table above" for name in listed if name.split(".")[-1] not in tabled]
        for progid, arguments, expected in DIALOGS:
            checker.check(progid, arguments, expected)
        print("\n".join(checker.faults + [f"{len(DIALOGS)} dialogs, {len(checker.faults)} faults"]))
        return 1 if checker.faults else 0
    finally:
        for process in reversed(processes):
            process.terminate()
            process.wait()


if __name__ == "__main__":
    sys.exit(main())
