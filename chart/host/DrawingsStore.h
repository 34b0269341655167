#pragma once

// Where the drawings are kept between runs, reading a drawings file with every drawing checked
// against its tool's class, and what a chart starts with.

#include "chart/model/ChartTypes.h"

#include <QString>

#include <vector>

namespace zarvchart {

/// The drawings of the file at `path`, each checked against its tool (checkedDrawing), all or
/// none: anything wrong is a ChartError naming the file and the drawing.
std::vector<Drawing> readCheckedDrawings(const QString& path);

/// Where the drawings on the chart of `csvPath` (empty: the sample data) are kept between runs:
/// a file under the user's application data location (QStandardPaths::AppDataLocation), one for
/// the sample and one for each price file, its name short enough for any file system.
QString keptDrawingsPath(const QString& csvPath);

/// Writes `drawings` to `path`, making its folder first; a failure is a ChartError.
void keepDrawings(const QString& path, const std::vector<Drawing>& drawings);

/// Renames the file at `path` to the first of `path.damaged`, `path.2.damaged`, ... that does
/// not exist, so that no earlier copy is replaced; the new name, or a ChartError saying why not.
QString setAside(const QString& path);

struct StartingDrawings {
    std::vector<Drawing> drawings;
    /// The file the chart keeps its drawings in; empty: none.
    QString keepIn;
    /// What the user must be told (a kept file that could not be read); empty when all is well.
    QString message;
};

/// What a chart of `csvPath` starts with. With `openPath`, that file's drawings, kept in it (a
/// file that cannot be read is a ChartError). Else the drawings kept for the price file, kept
/// there again; a kept file that cannot be read is set aside (setAside) and the chart starts
/// without drawings, or, when it cannot be set aside, is left alone and nothing is kept. With
/// `keeping` false (a screenshot) nothing is kept, renamed or written.
StartingDrawings startingDrawings(const QString& csvPath, const QString& openPath, bool keeping);

} // namespace zarvchart
