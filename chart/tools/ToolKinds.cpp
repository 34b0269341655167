#include "chart/tools/ToolKinds.h"

#include <initializer_list>

namespace zarvchart {

namespace {

// Colours are 0x00BBGGRR, as the library carries them.
constexpr int orange = 0x0080FF;
constexpr int red = 0x0000FF;
constexpr int green = 0x00A000;
constexpr int blue = 0xFF0000;
constexpr int darkBlue = 0xC00000;
constexpr int teal = 0x808000;
constexpr int grey = 0x808080;

// "Name(1)" to "Name(n)", one entry for each value in turn.
template <typename T>
void indexed(QVariantMap& map, const char* name, std::initializer_list<T> values)
{
    int i = 0;
    for (T value : values)
        map.insert(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(++i), value);
}

QVariantMap retracement()
{
    QVariantMap m{{"Extend", 1}, {"Numbers", 1}, {"Cor(1)", orange}};
    indexed(m, "V", {0.236f, 0.382f, 0.5f, 0.618f, 0.786f, 1.0f});
    return m;
}

QVariantMap arcs()
{
    QVariantMap m{{"FullCircle", 0}, {"Cor(1)", darkBlue}};
    indexed(m, "V", {0.236f, 0.382f, 0.5f, 0.618f, 0.786f, 1.0f});
    return m;
}

QVariantMap range()
{
    // The same numbers the range dialog puts into fields left at zero.
    return {{"Periodos", 3}, {"Cte1", 0.618f}, {"Cte2", 1.382f}, {"Cor1", 0x00FF00}, {"Cor2", 0x0000FF},
            {"Cor3", grey}, {"ExtendRight", 0}, {"ExtendRightCaption", QStringLiteral("Extend Right")}};
}

QVariantMap expansion()
{
    QVariantMap m{{"FExpShow", 0x0F}};
    indexed(m, "Cor", {red, green, blue, teal});
    indexed(m, "V", {0.618f, 1.0f, 1.618f, 2.618f});
    return m;
}

QVariantMap fan()
{
    QVariantMap m{{"FanShow", 0x0F}, {"HLines", 0}, {"AteFim", 1}};
    indexed(m, "Cor", {red, green, blue, teal});
    return m;
}

QVariantMap fork()
{
    QVariantMap m{{"ForkShow", 3}};
    indexed(m, "Cor", {green, red, blue}); // internal, external, fork
    return m;
}

QVariantMap dravel()
{
    QVariantMap m;
    indexed(m, "Cor", {red, blue}); // external, internal
    indexed(m, "V", {0.382f, 0.618f});
    return m;
}

QVariantMap gannZones()
{
    QVariantMap m{{"NZones", 8}};
    indexed(m, "Cor", {red, blue}); // odd, even
    return m;
}

QVariantMap gannFan()
{
    QVariantMap m{{"Cor(1)", 0x008000}};
    indexed(m, "V", {0.125f, 0.25f, 0.5f, 2.0f, 4.0f, 8.0f});
    return m;
}

QVariantMap squareOfNine()
{
    // Price: the angles 0, 90, 180 and 270; Time: 0. `Price` is a float member.
    return {{"Cor", orange}, {"Price", 85.0f}, {"Time", 1}, {"UpDown", 0}, {"Step", 1.0f}};
}

QVariantMap leastSquare()
{
    QVariantMap m{{"UseToCalc", 4}};
    indexed(m, "Cor", {blue, green, red}); // the line, the upper line, the lower line
    indexed(m, "V", {2.0f, 2.0f});
    return m;
}

QVariantMap circleEllipse()
{
    return {{"Cor(1)", blue}, {"Cor(2)", 0xFFE0C0}, {"Fill", 0}};
}

} // namespace

const std::vector<ToolKind>& toolKinds()
{
    static const std::vector<ToolKind> kinds = [] {
        auto kind = [](const char* cls, const char* title, int anchors, QVariantMap defaults,
                       const char* caption = "") {
            ToolKind k;
            k.progId = QStringLiteral("ZarvLinesParm.") + QLatin1String(cls);
            k.title = QString::fromUtf8(title);
            k.anchorCount = anchors;
            k.builtInDefaults = std::move(defaults);
            k.dialogCaption = QString::fromUtf8(caption);
            return k;
        };
        return std::vector<ToolKind>{
            kind("RetracementParmClass", "Retracement", 2, retracement()),
            kind("ZarvArcsParmClass", "Arcs", 2, arcs()),
            kind("ZarvRangerParmClass", "Range", 2, range(), "Range Parameters"),
            // Not "Brastel Options" nor "Zarv Impulse Options": those titles hide the value boxes.
            kind("ZarvExpParmClass", "Expansion", 3, expansion(), "Expansion Parameters"),
            kind("zarvFanParmClass", "Fan", 2, fan()),
            kind("ZarvForkParmClass", "Fork", 3, fork()),
            kind("ZarvDravelPArmClass", "Dravel Lines", 3, dravel()),
            kind("ZarvGannParmClass", "Gann Zones", 2, gannZones()),
            kind("GannFanParmClass", "Gann Fan", 2, gannFan()),
            kind("GannSQ9ParmClass", "Gann Square of Nine", 1, squareOfNine()),
            kind("ZarvLeastSquareClass", "Least Square Channel", 2, leastSquare()),
            kind("CircleElipseCls", "Circle / Ellipse", 2, circleEllipse(), "Circle / Ellipse Parameters"),
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
