#!/usr/bin/python3
"""A price chart drawn with pyqtgraph whose tools are edited through the ZarvLinesParm dialogs:
a reference host in Python, on a charting stack the library was not built with.

    /usr/bin/python3 examples/pyqtgraph_chart.py [PRICES.csv]

Candlesticks from a price file (the header Date,Open,High,Low,Close, optionally ,Volume, then one
bar a row; prices.csv beside this file by default), a retracement between the highest high and
the lowest low and a least-square channel over the last 40 bars. Click a tool's line, or its button
in the toolbar, to edit it: the chart follows the dialog while you type, "OK" keeps the change,
"Cancel" or closing the dialog puts the tool back as it was.

Debian's python3-pyqtgraph and python3-pyqt6, and the zarvlinesparm package (see docs/hosts.md).
"""
import csv
import sys
from pathlib import Path

import numpy as np
# PyQt6 before pyqtgraph, which then draws with it: the library's Qt is Qt 6.
from PyQt6.QtCore import Qt, QTimer
from PyQt6.QtGui import QColor
from PyQt6.QtWidgets import QApplication, QMainWindow
import pyqtgraph as pg

import zarvlinesparm

SAMPLE = Path(__file__).with_name("prices.csv")


def read_prices(path):
    """The bars of a price file, an array of (open, high, low, close) rows; ValueError naming the
    line for anything else."""
    with open(path, newline="", encoding="utf-8-sig") as file:
        rows = list(csv.reader(file))
    header = [field.strip().lower() for field in rows[0][:5]] if rows else []
    if header != ["date", "open", "high", "low", "close"]:
        raise ValueError(f"{path} line 1: the header is not Date,Open,High,Low,Close")
    bars = []
    for line, row in enumerate(rows[1:], 2):
        if not row:
            continue
        try:
            o, h, lo, c = (float(field) for field in row[1:5])
        except ValueError:
            raise ValueError(f"{path} line {line}: not four prices after the date") from None
        if not lo <= min(o, c) <= max(o, c) <= h:
            raise ValueError(f"{path} line {line}: Open and Close are not between Low and High")
        bars.append((o, h, lo, c))
    if not bars:
        raise ValueError(f"{path}: no bars")
    return np.array(bars)


def colour(value):
    """A library colour, 0x00BBGGRR, as Qt's."""
    return QColor(value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF)


def parameters(tool):
    """Every value an object of the library holds, by member name, as its class describes them:
    lists for the indexed ones."""
    found = {}
    for member in zarvlinesparm.describe(tool)["members"]:
        if member["kind"] == "property":
            value = getattr(tool, member["name"])
            found[member["name"]] = list(value) if "index" in member else value
    return found


def assign(tool, values):
    for name, value in values.items():
        if isinstance(value, list):
            indexed = getattr(tool, name)
            for i, item in zip(indexed.indexes, value):
                indexed[i] = item
        else:
            setattr(tool, name, value)


class Drawing:
    """One tool on the chart: its parameters (the host's, kept here between dialogs), the
    pyqtgraph items that draw them, and the library's class whose dialog edits them."""
    cls = None

    def __init__(self, plot, bars, anchors, values, lines):
        self.plot, self.bars, self.anchors, self.values = plot, bars, anchors, values
        self.lines = [pg.PlotCurveItem() for _ in range(lines)]
        for line in self.lines:
            line.setClickable(True, width=6)
            # Once the click is over: the dialog is modal and runs an event loop of its own.
            line.sigClicked.connect(lambda *_: QTimer.singleShot(0, self.edit))
            plot.addItem(line)
        self.draw(values)

    def edit(self):
        """Shows the tool's dialog, the chart following what the user does in it."""
        tool = self.cls()
        assign(tool, self.values)
        zarvlinesparm.set_preview_handler(self.cls, self.preview)
        try:
            tool.Start(0)
        finally:
            zarvlinesparm.set_preview_handler(self.cls, None)
        self.values = parameters(tool)  # what "OK" stored; after "Cancel", what was assigned
        self.draw(self.values)

    def preview(self, view, stage):
        # While editing, what "OK" would store now; at the last call, what Start leaves.
        self.draw(parameters(view))


class Retracement(Drawing):
    """A level at each value v, v of the way back from the second anchor's price to the first's,
    from the first anchor's bar to the second's (to the last bar with "Extend to end")."""
    cls = zarvlinesparm.RetracementParmClass

    def __init__(self, plot, bars, anchors, values):
        self.labels = []
        super().__init__(plot, bars, anchors, values, lines=2)

    def draw(self, values):
        trend, levels = self.lines
        (x1, y1), (x2, y2) = self.anchors
        pen = pg.mkPen(colour(values["Cor"][0]), width=1.5)
        trend.setData([x1, x2], [y1, y2], pen=pg.mkPen(pen.color(), style=Qt.PenStyle.DashLine))
        right = len(self.bars) - 1 if values["Extend"] else x2
        prices = [y2 - v * (y2 - y1) for v in values["V"]]
        levels.setData([x1, right] * len(prices), np.repeat(prices, 2), connect="pairs", pen=pen)
        for label in self.labels:
            self.plot.removeItem(label)
        self.labels = [pg.TextItem(f"{v:g}", color=pen.color(), anchor=(0, 1)) for v in values["V"]
                       ] if values["Numbers"] else []
        for label, price in zip(self.labels, prices):
            label.setPos(x1, price)
            self.plot.addItem(label)


class Channel(Drawing):
    """The least-squares line of the chosen price over the bars between the anchors, with lines
    V(1) and V(2) standard deviations of the residuals above and below."""
    cls = zarvlinesparm.ZarvLeastSquareClass
    PRICES = {1: lambda b: b[:, 0], 2: lambda b: b[:, 1], 3: lambda b: b[:, 2],
              5: lambda b: b[:, :3].mean(axis=1)}  # UseToCalc, as the dialog's list has them

    def __init__(self, plot, bars, anchors, values):
        super().__init__(plot, bars, anchors, values, lines=3)

    def draw(self, values):
        first, last = (x for x, _ in self.anchors)
        bars = self.bars[first:last + 1]
        x = np.arange(first, last + 1)
        y = self.PRICES.get(values["UseToCalc"], lambda b: b[:, 3])(bars)
        slope, intercept = np.polyfit(x, y, 1)
        deviation = np.sqrt(np.mean((y - (slope * x + intercept)) ** 2))
        offsets = (0, values["V"][0] * deviation, -values["V"][1] * deviation)
        for line, offset, value in zip(self.lines, offsets, values["Cor"]):
            ends = np.array([first, last])
            pen = pg.mkPen(colour(value), width=1.5)
            line.setData(ends, slope * ends + intercept + offset, pen=pen)


class ChartWindow(QMainWindow):
    BLUE, GREEN, RED, ORANGE = 0xFF0000, 0x008000, 0x0000FF, 0x0080FF

    def __init__(self, path=SAMPLE):
        super().__init__()
        self.bars = read_prices(path)
        self.setWindowTitle(f"{Path(path).name}: pyqtgraph and ZarvLinesParm")
        self.plot = pg.PlotWidget(background="w")
        self.setCentralWidget(self.plot)
        self.resize(1000, 600)
        for candles in self.candles():
            self.plot.addItem(candles)

        low, high = int(self.bars[:, 2].argmin()), int(self.bars[:, 1].argmax())
        ends = sorted([(low, self.bars[low, 2]), (high, self.bars[high, 1])])
        self.retracement = Retracement(self.plot, self.bars, ends, {
            "V": [0, 0.236, 0.382, 0.5, 0.618, 1], "Cor": [self.ORANGE], "Extend": 1, "Numbers": 1,
            "SaveDefault": 0})
        last = len(self.bars) - 1
        self.channel = Channel(self.plot, self.bars, [(last - 39, 0), (last, 0)], {
            "V": [2.0, 2.0], "Cor": [self.BLUE, self.GREEN, self.RED], "UseToCalc": 4,
            "SaveDefault": 0})

        tools = self.addToolBar("Tools")
        tools.addAction("Retracement…", self.retracement.edit)
        tools.addAction("Least-Square Channel…", self.channel.edit)

    def candles(self):
        """The bars as candles: a thin bar from low to high under a wide one from open to close."""
        o, h, lo, c = self.bars.T
        x = np.arange(len(self.bars))
        brushes = [pg.mkBrush("#26a65b" if up else "#d64541") for up in c >= o]
        return [pg.BarGraphItem(x=x, y0=lo, y1=h, width=0.12, brushes=brushes, pen=None),
                pg.BarGraphItem(x=x, y0=o, y1=c, width=0.7, brushes=brushes, pen=None)]


def main():
    app = QApplication(sys.argv)
    try:
        window = ChartWindow(sys.argv[1] if len(sys.argv) > 1 else SAMPLE)
    except (OSError, ValueError) as e:
        print(f"pyqtgraph_chart: {e}", file=sys.stderr)
        return 1
    window.show()
    return app.exec()


if __name__ == "__main__":
    sys.exit(main())
