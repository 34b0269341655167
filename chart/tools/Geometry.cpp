#include "chart/tools/Geometry.h"

#include "chart/tools/geometry/Sketch.h"

#include <QHash>

namespace zarvchart {

std::vector<Shape> shapesOf(const Drawing& drawing, const Series& series, const Mapping& mapping)
{
    // Asked for every drawing on every repaint: the kinds as the drawings spell them are kept.
    static QHash<QString, const ToolKind*> spelled;
    auto known = spelled.constFind(drawing.progId);
    if (known == spelled.constEnd()) {
        if (spelled.size() >= 64)
            spelled.clear();
        known = spelled.insert(drawing.progId, toolKind(drawing.progId));
    }
    const ToolKind* kind = *known;
    if (!kind || !kind->draw || drawing.anchors.empty())
        return {};
    geometry::Sketch sketch(drawing, *kind, series, mapping);
    kind->draw(sketch);
    return sketch.take();
}

} // namespace zarvchart
