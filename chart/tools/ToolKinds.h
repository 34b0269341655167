#pragma once

// The twelve kinds of tool the chart offers, one per parameter class of the library.

#include "chart/model/ChartTypes.h"

#include <QString>
#include <QVariantMap>

#include <vector>

namespace zarvchart {

struct ToolKind {
    /// The class's ProgID, "ZarvLinesParm.RetracementParmClass".
    QString progId;
    /// The name in the toolbar and the menu, "Retracement".
    QString title;
    /// How many points the user clicks to place it.
    int anchorCount = 2;
    /// The built-in defaults of a newly placed tool (before any "Save as Default"), by member
    /// name as in `Drawing::parameters`; every member the dialog edits or the drawing uses has an
    /// entry. The range's also holds `ExtendRightCaption`, the caption of its check box, which
    /// the host writes like the others.
    QVariantMap builtInDefaults;
    /// The title the dialog gets where the class takes it from the host (the `Caption` member,
    /// or `Start`'s `CaptionF` argument for the circle and ellipse class); empty elsewhere.
    QString dialogCaption;
};

/// The twelve, in menu order.
const std::vector<ToolKind>& toolKinds();

/// The kind of `progId` (letter case ignored), or null.
const ToolKind* toolKind(const QString& progId);

} // namespace zarvchart
