#!/usr/bin/python3
"""Every dialog as a screen reader hears it, through the real accessibility bus.

Starts its own X server (Xvfb) and session bus, whose accessibility bus and registry come up on
demand as on a desktop; shows each dialog with `zarvlinesparm show` and walks the accessible
tree the way a screen reader does. For every control it checks the role and the name the user
hears against the table below, and that the name means something: it holds a letter (a number
label always speaks with the heading over its column, "Price 45", never alone), is not the
control's value, and holds the text of the label the control says it is labelled by. Focusing a
control must focus something named. Each swatch's Press opens the colour chooser on the swatch's
colour, and the colour chosen there becomes the swatch's description and, after "OK", a colour
the host reads back.

    atspi_test.py ZARVLINESPARM      (exits 77, skipped, where no session bus can be started)
"""

import json
import os
import re
import shutil
import subprocess
import sys
import time

SKIPPED = 77
BUTTON, CHECK, RADIO, TEXT, LIST = "push button", "check box", "radio button", "text", "combo box"


def named(role, *names):
    return [(role, name) for name in names]


def numbered(heading):
    return [f"{heading} {k}" for k in range(1, 7)]


def lines(*parts):
    return [f"Line {k} {part}" for k in range(1, 5) for part in parts]


FAN_LINES = ("38.2% line", "50% line", "61.8% line", "76.4/23.6% line")
ANGLES = [f"{column} {45 * i}" for i in range(8) for column in ("Price", "Time")]

# What each dialog says, control by control (role, name), besides its three buttons; swatches
# are the push buttons with a colour for description.
DIALOGS = [
    ("RetracementParmClass", [],
     named(BUTTON, "Lines Color") + named(CHECK, "Extend to end", "Show values") + named(TEXT, *numbered("Retracement Values"))),
    ("ZarvArcsParmClass", [], named(BUTTON, "Lines Color") + named(CHECK, "Full Circle") + named(TEXT, *numbered("Values"))),
    ("ZarvRangerParmClass", ["--set", "ExtendRightCaption=Extend Right", "--set", "Cor1=0x00FF00", "--set", "Cor2=0xFF",
                             "--set", "Cor3=0xFF0000"],
     named(TEXT, "Periods", "Const1", "Const2") + named(BUTTON, "Up", "Down", "Range") + named(CHECK, "Extend Right")),
    ("ZarvExpParmClass", ["--set", "Caption=Expansion"],
     [(BUTTON, n) for n in lines("Color")] + [(TEXT, n) for n in lines("Value")] + [(CHECK, n) for n in lines("Show")]
     + named(CHECK, "Extend to end")),
    ("ZarvExpParmClass", ["--set", "Caption=Brastel Options"],
     [(BUTTON, n) for n in lines("Color")] + [(CHECK, n) for n in lines("Show")]),
    ("zarvFanParmClass", [], named(BUTTON, *FAN_LINES) + named(CHECK, *FAN_LINES, "Horizontal Line", "Extend to end")),
    ("ZarvForkParmClass", [],
     named(BUTTON, "Internal lines", "External lines", "Fork lines") + named(CHECK, "Internal lines", "External lines")),
    ("ZarvDravelPArmClass", [],
     named(BUTTON, "External Lines Color", "Internal Lines Color")
     + named(TEXT, "Internal Lines Factor 1", "Internal Lines Factor 2")),
    ("GannSQ9ParmClass", [],
     named(CHECK, *ANGLES) + named(BUTTON, "Line color") + named(RADIO, "Up", "Down") + named(TEXT, "Step")),
    ("ZarvGannParmClass", [], named(TEXT, "Number of zones") + named(BUTTON, "Odd line color", "Even line color")),
    ("GannFanParmClass", [], named(BUTTON, "Lines Color") + named(TEXT, *numbered("Values"))),
    ("ZarvLeastSquareClass", [],
     named(BUTTON, "Least Square Line", "Upper", "Lower")
     + named(TEXT, "Number of Std. Dev. Upper", "Number of Std. Dev. Lower") + named(LIST, "Based on")),
    ("CircleElipseCls", ["--caption", "Circle"], named(BUTTON, "Outline Color", "Fill Color") + named(CHECK, "Fill")),
]
COMMANDS = named(BUTTON, "OK", "Cancel", "Save as Default")
CONTROL_ROLES = {BUTTON, CHECK, RADIO, TEXT, LIST}


def wait_for(what, find, seconds=20.0):
    deadline = time.monotonic() + seconds
    while True:
        found = find()
        if found:
            return found
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.05)


class Session:
    """An X server and a session bus of the test's own, gone again when the test ends."""

    def __init__(self):
        self.processes = []

    def start(self):
        try:
            bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                                   stdout=subprocess.PIPE, text=True)
        except OSError as error:
            return f"no session bus: {error}"
        self.processes.append(bus)
        address = bus.stdout.readline().strip()
        if not address:
            return "no session bus: dbus-daemon gave no address"
        read, write = os.pipe()
        self.processes.append(subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=[write], stderr=subprocess.DEVNULL))
        os.close(write)
        with os.fdopen(read) as display:
            number = display.readline().strip()
        if not number:
            raise AssertionError("Xvfb gave no display")
        os.environ.update(DBUS_SESSION_BUS_ADDRESS=address, DISPLAY=f":{number}", QT_QPA_PLATFORM="xcb",
                          QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        os.environ.pop("WAYLAND_DISPLAY", None)
        return None

    def stop(self):
        for process in reversed(self.processes):
            process.terminate()
            process.wait()


def role(node):
    return node.get_role_name()


def descendants(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        yield child
        if role(child) != LIST:  # its list and text field are parts of it, checked through its focus
            yield from descendants(child)


def state(node, which):
    return node.get_state_set().contains(which)


def action_index(node, name):
    action = node.get_action_iface()
    names = [action.get_action_name(i) for i in range(action.get_n_actions())] if action else []
    if name not in names:
        raise AssertionError(f"{role(node)} \"{node.get_name()}\" offers no {name} action, only {names}")
    return names.index(name)


def press(node, name="Press"):
    node.get_action_iface().do_action(action_index(node, name))


def value_of(node):
    text = node.get_text_iface()
    return text.get_text(0, text.get_character_count()) if text else ""


class Checker:
    def __init__(self, atspi, program):
        self.atspi = atspi
        self.program = program
        self.faults = []

    def fault(self, where, message):
        self.faults.append(f"{where}: {message}")

    def dialog_of(self, process):
        def find():
            desktop = self.atspi.get_desktop(0)
            for i in range(desktop.get_child_count()):
                app = desktop.get_child_at_index(i)
                if app is not None and app.get_process_id() == process.pid:
                    for j in range(app.get_child_count()):
                        window = app.get_child_at_index(j)
                        if window is not None and state(window, self.atspi.StateType.SHOWING):
                            return app, window
            return None
        return wait_for("the dialog", find)

    def check(self, progid, arguments, expected):
        where = " ".join([progid] + arguments)
        process = subprocess.Popen([self.program, "show", progid] + arguments, stdout=subprocess.PIPE, text=True)
        try:
            app, dialog = self.dialog_of(process)
            controls = [node for node in descendants(dialog)
                        if role(node) in CONTROL_ROLES and state(node, self.atspi.StateType.SHOWING)]
            heard = sorted((role(node), node.get_name()) for node in controls)
            if heard != sorted(expected + COMMANDS):
                self.fault(where, f"says {heard},\n  not {sorted(expected + COMMANDS)}")
            for node in controls:
                self.check_control(where, node)
            # Last: with no window manager to give it back, the dialog keeps no focus once a
            # chooser has closed.
            swatches = [node for node in controls if node.get_description().startswith("#")]
            chosen = [self.choose_colour(where, app, dialog, swatch, 0x102030 + 0x010101 * k)
                      for k, swatch in enumerate(swatches)]
            press(next(node for node in controls if node.get_name() == "OK"))
            outcome = json.loads(process.communicate(timeout=20)[0])
            for colour in chosen:
                if colour not in outcome.values():
                    self.fault(where, f"the chosen colour {colour:#08x} is no colour the host reads: {outcome}")
        except AssertionError as error:
            self.fault(where, str(error))
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()

    def check_control(self, where, node):
        name, what = node.get_name(), f"{role(node)} \"{node.get_name()}\""
        if not re.search(r"[^\W\d_]", name):
            self.fault(where, f"{what} has no name a listener can tell apart")
        value = node.get_description() if role(node) == BUTTON else value_of(node)
        if value.strip() and name.strip() == value.strip():
            self.fault(where, f"{what} is named by its value")
        for relation in node.get_relation_set():
            if relation.get_relation_type() == self.atspi.RelationType.LABELLED_BY:
                for i in range(relation.get_n_targets()):
                    label = relation.get_target(i).get_name()
                    if label not in name:
                        self.fault(where, f"{what} is labelled by \"{label}\", which its name does not say")
        # What a screen reader announces when the control takes the focus.
        node.get_component_iface().grab_focus()
        focused = wait_for(f"the focus on {what}", lambda: next(
            (n for n in [node] + list(descendants_all(node)) if state(n, self.atspi.StateType.FOCUSED)), None), 5)
        if not re.search(r"[^\W\d_]", focused.get_name()):
            self.fault(where, f"focusing {what} focuses a {role(focused)} named \"{focused.get_name()}\"")

    def choose_colour(self, where, app, dialog, swatch, rgb):
        """Presses the swatch, picks `rgb` (0x00BBGGRR) in the chooser and presses its OK."""
        before = swatch.get_description()
        press(swatch)
        chooser = wait_for("the colour chooser", lambda: next(
            (w for w in (app.get_child_at_index(i) for i in range(app.get_child_count()))
             if w is not None and w != dialog and state(w, self.atspi.StateType.SHOWING)), None))
        fields = {n.get_name(): n for n in descendants(chooser) if role(n) in (TEXT, "spin button")}
        if value_of(fields["HTML:"]).upper() != before:
            self.fault(where, f"the chooser of \"{swatch.get_name()}\" opened on {value_of(fields['HTML:'])}, not {before}")
        for channel, shift in (("Red:", 0), ("Green:", 8), ("Blue:", 16)):
            fields[channel].get_value_iface().set_current_value((rgb >> shift) & 0xFF)
        press(next(n for n in descendants(chooser) if role(n) == BUTTON and n.get_name() == "OK"))
        wait_for("the chooser to close", lambda: not state(chooser, self.atspi.StateType.SHOWING))
        shown = f"#{rgb & 0xFF:02X}{(rgb >> 8) & 0xFF:02X}{(rgb >> 16) & 0xFF:02X}"
        if swatch.get_description() != shown:
            self.fault(where, f"\"{swatch.get_name()}\" describes {swatch.get_description()} after {shown} was chosen")
        return rgb


def descendants_all(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child
            yield from descendants_all(child)


def main():
    program = sys.argv[1]
    session = Session()
    try:
        reason = session.start()
        if reason:
            print(f"SKIPPED: {reason}")
            return SKIPPED
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        checker = Checker(Atspi, program)
        for progid, arguments, expected in DIALOGS:
            checker.check(progid, arguments, expected)
        for fault in checker.faults:
            print(fault)
        print(f"{len(DIALOGS)} dialogs, {len(checker.faults)} faults")
        return 1 if checker.faults else 0
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())
