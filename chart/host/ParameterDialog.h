#pragma once

// A tool's parameter dialog, run as any host runs it: the class created by its ProgID, the
// drawing's parameters let into it, Start with "Save as Default" offered, every parameter read
// back; and, while the dialog is open, what "OK" would give, through the class's preview handler.

#include "chart/tools/ToolKinds.h"

#include <QVariantMap>

#include <functional>

namespace zarvchart {

struct EditedParameters {
    enum class Ending { Ok, SaveAsDefault, Cancel, Closed };
    Ending ending = Ending::Cancel;
    /// The edited parameters after "OK" or "Save as Default", else those the dialog was given.
    QVariantMap parameters;
};

/// Called while the dialog is open with the parameters "OK" would give at that moment.
using PreviewSink = std::function<void(const QVariantMap& parameters)>;

/// Runs the dialog of `kind` on `parameters` (typed, as ToolClass gives them) and returns how it
/// ended. Library failures (a value the dialog refuses) throw ZarvLinesParm::Error.
EditedParameters editParameters(const ToolKind& kind, const QVariantMap& parameters, const PreviewSink& preview);

} // namespace zarvchart
