#pragma once

// The parameters a newly placed tool starts from: the kind's built-in defaults, until the user
// keeps others with "Save as Default". Those live in the user's settings (QSettings, under the
// application's organisation and name), one entry a kind, written as the drawings file writes
// parameters.

#include "chart/tools/ToolKinds.h"

#include <QVariantMap>

namespace zarvchart {

/// The kept defaults of `kind`, typed, or its built-in ones when none are kept (or the kept ones
/// no longer fit the class, or the library lacks the class).
QVariantMap defaultsOf(const ToolKind& kind);
/// Keeps `parameters` as the defaults of `kind`; settings that cannot be written are a
/// ChartError, and then nothing is kept.
void keepDefaults(const ToolKind& kind, const QVariantMap& parameters);
/// Whether any kind has defaults kept.
bool defaultsKept();
/// Forgets every kept default; settings that cannot be written are a ChartError.
void resetDefaults();

} // namespace zarvchart
