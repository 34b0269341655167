"""Runs one Python example of docs/hosts.md as a user would meet it, answering its dialog: types 0.75
as the first level and presses "OK".

    readme_example.py script|application < EXAMPLE

A script runs under an application of this runner's, as a PyQt host's, made before the example.
An application example makes its own, which the library must share, and runs the dialog inside its
event loop: its window's button is clicked once it runs, and the status bar it shows while the
dialog is open and after, its window still shown, is printed before it quits.
"""
import sys

from PyQt6 import QtWidgets
from PyQt6.QtCore import QTimer

from answering import Answer, pressing, typing, waiting

example = sys.stdin.read()


class Application(QtWidgets.QApplication):
    def exec(self):
        QTimer.singleShot(0, self.use)
        return super().exec()

    def use(self):
        window = next(w for w in self.topLevelWidgets() if isinstance(w, QtWidgets.QMainWindow))
        status = window.statusBar().currentMessage

        def shown():
            if status():
                print(status())
            return status()

        Answer(None, typing("V(0)", "0.75"), waiting(shown), pressing("ok"))
        window.findChild(QtWidgets.QPushButton).click()
        print(status() if window.isVisible() else "the window is gone")
        self.quit()


if sys.argv[1] == "script":
    app = QtWidgets.QApplication([])
    Answer(None, typing("V(0)", "0.75"), pressing("ok"))
else:
    QtWidgets.QApplication = Application
exec(compile(example, "README example", "exec"), {"__name__": "__main__"})
