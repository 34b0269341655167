"""A PyQt6 application as the host, the library in its process through the package: the library
must find and share the host's QApplication, and run the dialog inside the host's event loop,
where the user types into a box and presses "OK"; the preview sees the typed value, the member
reads it, and the host's window lives on."""
import gc

from PyQt6.QtCore import QTimer
from PyQt6.QtWidgets import QApplication, QMainWindow

import zarvlinesparm as z
from answering import Answer, pressing, typing, waiting
from zarvlinesparm import PreviewStage as Stage


def test_the_library_runs_its_dialog_in_the_hosts_application(app):
    window = QMainWindow()
    window.show()
    seen, outcome = [], []
    z.set_preview_handler(z.RetracementParmClass,
                          lambda view, stage: seen.append((stage, view.V[1])))

    def host():  # from the host's event loop, as a menu command would
        tool = z.RetracementParmClass()
        tool.V[1] = 0.5
        answer = Answer("RetracementParm", typing("V(0)", "0.75"), waiting(lambda: seen),
                        pressing("ok"))
        tool.Start(0)
        outcome.extend([answer.done, tool.V[1], window.isVisible()])
        app.quit()  # which closes the window

    QTimer.singleShot(0, host)
    app.exec()
    z.set_preview_handler(z.RetracementParmClass, None)
    assert outcome == [True, 0.75, True] and seen == [(Stage.EDITING, 0.75), (Stage.OK, 0.75)]
    assert QApplication.instance() is app
    gc.collect()
    # Nothing of the package's is alive, and the application is the host's, not the library's.
    assert z._lib.DllCanUnloadNow() == 0
