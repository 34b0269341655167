#pragma once

// The parameters a newly placed tool starts from: the kind's built-in defaults, until the user
// keeps others with "Save as Default". Those live in the user's settings (QSettings, under the
// application's organisation and name), one entry a kind, written as the drawings file writes
// parameters.

#include "chart/tools/ToolKinds.h"

#include <QVariantMap>

namespace zarvchart {

/// The kept defaults of `kind`, typed, or its built-in ones when none are kept (or the kept ones
/// no longer fit the class).
QVariantMap defaultsOf(const ToolKind& kind);
void keepDefaults(const ToolKind& kind, const QVariantMap& parameters);
/// Forgets every kept default.
void resetDefaults();

} // namespace zarvchart
