#include "chart/tools/ToolKinds.h"

namespace zarvchart {

const std::vector<ToolKind>& toolKinds()
{
    static const std::vector<ToolKind> kinds = [] {
        auto kind = [](const char* cls, const char* title, int anchors) {
            ToolKind k;
            k.progId = QStringLiteral("ZarvLinesParm.") + QLatin1String(cls);
            k.title = QString::fromUtf8(title);
            k.anchorCount = anchors;
            return k;
        };
        return std::vector<ToolKind>{
            kind("RetracementParmClass", "Retracement", 2),
            kind("ZarvArcsParmClass", "Arcs", 2),
            kind("ZarvRangerParmClass", "Range", 2),
            kind("ZarvExpParmClass", "Expansion", 3),
            kind("zarvFanParmClass", "Fan", 2),
            kind("ZarvForkParmClass", "Fork", 3),
            kind("ZarvDravelPArmClass", "Dravel Lines", 3),
            kind("ZarvGannParmClass", "Gann Zones", 2),
            kind("GannFanParmClass", "Gann Fan", 2),
            kind("GannSQ9ParmClass", "Gann Square of Nine", 1),
            kind("ZarvLeastSquareClass", "Least Square Channel", 2),
            kind("CircleElipseCls", "Circle / Ellipse", 2),
        };
    }();
    return kinds;
}

const ToolKind* toolKind(const QString& progId)
{
    for (const ToolKind& k : toolKinds())
        if (k.progId.compare(progId, Qt::CaseInsensitive) == 0)
            return &k;
    return nullptr;
}

} // namespace zarvchart
