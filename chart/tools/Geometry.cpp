#include "chart/tools/Geometry.h"

#include "chart/tools/geometry/Sketch.h"

#include <QHash>

namespace zarvchart {

std::vector<Shape> shapesOf(const Drawing& drawing, const Series& series, const Mapping& mapping)
{
    using namespace geometry;
    static const QHash<QString, void (*)(Sketch&)> draw{
        {"ZarvLinesParm.RetracementParmClass", drawRetracement},
        {"ZarvLinesParm.ZarvArcsParmClass", drawArcs},
        {"ZarvLinesParm.ZarvRangerParmClass", drawRange},
        {"ZarvLinesParm.ZarvExpParmClass", drawExpansion},
        {"ZarvLinesParm.zarvFanParmClass", drawFan},
        {"ZarvLinesParm.ZarvForkParmClass", drawFork},
        {"ZarvLinesParm.ZarvDravelPArmClass", drawDravel},
        {"ZarvLinesParm.ZarvGannParmClass", drawGannZones},
        {"ZarvLinesParm.GannFanParmClass", drawGannFan},
        {"ZarvLinesParm.GannSQ9ParmClass", drawSquareOfNine},
        {"ZarvLinesParm.ZarvLeastSquareClass", drawLeastSquare},
        {"ZarvLinesParm.CircleElipseCls", drawCircleEllipse},
    };
    // Asked for every drawing on every repaint: the kinds as the drawings spell them are kept.
    static QHash<QString, const ToolKind*> spelled;
    auto known = spelled.constFind(drawing.progId);
    if (known == spelled.constEnd()) {
        if (spelled.size() >= 64)
            spelled.clear();
        known = spelled.insert(drawing.progId, toolKind(drawing.progId));
    }
    const ToolKind* kind = *known;
    const auto tool = kind ? draw.value(kind->progId) : nullptr;
    if (!tool || drawing.anchors.empty())
        return {};
    Sketch sketch(drawing, *kind, series, mapping);
    tool(sketch);
    return sketch.take();
}

} // namespace zarvchart
