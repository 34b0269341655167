#pragma once

// The demo: one tool of each kind on the chart, and one of them edited through its real dialog,
// driven by the program itself, for a run with nobody to click.

#include "chart/model/ChartDocument.h"
#include "chart/model/ChartTypes.h"

#include <QString>

#include <vector>

namespace zarvchart {

class MainWindow;

/// One drawing of each kind, each on its own stretch of `series` between its swings, with the
/// parameters a new tool of its kind starts from.
std::vector<Drawing> demoDrawings(const Series& series);

/// Opens the retracement's dialog, types 1.618 as its last value, ticks "Show values" unless it is
/// ticked and presses "OK", as a user would; returns what changed, one line per parameter, or
/// why it could not.
QString demoEdit(MainWindow& window, const ChartDocument& document);

} // namespace zarvchart
