"""The hosts a newcomer copies from: every Python example of docs/hosts.md, run as shown, and the
pyqtgraph chart, whose drawings must follow each dialog while it is open and keep only what "OK"
stored."""
import os
import re
import subprocess
import sys
from pathlib import Path

import numpy as np
import pytest
from PyQt6.QtCore import Qt
from PyQt6.QtTest import QTest
from PyQt6.QtWidgets import QToolBar

import pyqtgraph_chart
from answering import Answer, pressing, typing, waiting
from conftest import SOURCE

HOSTS = (SOURCE / "docs" / "hosts.md").read_text()
EXAMPLES = re.findall(r"^```python\n(.*?)^```$", HOSTS, re.S | re.M)
# What each example prints when the user types 0.75 as the first level and presses "OK".
PRINTED = [
    ("script", "[0.75, 0.236, 0.382, 0.5, 0.618, 1.618] 0\n"),
    ("script", "True error 9: Subscript out of range: Cor[3]: 1 to 2\n"),
    ("application", "0.75 0 0 0 0 0 (editing)\n0.75 0 0 0 0 0\n"),
]


# Strict: an example without its output is an error.
@pytest.mark.parametrize("example, kind, printed",
                         [(e, *p) for e, p in zip(EXAMPLES, PRINTED, strict=True)],
                         ids=[f"example {i}" for i in range(1, len(EXAMPLES) + 1)])
def test_the_hosts_guide_example_runs_as_shown(example, kind, printed):
    assert len(example.splitlines()) < (10 if kind == "script" else 25)
    path = os.pathsep.join([str(SOURCE / "python"), str(Path(__file__).parent)])
    runner = Path(__file__).with_name("readme_example.py")
    done = subprocess.run([sys.executable, str(runner), kind], input=example, capture_output=True,
                          text=True, timeout=60, env=os.environ | {"PYTHONPATH": path})
    assert (done.stdout, done.returncode) == (printed, 0), done.stderr


def retracement_lines(window, values):
    (x1, y1), (x2, y2) = window.retracement.anchors
    return [[y1, y2], np.repeat([y2 - v * (y2 - y1) for v in values], 2)]


def channel_lines(window, values):
    """The least-squares line of the closes between the anchors and its parallels V(1) and V(2)
    standard deviations above and below."""
    x = np.array([x for x, _ in window.channel.anchors])
    closes = window.bars[x[0]:x[1] + 1, 3]
    fit = np.polynomial.Polynomial.fit(np.arange(x[0], x[1] + 1), closes, 1)
    deviation = np.std(closes - fit(np.arange(x[0], x[1] + 1)))
    return [fit(x), fit(x) + values[0] * deviation, fit(x) - values[1] * deviation]


RETRACEMENT = [0, 0.236, 0.382, 0.5, 0.618, 1]
EDITS = [  # the tool, the box typed into and the text, how the dialog ends, the values drawn then
    ("Retracement…", retracement_lines, "V(5)", "1.618", "ok", RETRACEMENT[:5] + [1.618]),
    ("Retracement…", retracement_lines, "V(0)", "0.1", "cancel", RETRACEMENT),
    ("Least-Square Channel…", channel_lines, "V(0)", "3", "ok", [3, 2]),
    ("Least-Square Channel…", channel_lines, "V(1)", "0.5", "close", [2, 2]),
]


@pytest.mark.parametrize("tool, lines, box, text, end, after", EDITS,
                         ids=[f"{e[1].__name__.split('_')[0]} {e[4]}" for e in EDITS])
def test_the_pyqtgraph_chart_follows_the_dialog(tool, lines, box, text, end, after):
    window = pyqtgraph_chart.ChartWindow()
    window.show()
    drawing = window.retracement if lines is retracement_lines else window.channel
    before = list(drawing.values["V"])
    editing = before[:int(box[2])] + [float(text)] + before[int(box[2]) + 1:]

    def drawn(values):
        return all(np.allclose(item.getData()[1], expected)
                   for item, expected in zip(drawing.lines, lines(window, values)))

    assert drawn(before)
    answer = Answer(None, typing(box, text), waiting(lambda: drawn(editing)), pressing(end))
    bar = window.findChild(QToolBar)
    action = next(a for a in bar.actions() if a.text() == tool)
    QTest.mouseClick(bar.widgetForAction(action), Qt.MouseButton.LeftButton)
    assert answer.done and drawn(after) and drawing.values["V"] == after
    window.close()
