#pragma once

// Where the drawings are kept between runs, and reading a drawings file with every drawing
// checked against its tool's class.

#include "chart/model/ChartTypes.h"

#include <QString>

#include <vector>

namespace zarvchart {

/// The drawings of the file at `path`, each checked against its tool (checkedDrawing), all or
/// none: anything wrong is a ChartError naming the file and the drawing.
std::vector<Drawing> readCheckedDrawings(const QString& path);

/// Where the drawings on the chart of `csvPath` (empty: the sample data) are kept between runs:
/// a file under the user's application data location (QStandardPaths::AppDataLocation), one for
/// the sample and one for each price file.
QString keptDrawingsPath(const QString& csvPath);

/// Writes `drawings` to `path`, making its folder first; a failure is a ChartError.
void keepDrawings(const QString& path, const std::vector<Drawing>& drawings);

} // namespace zarvchart
