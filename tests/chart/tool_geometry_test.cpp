// What each of the chart's tools looks like: its shapes worked out from its anchors and
// parameters, their painting, and hit-testing them by distance.

#include "chart/tools/Geometry.h"
#include "chart/tools/ToolKinds.h"

#include <ZarvLinesParm/Describe.h>
#include <ZarvLinesParm/Object.h>

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <set>

using namespace zarvchart;

namespace {

// 10 pixels to a bar and to a unit of price alike, so circles on the screen are circles in data.
const Mapping mapping(QRectF(50, 20, 1000, 500), 0, 100, 0, 50);

// Bars that wander between about 13 and 33, the same every run.
const Series& series()
{
    static const Series bars = [] {
        Series s;
        for (int i = 0; i < 100; ++i) {
            const double close = 20 + 5 * std::sin(i / 7.0) + 0.1 * i;
            const double open = close - 0.5 * std::cos(i * 1.3);
            s.push_back({i * 86'400'000LL, open, std::max(open, close) + 1 + std::sin(i) / 2, std::min(open, close) - 1,
                         close, 1000});
        }
        return s;
    }();
    return bars;
}

Drawing drawing(const QString& cls, std::vector<ChartPoint> anchors, const QVariantMap& changes = {})
{
    Drawing d{QStringLiteral("ZarvLinesParm.") + cls, std::move(anchors),
              toolKind("ZarvLinesParm." + cls)->builtInDefaults};
    for (auto it = changes.begin(); it != changes.end(); ++it)
        d.parameters.insert(it.key(), it.value());
    return d;
}

std::vector<Shape> withRole(const std::vector<Shape>& shapes, const QString& role)
{
    std::vector<Shape> out;
    std::copy_if(shapes.begin(), shapes.end(), std::back_inserter(out), [&](const Shape& s) { return s.role == role; });
    return out;
}

// Finite, and where a painter can draw it: lines inside the plot, the rest touching it. Nothing
// misleading: no line shorter than a pixel, no label without a line of its part.
void expectSane(const std::vector<Shape>& shapes)
{
    const QRectF plot = mapping.plot().adjusted(-1e-9, -1e-9, 1e-9, 1e-9);
    for (const Shape& s : shapes) {
        if (s.kind == Shape::Kind::Line) {
            EXPECT_GE(QLineF(s.points[0], s.points[1]).length(), 1) << s.role.toStdString();
        } else if (s.kind == Shape::Kind::Text) {
            EXPECT_TRUE(std::ranges::any_of(shapes, [&](const Shape& l) {
                return l.kind == Shape::Kind::Line && l.role == s.role;
            })) << s.text.toStdString();
        }
        for (QPointF p : s.points)
            EXPECT_TRUE(std::isfinite(p.x()) && std::isfinite(p.y())) << s.role.toStdString();
        const bool inside = s.kind == Shape::Kind::Line
            ? plot.contains(s.points[0]) && plot.contains(s.points[1])
            : s.rect.width() <= 1e6 && s.rect.height() <= 1e6 && s.rect.adjusted(-1, -1, 1, 1).intersects(plot);
        EXPECT_TRUE(inside) << s.role.toStdString();
    }
}

// A point that lies on `s`.
QPointF pointOn(const Shape& s)
{
    const double a = s.startAngle * M_PI / 180;
    switch (s.kind) {
    case Shape::Kind::Ellipse:
    case Shape::Kind::Arc:
        return {s.rect.center().x() + s.rect.width() / 2 * std::cos(a),
                s.rect.center().y() - s.rect.height() / 2 * std::sin(a)};
    case Shape::Kind::Text: return s.rect.center();
    default: return (s.points.first() + s.points.last()) / 2;
    }
}

} // namespace

TEST(ToolGeometry, EveryKindIsDrawnPaintedAndHitAndAnyInputGivesSaneShapesOrNone)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<ChartPoint>> anchorSets{
        {{30, 20}, {30, 20}, {30, 20}},         {{30, 20}},
        {{30, 20}, {30, 40}, {30, 30}},         {{10, 20}, {90, 20}, {50, 20}},
        {{nan, 20}, {40, nan}, {50, 30}},       {{-1e300, 1e300}, {1e300, -1e300}, {inf, -inf}},
        {{20, 10}, {20.001, 1e30}, {30, -1e30}}};
    const double values[] = {nan, inf, -inf, 1e30, -1e30, 32767, -32768, 0};
    const Mapping flat(QRectF(0, 0, 100, 100), 5, 5, 3, 3);
    // One kind for each class of the library, none twice, each able to draw itself.
    std::set<std::string> classes, kinds;
    for (const std::string& progId : ZarvLinesParm::ProgIds())
        classes.insert(QString::fromStdString(progId).toLower().toStdString());
    for (const ToolKind& kind : toolKinds()) {
        EXPECT_TRUE(kinds.insert(kind.progId.toLower().toStdString()).second) << kind.progId.toStdString();
        EXPECT_NE(kind.draw, nullptr) << kind.progId.toStdString();
    }
    EXPECT_EQ(kinds, classes);
    // Whether painting `shapes` on a white image of `size` left a colour.
    auto painted = [](const std::vector<Shape>& shapes, QSize size = {1100, 540}) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintShapes(painter, shapes);
        painter.end();
        return !image.allGray();
    };
    for (const ToolKind& kind : toolKinds()) {
        SCOPED_TRACE(kind.progId.toStdString());
        // The defaults are the class's own members, of their types, within their index ranges.
        const auto members = ZarvLinesParm::Describe(kind.progId.toStdString());
        for (auto it = kind.builtInDefaults.begin(); it != kind.builtInDefaults.end(); ++it) {
            const QString name = it.key().section('(', 0, 0);
            const auto m = std::find_if(members.begin(), members.end(),
                                        [&](auto& each) { return each.name == name.toStdString(); });
            ASSERT_NE(m, members.end()) << it.key().toStdString();
            const int index = it.key().contains('(') ? it.key().section('(', 1).section(')', 0, 0).toInt() : -1;
            EXPECT_EQ(index >= 0, m->index && index >= m->index->first && index <= m->index->second);
            using T = ZarvLinesParm::ValueType;
            EXPECT_EQ(it.value().typeId(),
                      m->type == T::Float        ? QMetaType::Float
                          : m->type == T::String ? QMetaType::QString
                                                 : QMetaType::Int)
                << it.key().toStdString();
        }

        const std::vector<ChartPoint> anchors{{20, 15}, {60, 35}, {70, 25}};
        const auto shapes = shapesOf(
            {kind.progId, {anchors.begin(), anchors.begin() + kind.anchorCount}, kind.builtInDefaults}, series(),
            mapping);
        ASSERT_FALSE(shapes.empty());
        expectSane(shapes);
        for (const Shape& s : shapes)
            EXPECT_LT(distanceTo({s}, pointOn(s)), 0.5) << s.role.toStdString();
        EXPECT_GT(distanceTo(shapes, mapping.plot().bottomRight() + QPointF(3000, 3000)), 1000);
        EXPECT_TRUE(painted(shapes));

        // Whatever the anchors, bars, mapping and numbers: finite shapes within the plot, or none.
        EXPECT_TRUE(shapesOf(Drawing{kind.progId, {}, kind.builtInDefaults}, series(), mapping).empty());
        for (const auto& anchors : anchorSets) {
            std::vector<Drawing> drawings{{kind.progId, anchors, kind.builtInDefaults}};
            for (double v : values) {
                Drawing d = drawings.front();
                for (auto it = d.parameters.begin(); it != d.parameters.end(); ++it)
                    if (it.value().typeId() != QMetaType::QString)
                        it.value() = v;
                drawings.push_back(d);
            }
            for (const Drawing& d : drawings) {
                for (const auto& [shapes, sane] :
                     {std::pair(shapesOf(d, series(), mapping), true), std::pair(shapesOf(d, {}, mapping), true),
                      std::pair(shapesOf(d, series(), flat), false)}) {
                    if (sane)
                        expectSane(shapes);
                    distanceTo(shapes, {60, 60});
                    painted(shapes, {120, 120});
                }
            }
        }
    }
}

TEST(ToolGeometry, LeastSquareChannelIsTheRegressionOfTheChosenPriceAndItsResidualsDeviation)
{
    const std::pair<int, double (*)(const Bar&)> prices[] = {
        {1, [](const Bar& b) { return b.open; }},
        {2, [](const Bar& b) { return b.high; }},
        {3, [](const Bar& b) { return b.low; }},
        {4, [](const Bar& b) { return b.close; }},
        {5, [](const Bar& b) { return (b.open + b.high + b.low) / 3; }},
        // The dialog shows 0 as "Open" and stores 1 for it, and stores 0 for a value it has no entry for.
        {0, [](const Bar& b) { return b.open; }},
        {9, [](const Bar& b) { return b.open; }}};
    for (auto [useToCalc, price] : prices) {
        SCOPED_TRACE(useToCalc);
        // Bars 11 to 70 lie between the anchors; the normal equations in long double.
        long double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (int i = 11; i <= 70; ++i) {
            const long double y = price(series()[i]);
            n += 1, sx += i, sy += y, sxx += i * i, sxy += i * y;
        }
        const long double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
        const long double intercept = (sy - slope * sx) / n;
        long double squares = 0;
        for (int i = 11; i <= 70; ++i)
            squares += std::pow(price(series()[i]) - intercept - slope * i, 2);
        const double sd = std::sqrt(static_cast<double>(squares / n));

        const auto shapes = shapesOf(drawing("ZarvLeastSquareClass", {{70.6, 30}, {10.4, 20}},
                                             {{"UseToCalc", useToCalc}, {"V(1)", 2.0f}, {"V(2)", 1.5f}}),
                                     series(), mapping);
        const std::pair<const char*, double> lines[] = {{"Fit", 0.0}, {"Upper", 2 * sd}, {"Lower", -1.5 * sd}};
        for (auto [role, off] : lines) {
            const auto line = withRole(shapes, role);
            ASSERT_EQ(line.size(), 1u) << role;
            for (int end : {0, 1}) {
                const double x = end ? 70 : 11;
                const QPointF expected = mapping.toPixel({x, static_cast<double>(intercept + slope * x) + off});
                EXPECT_NEAR(line[0].points[end].x(), expected.x(), 1e-6) << role;
                EXPECT_NEAR(line[0].points[end].y(), expected.y(), 1e-6) << role;
            }
        }
    }
}

TEST(ToolGeometry, EachToolIsBuiltTheWayItsDescriptionSays)
{
    enum Expect { On, Off, Absent };
    struct Row {
        QVariantMap changes;
        const char* role;
        ChartPoint point;
        Expect expect;
        QColor colour = {}; // when valid, the part's colour
        QString text = {}; // when set, a label the part shows
    };
    // The highest high and lowest low of bars 28 to 30, the range measured for an anchor at 30.
    double high = -INFINITY, low = INFINITY;
    for (int i = 28; i <= 30; ++i)
        high = std::max(high, series()[i].high), low = std::min(low, series()[i].low);
    const double up = high + 0.618 * (high - low), down = low - 1.382 * (high - low);
    const std::vector<ChartPoint> trend{{20, 10}, {60, 40}};
    const QVariantMap none, open{{"Extend", 0}}, noEnd{{"AteFim", 0}};
    // clang-format off
    const struct {
        const char* cls;
        std::vector<ChartPoint> anchors;
        std::vector<Row> rows;
    } tools[] = {
        // Level v of the move from 10 up to 40 lies at 40 - 30v, to the second anchor or, extended, to
        // the plot's right edge from the left anchor; labelled with its value.
        {"RetracementParmClass", trend,
         {{none, "V(1)", {40, 32.92}, On, QColor(255, 128, 0), "0.236"},
          {none, "V(5)", {95, 16.42}, On}, {open, "V(6)", {20, 10}, On}, {open, "V(1)", {80, 32.92}, Off},
          {{{"Numbers", 0}}, "V(1)", {40, 32.92}, On, {}, "none"}}},
        {"RetracementParmClass", {{60, 10}, {20, 40}},
         {{none, "V(3)", {30, 25}, On}, {open, "V(3)", {30, 25}, On}, {none, "V(3)", {15, 25}, Off}}},
        // Anchors on one bar: a level that has no length is no line and has no label; anchors that
        // are one point draw their levels once, not six lines and labels on top of each other.
        {"RetracementParmClass", {{30, 10}, {30, 40}},
         {{open, "V(1)", {30, 32.92}, Absent}, {none, "V(1)", {60, 32.92}, On, {}, "0.236"}}},
        {"RetracementParmClass", {{30, 20}, {30, 20}},
         {{none, "V(1)", {60, 20}, On, {}, "0.236"},
          {none, "V(2)", {60, 20}, Absent}, {open, "V(1)", {30, 20}, Absent}}},
        // Arcs about the second anchor cross the trend where a retracement would; half of them
        // faces the first anchor.
        {"ZarvArcsParmClass", trend,
         {{none, "V(3)", {40, 25}, On}, {none, "V(1)", {69.44, 47.08}, Off},
          {{{"FullCircle", 1}}, "V(1)", {69.44, 47.08}, On}}},
        {"ZarvRangerParmClass", {{30, 0}, {50, 0}},
         {{none, "Up", {40, up}, On}, {none, "Down", {40, down}, On}, {none, "Range", {29, high}, On},
          {none, "Up", {80, up}, Off}, {{{"ExtendRight", 1}}, "Up", {80, up}, On},
          {{{"Periodos", 1}}, "Range", {30, series()[30].high}, On},
          // Constants and colours left at 0 are drawn as the dialog shows and then stores them.
          {{{"Cte1", 0.0f}}, "Up", {40, up}, On}, {{{"Cte2", 0.0f}}, "Down", {40, down}, On},
          {{{"Cor1", 0}}, "Up", {40, up}, On, QColor(0, 255, 0)},
          {{{"Cor2", 0}}, "Down", {40, down}, On, QColor(255, 0, 0)}}},
        // The move of 10 from the first anchor to the second, from the third at 15, for 20 bars.
        {"ZarvExpParmClass", {{20, 10}, {40, 20}, {50, 15}},
         {{none, "V(2)", {60, 25}, On}, {none, "V(1)", {55, 21.18}, On}, {none, "V(1)", {80, 21.18}, Off},
          {{{"FExpShow", 0x11}}, "V(1)", {80, 21.18}, On}, {{{"FExpShow", 0x0D}}, "V(2)", {60, 25}, Absent}}},
        {"zarvFanParmClass", trend,
         {{none, "50% line", {80, 32.5}, On}, {noEnd, "50% line", {80, 32.5}, Off},
          {noEnd, "61.8% line", {40, 15.73}, On}, {noEnd, "76.4/23.6% line", {40, 13.54}, On},
          {{{"FanShow", 0x0D}}, "50% line", {40, 17.5}, Absent},
          {{{"HLines", 1}}, "HLines", {75, 25}, On}, {none, "HLines", {75, 25}, Absent}}},
        // The median from (20, 25) through (40, 25), tines at 35 and 15.
        {"ZarvForkParmClass", {{20, 25}, {40, 35}, {40, 15}},
         {{none, "Fork", {90, 25}, On}, {none, "Fork", {90, 15}, On},
          {none, "Internal", {80, 30}, On}, {none, "External", {80, 45}, On},
          {{{"ForkShow", 1}}, "External", {80, 45}, Absent}, {{{"ForkShow", 2}}, "Internal", {80, 30}, Absent}}},
        // The channel from (20, 10) to (60, 30), 10 wide, up to the third anchor; a line wholly off
        // the chart is left out, not pressed against its edge.
        {"ZarvDravelPArmClass", {{20, 10}, {60, 30}, {40, 30}},
         {{none, "External", {60, 40}, On}, {none, "V(1)", {40, 23.82}, On},
          {{{"V(2)", 0.5f}}, "V(2)", {20, 15}, On}, {{{"V(1)", 5.0f}}, "V(1)", {40, 70}, Absent}}},
        // Zones from 10 up to 40 alternate the odd and even colours, from the first anchor's line; a
        // number outside 1 to 50 draws 8.
        {"ZarvGannParmClass", {{20, 10}, {40, 40}},
         {{{{"NZones", 1}, {"Cor(1)", 0x0000FF}}, "Odd", {30, 10}, On, Qt::red},
          {{{"NZones", 1}, {"Cor(2)", 0x00FF00}}, "Even", {30, 40}, On, Qt::green},
          {{{"NZones", 5}}, "Even", {30, 16}, On},     {{{"NZones", 5}}, "Odd", {30, 46}, Off},
          {{{"NZones", 50}}, "Even", {30, 10.6}, On},  {{{"NZones", 50}}, "Odd", {30, 40}, On},
          {{{"NZones", 8}}, "Even", {30, 13.75}, On},  {{{"NZones", 0}}, "Even", {30, 13.75}, On},
          {{{"NZones", 51}}, "Even", {30, 13.75}, On}, {{{"NZones", -3}}, "Even", {30, 13.75}, On}}},
        // Zones on one bar have no lines; 50 zones 3.7 pixels high leave out every line within a
        // pixel of the last one drawn: the 14th, 28th and 42nd are drawn, all odd lines.
        {"ZarvGannParmClass", {{30, 10}, {30, 40}},
         {{none, "Odd", {30, 10}, Absent}, {none, "Even", {30, 13.75}, Absent}}},
        {"ZarvGannParmClass", {{20, 10}, {40, 10.37}},
         {{{{"NZones", 50}}, "Odd", {30, 10.1036}, On}, {{{"NZones", 50}}, "Even", {30, 10.0074}, Absent}}},
        {"GannFanParmClass", {{20, 10}, {30, 15}},
         {{none, "1x1", {40, 20}, On}, {none, "V(4)", {35, 25}, On}, {none, "V(3)", {40, 15}, On}}},
        // About 16, whose root is 4: 90 degrees on is 4.5 squared, a turn on 6 squared.
        {"GannSQ9ParmClass", {{20, 16}},
         {{none, "Price", {50, 20.25}, On}, {none, "Price", {50, 36}, On},
          {{{"UpDown", 1}}, "Price", {50, 12.25}, On}, {{{"Step", 0.25f}}, "Price", {50, 18.0625}, On},
          {{{"Price", 0.0f}}, "Price", {50, 16}, Absent},
          {none, "Time", {24, 5}, On}, {{{"Time", 16}}, "Time", {29, 5}, On},
          // Price flags given as a float are stored rounded, halves to even: 2.5 is 2, the angle 45.
          {{{"Price", 2.5f}}, "Price", {50, 16}, Off}, {{{"Price", 2.5f}}, "Price", {50, 18.0625}, On},
          // A small step goes on past 64 turns to the top of the chart; one so small that the
          // turns lie closer than a pixel draws none of them rather than a band.
          {{{"Step", 0.0005f}}, "Price", {50, 48.3249}, On}, {{{"Step", 1e-6f}}, "Price", {50, 16}, Absent}}},
        {"CircleElipseCls", {{20, 10}, {40, 30}},
         {{none, "Ellipse", {40, 20}, On}, {none, "Ellipse", {30, 20}, Off}, {{{"Fill", 1}}, "Ellipse", {30, 20}, On}}},
    };
    // clang-format on
    for (const auto& tool : tools) {
        for (const Row& row : tool.rows) {
            SCOPED_TRACE(::testing::Message()
                         << tool.cls << " " << row.role << " at " << row.point.x << ", " << row.point.y);
            const Drawing d = drawing(tool.cls, tool.anchors, row.changes);
            const auto parts = withRole(shapesOf(d, series(), mapping), row.role);
            if (row.expect == Absent) {
                EXPECT_TRUE(parts.empty());
                continue;
            }
            const double distance = distanceTo(parts, mapping.toPixel(row.point));
            if (row.expect == On)
                EXPECT_LT(distance, 0.5);
            else
                EXPECT_GT(distance, 3);
            for (const Shape& s : parts)
                EXPECT_TRUE(!row.colour.isValid() || s.colour == row.colour) << s.colour.name().toStdString();
            if (!row.text.isEmpty()) {
                const auto label = std::ranges::find(parts, Shape::Kind::Text, &Shape::kind);
                EXPECT_EQ(label == parts.end() ? "none" : label->text, row.text);
            }
        }
    }
}

TEST(ToolGeometry, DistanceReachesLinesArcsEllipsesAndText)
{
    auto shape = [](Shape::Kind kind, QRectF rect, QColor fill = {}) {
        Shape s;
        s.kind = kind, s.rect = rect, s.fill = fill, s.startAngle = 0, s.spanAngle = 90;
        return s;
    };
    Shape line;
    line.points = {QPointF(0, 0), QPointF(10, 0)};
    const QRectF circle(-10, -10, 20, 20);
    // clang-format off
    const struct { Shape shape; QPointF point; double distance; } rows[] = {
        {line, {5, 3}, 3}, {line, {13, 4}, 5},
        // The quarter from three to twelve o'clock: a point left of the circle is nearest its end.
        {shape(Shape::Kind::Arc, circle), {-20, 0}, std::hypot(20, 10)},
        {shape(Shape::Kind::Arc, circle), {20, -20}, std::hypot(20, 20) - 10},
        {shape(Shape::Kind::Ellipse, QRectF(-10, -5, 20, 10)), {0, 0}, 5},
        {shape(Shape::Kind::Ellipse, QRectF(-10, -5, 20, 10), Qt::red), {0, 0}, 0},
        {shape(Shape::Kind::Ellipse, QRectF(-10, -5, 20, 10), Qt::red), {0, 10}, 5},
        {shape(Shape::Kind::Text, QRectF(0, -10, 30, 12)), {10, -5}, 0},
        {shape(Shape::Kind::Text, QRectF(0, -10, 30, 12)), {40, 0}, 10},
    };
    // clang-format on
    for (const auto& row : rows)
        EXPECT_NEAR(distanceTo({row.shape}, row.point), row.distance, 0.01) << row.point.x() << ", " << row.point.y();
    EXPECT_EQ(distanceTo({}, {0, 0}), std::numeric_limits<double>::infinity());
}

/// `s` painted by paintShapes and by `stroke` with the painter's own cosmetic pen of its colour
/// (antialiased when `smooth`), each on a white image of 100 by 80 at `scale`, clipped alike.
std::pair<QImage, QImage> paintedBoth(const Shape& s, double scale, bool smooth,
                                      const std::function<void(QPainter&)>& stroke)
{
    QImage ours(QSize(100, 80) * scale, QImage::Format_ARGB32_Premultiplied);
    ours.setDevicePixelRatio(scale);
    ours.fill(Qt::white);
    QImage theirs(ours);
    QPainter onOurs(&ours), onTheirs(&theirs);
    for (QPainter* p : {&onOurs, &onTheirs})
        p->setClipRect(QRectF(5, 5, 88, 64));
    paintShapes(onOurs, {s});
    QPen pen(s.colour, 1);
    pen.setCosmetic(true);
    onTheirs.setPen(pen);
    onTheirs.setRenderHint(QPainter::Antialiasing, smooth);
    stroke(onTheirs);
    onOurs.end(), onTheirs.end();
    return {ours, theirs};
}

// Thin lines are filled or stroked straight into the image's pixels: where the painter's own
// thin lines lie. A line across or down covers exactly the pixels a pen without antialiasing
// does; any other line spreads each column's (or row's) pixel of ink over the same two pixels,
// about the same middle, as the painter's antialiased line. At 1x and 2x, clipped.
TEST(ToolGeometry, ThinLinesLieWhereThePaintersOwnDo)
{
    const QLineF lines[] = {{10.3, 20.6, 90.7, 20.6},   {90.2, 30.0, 3.5, 30.0}, {40.5, 2.0, 40.5, 70.0},
                            {55.75, 66.2, 55.75, 12.5}, {3.3, 10.7, 97.6, 31.2}, {97.6, 50.2, 2.1, 8.8},
                            {20.25, 2.5, 31.5, 75.25},  {80.9, 70.1, 60.2, 3.3}, {10.0, 10.0, 60.0, 60.0},
                            {12.6, 64.5, 72.6, 4.5}};
    const QColor colour(0, 90, 200);
    for (const double scale : {1.0, 2.0}) {
        for (const QLineF& line : lines) {
            SCOPED_TRACE(::testing::Message() << line.p1().x() << "," << line.p1().y() << " to " << line.p2().x() << ","
                                              << line.p2().y() << " at " << scale << "x");
            const bool straight = line.dx() == 0 || line.dy() == 0;
            Shape s;
            s.points = {line.p1(), line.p2()};
            s.colour = colour;
            const auto [ours, theirs] = paintedBoth(s, scale, !straight, [&](QPainter& p) { p.drawLine(line); });
            if (straight) {
                EXPECT_TRUE(ours == theirs);
                continue;
            }
            // Down each column (across each row, for a steep line), away from the ends: the ink
            // and its middle.
            const bool steep = std::abs(line.dy()) > std::abs(line.dx());
            const int from = int(std::min(steep ? line.y1() : line.x1(), steep ? line.y2() : line.x2()) * scale) + 2;
            const int to = int(std::max(steep ? line.y1() : line.x1(), steep ? line.y2() : line.x2()) * scale) - 2;
            int columns = 0;
            for (int c = std::max(from, int(6 * scale)); c <= std::min(to, int(92 * scale)); ++c) {
                double ink[2] = {}, middle[2] = {};
                for (int r = 0; r < (steep ? ours.width() : ours.height()); ++r)
                    for (int k : {0, 1}) {
                        const QImage& image = k ? theirs : ours;
                        const double a = (255 - qRed(steep ? image.pixel(r, c) : image.pixel(c, r))) / 255.0;
                        ink[k] += a, middle[k] += a * r;
                    }
                if (ink[1] < 0.99)
                    continue; // clipped away
                ++columns;
                EXPECT_NEAR(ink[0], ink[1], 0.02) << "column " << c;
                EXPECT_NEAR(middle[0] / ink[0], middle[1] / ink[1], 0.06) << "column " << c;
            }
            EXPECT_GT(columns, 10);
        }
    }
}

// An arc or an ellipse partly out of the clip is stroked only where it can be seen: it must look
// as the whole curve stroked and clipped does, whether its middle is in view or far away.
TEST(ToolGeometry, CurvesCutToTheClipLookAsTheWholeCurveClipped)
{
    auto curve = [](Shape::Kind kind, QRectF rect, double start = 0, double span = 360) {
        Shape s;
        s.kind = kind, s.rect = rect, s.startAngle = start, s.spanAngle = span, s.colour = QColor(0, 0, 160);
        return s;
    };
    const Shape shapes[] = {curve(Shape::Kind::Ellipse, QRectF(-40, 10, 120, 50)),
                            curve(Shape::Kind::Ellipse, QRectF(20, -300, 60, 700)),
                            curve(Shape::Kind::Arc, QRectF(30, 30, 100, 100), 30, 200),
                            curve(Shape::Kind::Arc, QRectF(30, 30, 100, 100), 200, -300),
                            curve(Shape::Kind::Arc, QRectF(-1950, 40, 4000, 4000), 0, 360),
                            curve(Shape::Kind::Arc, QRectF(10, 10, 40, 30), 45, 90)};
    for (const Shape& s : shapes) {
        SCOPED_TRACE(::testing::Message() << s.rect.x() << "," << s.rect.y() << " " << s.rect.width() << "x"
                                          << s.rect.height() << " from " << s.startAngle << " over " << s.spanAngle);
        const auto [cut, whole] = paintedBoth(s, 1, true, [&](QPainter& p) {
            if (s.kind == Shape::Kind::Ellipse)
                p.drawEllipse(s.rect);
            else
                p.drawArc(s.rect, qRound(s.startAngle * 16), qRound(s.spanAngle * 16));
        });
        // The curve's pieces are curves of their own: a shade's difference where they meet, no more.
        int ink = 0, off = 0;
        for (int y = 0; y < cut.height(); ++y)
            for (int x = 0; x < cut.width(); ++x) {
                ink += qRed(whole.pixel(x, y)) < 128;
                off += std::abs(qRed(cut.pixel(x, y)) - qRed(whole.pixel(x, y))) > 64;
            }
        EXPECT_GT(ink, 20);
        EXPECT_LE(off, 3);
    }
}
