#pragma once

// The kinds of tool the chart offers, one per parameter class of the library. Each kind is
// defined at the foot of its own geometry file, beside the code that reads its parameters, and
// enters itself there; the menu's order is the one list kept here (ToolKinds.cpp).

#include "chart/model/ChartTypes.h"

#include <QString>
#include <QVariantMap>

#include <vector>

namespace zarvchart {

namespace geometry {
class Sketch;
}

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
    /// Adds the drawing's shapes to the sketch.
    void (*draw)(geometry::Sketch&) = nullptr;
};

/// Enters a kind, once, from the foot of its geometry file:
///
///     const ToolKindEntry entry{"RetracementParmClass", "Retracement", 2, defaults(), draw};
///
/// and its class name goes into the menu's order in ToolKinds.cpp. A kind entered but not in
/// that order comes last; one in the order but never entered is not offered.
struct ToolKindEntry {
    ToolKindEntry(const char* className, const char* title, int anchorCount, QVariantMap builtInDefaults,
                  void (*draw)(geometry::Sketch&), const char* dialogCaption = "");
};

/// Every kind entered, in menu order.
const std::vector<ToolKind>& toolKinds();

/// The kind of `progId` (letter case ignored), or null.
const ToolKind* toolKind(const QString& progId);

/// The name of an indexed member as drawings, drawings files and defaults spell it: "V(3)".
QString memberKey(const QString& name, int index);

} // namespace zarvchart
