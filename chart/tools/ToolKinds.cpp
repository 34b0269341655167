#include "chart/tools/ToolKinds.h"

#include <algorithm>
#include <iterator>

namespace zarvchart {

namespace {

// The toolbar's and the menu's order, by class name.
constexpr const char* menuOrder[] = {
    "RetracementParmClass", "ZarvArcsParmClass", "ZarvRangerParmClass",  "ZarvExpParmClass",
    "zarvFanParmClass",     "ZarvForkParmClass", "ZarvDravelPArmClass",  "ZarvGannParmClass",
    "GannFanParmClass",     "GannSQ9ParmClass",  "ZarvLeastSquareClass", "CircleElipseCls",
};

// Filled while the program starts, by each geometry file's entry; read only after.
std::vector<ToolKind>& entered()
{
    static std::vector<ToolKind> kinds;
    return kinds;
}

} // namespace

ToolKindEntry::ToolKindEntry(const char* className, const char* title, int anchorCount, QVariantMap builtInDefaults,
                             void (*draw)(geometry::Sketch&), const char* dialogCaption)
{
    ToolKind k;
    k.progId = QStringLiteral("ZarvLinesParm.") + QLatin1String(className);
    k.title = QString::fromUtf8(title);
    k.anchorCount = anchorCount;
    k.builtInDefaults = std::move(builtInDefaults);
    k.dialogCaption = QString::fromUtf8(dialogCaption);
    k.draw = draw;
    entered().push_back(std::move(k));
}

const std::vector<ToolKind>& toolKinds()
{
    static const std::vector<ToolKind> kinds = [] {
        std::vector<ToolKind> all = entered();
        auto place = [](const ToolKind& k) {
            const QString name = k.progId.section(u'.', 1);
            return std::distance(std::begin(menuOrder),
                                 std::find_if(std::begin(menuOrder), std::end(menuOrder),
                                              [&](const char* c) { return name == QLatin1String(c); }));
        };
        std::stable_sort(all.begin(), all.end(),
                         [&](const ToolKind& a, const ToolKind& b) { return place(a) < place(b); });
        return all;
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

QString memberKey(const QString& name, int index) { return QStringLiteral("%1(%2)").arg(name).arg(index); }

} // namespace zarvchart
