#pragma once

// The drawings as a file keeps them: JSON with a format name and version,
//
//   {"format": "zarvchart drawings", "version": 1, "drawings": [
//     {"tool": "ZarvLinesParm.RetracementParmClass", "anchors": [[12, 101.5], [80, 120.25]],
//      "parameters": {"Cor(1)": 33023, "V(1)": 0.236, "Extend": 1}, "locked": true}]}
//
// "locked" is written only for a locked drawing. It came after version 1 and left the version as
// it was: a reader of version 1 passes over members of a drawing it does not know, so a program
// from before reads such a file whole, its drawings merely unlocked.
// Reading checks the file's shape; whether a drawing's tool and parameters are right is for
// the one who knows the tools (ToolClass).

#include "chart/model/ChartError.h"
#include "chart/model/ChartTypes.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <vector>

namespace zarvchart {

inline constexpr int drawingsFormatVersion = 1;

/// The double with the fewest digits that is still `f` as a float: 0.236 rather than
/// 0.23600000143051147, so that a file or a message shows the value as the dialog did.
double shortestDouble(float f);

/// A drawing's parameters as JSON: whole numbers, floats written as short as they read back
/// exactly, strings.
QJsonObject parametersToJson(const QVariantMap& parameters);
/// The parameters of `json`, numbers as double; what they should be is the tool's business.
QVariantMap parametersFromJson(const QJsonObject& json);

QByteArray drawingsToJson(const std::vector<Drawing>& drawings);
/// The drawings of `json`, or a ChartError naming `name` and what is wrong (the line, for text
/// that is no JSON). Nothing is returned unless everything is read.
std::vector<Drawing> drawingsFromJson(const QByteArray& json, const QString& name);

/// The most a drawings file may hold: some hundred thousand drawings.
inline constexpr qint64 largestDrawingsFile = qint64{64} << 20;

/// Writes the file whole or not at all: an old file stays as it was until the new one is
/// complete. A failure is a ChartError.
void writeDrawingsFile(const QString& path, const std::vector<Drawing>& drawings);
/// The drawings of the file at `path` (a regular file of at most largestDrawingsFile bytes), as
/// drawingsFromJson reads them.
std::vector<Drawing> readDrawingsFile(const QString& path);

} // namespace zarvchart
