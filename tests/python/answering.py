"""A user who answers the library's dialogs from the event loop: types into value boxes, waits
for what the host shows, presses a button or closes the dialog."""
from PyQt6.QtCore import QTimer
from PyQt6.QtTest import QTest
from PyQt6.QtWidgets import QApplication, QLineEdit, QPushButton

BUTTONS = {"ok": "Command1", "cancel": "Command2", "save": "Command3"}


def typing(box, text):
    """A step: types `text` into the value box `box` ("V(0)") in place of what it shows."""
    def step(dialog):
        edit = dialog.findChild(QLineEdit, box)
        edit.setFocus()
        edit.selectAll()
        QTest.keyClicks(edit, text)
        return True
    return step


def pressing(button):
    """A step: presses "ok", "cancel" or "save", or closes the dialog from its title bar
    ("close")."""
    def step(dialog):
        if button == "close":
            dialog.close()
        else:
            dialog.findChild(QPushButton, BUTTONS[button]).click()
        return True
    return step


def waiting(condition):
    """A step done once `condition()` holds, tried again at each pass of the event loop."""
    return lambda dialog: condition()


class Answer:
    """Answers the next dialog named `name` (None: whichever) from the event loop, once it is
    shown: each step in turn, a step that returns a false value tried again a little later. A
    dialog that does not come, or a step that never holds, is given up after a few seconds, the
    dialog closed, so that a fault fails the test instead of hanging it; `done` tells."""

    def __init__(self, name, *steps):
        self.name, self.steps, self.done = name, list(steps), False
        QTimer.singleShot(0, lambda: self._poll(2000))

    def _poll(self, patience):
        dialog = QApplication.activeModalWidget()
        if dialog is not None and self.name in (None, dialog.objectName()):
            while self.steps and self.steps[0](dialog):
                self.steps.pop(0)
        if not self.steps:
            self.done = True
        elif patience:
            QTimer.singleShot(5, lambda: self._poll(patience - 1))
        elif dialog is not None:
            dialog.close()
