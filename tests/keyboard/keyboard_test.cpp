// Every dialog by keyboard: each control in the order Tab visits it, standing beside the label
// that names it; Space on the swatches, each editing its own colour; Enter and Escape on every
// kind of control; a focus ring that shows in light and dark themes; text that fits at twice the
// pixel density with a 20-point font. What a screen reader hears over the accessibility bus
// itself is checked in tests/a11y.

#include "support/ModalDriver.h"
#include "support/ToolDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

// A control of a dialog: `label` is the text that names it for the user (a label beside it, or
// its own caption), none for a cell of a table that its row and column name; `member` is the
// colour a swatch edits.
struct Control {
    const char* name;
    const char* label;
    const char* member = nullptr;
    const char* labelName = nullptr; // the label's own name, where a label names the control
};

// A dialog as the host opens it (`host` over distinct colours), its controls in reading order.
struct Form {
    std::string name;
    std::string progId;
    Values host;
    std::vector<Control> controls;
    const char* heading = nullptr; // over the six numbered boxes
};

void PrintTo(const Form& form, std::ostream* os) { *os << form.name; }

// The six value boxes numbered 1 to 3 down the left column and 4 to 6 down the right.
std::vector<Control> numbered(std::vector<Control> before)
{
    // clang-format off
    for (const Control& box : {Control{"V(0)", "1", nullptr, "Label2"}, {"V(3)", "4", nullptr, "Label5"},
                               {"V(1)", "2", nullptr, "Label7"}, {"V(4)", "5", nullptr, "Label4"},
                               {"V(2)", "3", nullptr, "Label6"}, {"V(5)", "6", nullptr, "Label3"}})
        before.push_back(box);
    // clang-format on
    return before;
}

const char* const fanLines[4] = {"38.2% line", "50% line", "61.8% line", "76.4/23.6% line"};

// clang-format off
const std::vector<Form> forms{
    {"Retracement", "ZarvLinesParm.RetracementParmClass", {},
     numbered({{"Cor1(0)", "Lines Color", "Cor(1)", "Label8"}, {"Extend", "Extend to end"},
               {"Numbers", "Show values"}}), "Retracement Values"},
    {"Arcs", "ZarvLinesParm.ZarvArcsParmClass", {},
     numbered({{"Cor1(0)", "Lines Color", "Cor(1)", "Label8"}, {"Check1", "Full Circle"}}), "Values"},
    {"Range", "ZarvLinesParm.ZarvRangerParmClass", {{"ExtendRightCaption", "Extend Right"}},
     {{"Per", "Periods", nullptr, "Label1"}, {"Ct1", "Const1", nullptr, "Label6"}, {"Ct2", "Const2", nullptr, "Label5"},
      {"Cor1", "Up", "Cor1", "Label4"}, {"Cor2", "Down", "Cor2", "Label3"}, {"Cor3", "Range", "Cor3", "Label2"},
      {"ExtendRight", "Extend Right"}}},
    {"Expansion", "ZarvLinesParm.ZarvExpParmClass", {{"Caption", "Expansion"}},
     {{"Cor1(0)", nullptr, "Cor(1)"}, {"V(0)", nullptr}, {"FEShow(0)", "Show"},
      {"Cor1(1)", nullptr, "Cor(2)"}, {"V(1)", nullptr}, {"FEShow(1)", "Show"},
      {"Cor1(2)", nullptr, "Cor(3)"}, {"V(2)", nullptr}, {"FEShow(2)", "Show"},
      {"Cor1(3)", nullptr, "Cor(4)"}, {"V(3)", nullptr}, {"FEShow(3)", "Show"},
      {"AteFim", "Extend to end"}}},
    {"ExpansionReduced", "ZarvLinesParm.ZarvExpParmClass", {{"Caption", "Brastel Options"}},
     {{"Cor1(0)", nullptr, "Cor(1)"}, {"FEShow(0)", "Show"}, {"Cor1(1)", nullptr, "Cor(2)"}, {"FEShow(1)", "Show"},
      {"Cor1(2)", nullptr, "Cor(3)"}, {"FEShow(2)", "Show"}, {"Cor1(3)", nullptr, "Cor(4)"}, {"FEShow(3)", "Show"}}},
    {"Fan", "ZarvLinesParm.zarvFanParmClass", {},
     {{"Cor1(0)", fanLines[0], "Cor(1)", "Label1"}, {"FanShow(0)", fanLines[0], nullptr, "Label1"},
      {"Cor1(1)", fanLines[1], "Cor(2)", "Label2"}, {"FanShow(1)", fanLines[1], nullptr, "Label2"},
      {"Cor1(2)", fanLines[2], "Cor(3)", "Label3"}, {"FanShow(2)", fanLines[2], nullptr, "Label3"},
      {"Cor1(3)", fanLines[3], "Cor(4)", "Label4"}, {"FanShow(3)", fanLines[3], nullptr, "Label4"},
      {"HLine", "Horizontal Line"}, {"AteFim", "Extend to end"}}},
    {"Fork", "ZarvLinesParm.ZarvForkParmClass", {},
     {{"Cor1(0)", "Internal lines", "Cor(1)", "Label1"}, {"ForkShow(0)", "Internal lines", nullptr, "Label1"},
      {"Cor1(1)", "External lines", "Cor(2)", "Label3"}, {"ForkShow(1)", "External lines", nullptr, "Label3"},
      {"Cor1(2)", "Fork lines", "Cor(3)", "Label2"}}},
    {"Dravel", "ZarvLinesParm.ZarvDravelPArmClass", {},
     {{"Cor1(0)", "External Lines Color", "Cor(1)", "Label1"}, {"Cor1(1)", "Internal Lines Color", "Cor(2)", "Label2"},
      {"V(0)", "Internal Lines Factor 1", nullptr, "Label3"}, {"V(1)", "Internal Lines Factor 2", nullptr, "Label4"}}},
    // The Price column's boxes are cells of a table, named by their column and the angle beyond
    // the Time box; each Time box stands beside its angle.
    {"SquareOfNine", "ZarvLinesParm.GannSQ9ParmClass", {},
     {{"Price(0)", "Price", nullptr, "Label2"}, {"Time(0)", "0", nullptr, "Label5"},
      {"Price(1)", nullptr}, {"Time(1)", "45", nullptr, "Label6"}, {"Cor1", "Line color", "Cor", "Label1"},
      {"Price(2)", nullptr}, {"Time(2)", "90", nullptr, "Label7"},
      {"Price(3)", nullptr}, {"Time(3)", "135", nullptr, "Label8"}, {"Option1(0)", "Up"},
      {"Price(4)", nullptr}, {"Time(4)", "180", nullptr, "Label9"}, {"Option1(1)", "Down"},
      {"Price(5)", nullptr}, {"Time(5)", "225", nullptr, "Label10"},
      {"Price(6)", nullptr}, {"Time(6)", "270", nullptr, "Label11"}, {"Text1", "Step", nullptr, "Label14"},
      {"Price(7)", nullptr}, {"Time(7)", "315", nullptr, "Label12"}}},
    {"GannZones", "ZarvLinesParm.ZarvGannParmClass", {},
     {{"NZones", "Number of zones", nullptr, "Label1"}, {"Cor1(0)", "Odd line color", "Cor(1)", "Label3"},
      {"Cor1(1)", "Even line color", "Cor(2)", "Label2"}}},
    {"GannFan", "ZarvLinesParm.GannFanParmClass", {},
     numbered({{"Cor1(0)", "Lines Color", "Cor(1)", "Label8"}}), "Values"},
    {"LeastSquare", "ZarvLinesParm.ZarvLeastSquareClass", {},
     {{"Cor1(0)", "Least Square Line", "Cor(1)", "Label3"},
      {"Cor1(1)", "Upper", "Cor(2)", "Label1"}, {"V(0)", "Number of Std. Dev.", nullptr, "Label4"},
      {"Cor1(2)", "Lower", "Cor(3)", "Label2"}, {"V(1)", nullptr}, {"Use", "Based on", nullptr, "Label5"}}},
    {"Circle", "ZarvLinesParm.CircleElipseCls", {},
     {{"Cor1(0)", "Outline Color", "Cor(1)", "Label1"}, {"Cor1(1)", "Fill Color", "Cor(2)", "Label2"},
      {"Fill", "Fill"}}},
};
// clang-format on

class EveryDialog : public ::testing::TestWithParam<Form> {
protected:
    // Every colour distinct, then the form's own values.
    void SetUp() override
    {
        object_ = CreateObject(GetParam().progId);
        std::int32_t colour = 0x102030;
        for (const MemberInfo& m : Describe(GetParam().progId))
            for (int i = m.index ? m.index->first : 0;
                 m.type == ValueType::Int32 && i <= (m.index ? m.index->second : 0); ++i)
                colours_[m.index ? m.name + "(" + std::to_string(i) + ")" : m.name] = colour += 0x050403;
        setAll(*object_, colours_.with(GetParam().host));
    }

    // Runs Start with "Save as Default" offered, and `user` on the dialog once it shows; then
    // presses nothing more.
    void start(std::function<void(QDialog&)> user)
    {
        whenModal({}, std::move(user));
        testsupport::start(*object_, 1);
    }

    // The form's controls and then the three buttons, in the order Tab visits them.
    static std::vector<Control> everyControl()
    {
        std::vector<Control> all = GetParam().controls;
        all.insert(all.end(), {{"Command1", "OK"}, {"Command2", "Cancel"}, {"Command3", "Save as Default"}});
        return all;
    }

    std::unique_ptr<Object> object_;
    Values colours_;
};

bool isSwatch(const QWidget* w) { return qobject_cast<const frame::Swatch*>(w) != nullptr; }

QRect placeOf(const QWidget* w, const QDialog& d) { return QRect(w->mapTo(&d, QPoint(0, 0)), w->size()); }

std::string nameOf(const QWidget* w) { return w ? w->objectName().toStdString() : "(none)"; }

// The control with the focus; an editable list's text field stands for its list.
QWidget* focused()
{
    QWidget* w = QApplication::focusWidget();
    return w && qobject_cast<QComboBox*>(w->parentWidget()) ? w->parentWidget() : w;
}

// Where the label showing `text` is, an empty rectangle where there is none.
QRect placeOfLabel(const QDialog& d, const QString& text)
{
    for (const QLabel* l : d.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (l->text() == text && !isSwatch(l))
            return placeOf(l, d);
    return {};
}

// Whether `label` stands right beside `control` as the user sees them: in the same row, or right
// above it, with nothing of the dialog between them.
bool standsBeside(QDialog& d, const QWidget* label, const QWidget* control)
{
    const QRect l = placeOf(label, d), c = placeOf(control, d);
    QRect gap;
    if (l.center().y() >= c.top() && l.center().y() <= c.bottom() && (l.right() < c.left() || c.right() < l.left()))
        gap = l.right() < c.left() ? QRect(QPoint(l.right() + 1, c.top()), QPoint(c.left() - 1, c.bottom()))
                                   : QRect(QPoint(c.right() + 1, c.top()), QPoint(l.left() - 1, c.bottom()));
    else if (l.bottom() < c.top() && l.left() <= c.right() && l.right() >= c.left())
        gap = QRect(QPoint(std::max(l.left(), c.left()), l.bottom() + 1),
                    QPoint(std::min(l.right(), c.right()), c.top() - 1));
    else
        return false;
    const QList<QWidget*> others = d.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    return std::none_of(others.begin(), others.end(), [&](const QWidget* w) {
        return w != label && w != control && w->isVisibleTo(&d) && !w->isWindow() && placeOf(w, d).intersects(gap);
    });
}

// Contrast ratio of two colours by their relative luminance, as accessibility guidelines reckon it.
double contrast(QColor a, QColor b)
{
    auto luminance = [](QColor c) {
        auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// The style's own light theme, and a dark one as dark desktops set it.
QPalette theme(bool dark)
{
    QPalette p = QApplication::style()->standardPalette();
    if (!dark)
        return p;
    const QColor window(0x35, 0x35, 0x35), base(0x25, 0x25, 0x25), text(0xf0, 0xf0, 0xf0);
    // clang-format off
    for (const auto& [role, colour] : {std::pair{QPalette::Window, window}, {QPalette::Button, window},
                                       {QPalette::Base, base}, {QPalette::AlternateBase, window},
                                       {QPalette::WindowText, text}, {QPalette::ButtonText, text},
                                       {QPalette::Text, text}, {QPalette::Highlight, QColor(0x2a, 0x82, 0xda)}})
        p.setColor(role, colour);
    // clang-format on
    return p;
}

// `area` of the dialog as it is drawn at `ratio` device pixels to the pixel.
QImage drawn(QDialog& d, const QRect& area, qreal ratio)
{
    QImage image(area.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    d.render(&image, QPoint(), QRegion(area));
    return image;
}

// The colour most of `rect` shows, shades a gradient spreads over counted as one.
QColor mostCommonColour(const QImage& image, const QRect& rect)
{
    std::map<QRgb, int> counts;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++counts[image.pixel(x, y) & 0xF0F0F0];
    const QRgb shade = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                           return a.second < b.second;
                       })->first;
    return QColor(shade | 0x080808);
}

// Whether `pixels` go round the control at `control`: they spread over at least nine tenths of
// its width and height, centred on it, and are at least as many as a one-pixel outline of
// their extent (a ring, not a line under the control or a dotted frame).
bool goRound(const std::vector<QPoint>& pixels, const QRect& control)
{
    if (pixels.empty())
        return false;
    QRect extent(pixels.front(), QSize(1, 1));
    for (const QPoint& p : pixels)
        extent |= QRect(p, QSize(1, 1));
    const QPoint off = extent.center() - control.center();
    return extent.width() * 10 >= control.width() * 9 && extent.height() * 10 >= control.height() * 9
        && std::abs(off.x()) * 10 <= control.width() && std::abs(off.y()) * 10 <= control.height()
        && qsizetype(pixels.size()) >= 2 * (extent.width() + extent.height()) - 4;
}

} // namespace

TEST_P(EveryDialog, TabVisitsEachControlBesideTheLabelThatNamesItInReadingOrderThenTheButtons)
{
    start([](QDialog& d) {
        QApplication::setActiveWindow(&d);
        const std::vector<Control> expected = everyControl();
        // As when a screen reader starts to listen while the dialog is open: its controls are named then.
        QAccessible::setActive(true);
        // The first value box, or else the first control, has the focus when the dialog opens.
        const auto first = std::find_if(expected.begin(), expected.end(),
                                        [&](const Control& c) { return d.findChild<QLineEdit*>(c.name); });
        EXPECT_EQ(nameOf(focused()), (first != expected.end() ? first : expected.begin())->name);

        child<QWidget>(d, expected.front().name).setFocus();
        std::vector<QWidget*> visited{focused()};
        for (std::size_t i = 1; i <= expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &d, Qt::Key_Tab);
            visited.push_back(focused());
        }
        EXPECT_EQ(visited.back(), visited.front()) << "Tab does not come round to the first control";
        for (std::size_t i = 0; i < expected.size(); ++i) {
            QWidget* w = visited[i];
            ASSERT_EQ(nameOf(w), expected[i].name) << "Tab visits controls out of order, or others, at " << i;
            for (const QWidget* other : d.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                EXPECT_FALSE(other != w && other->isVisibleTo(&d) && !other->isWindow()
                             && placeOf(other, d).intersects(placeOf(w, d)))
                    << nameOf(w) << " covers " << nameOf(other);
            if (i > 0) {
                // Reading order: to the right in the same row, or in a lower row.
                const QRect a = placeOf(visited[i - 1], d), b = placeOf(w, d);
                const bool sameRow = b.center().y() >= a.top() && b.center().y() <= a.bottom();
                EXPECT_TRUE(sameRow ? b.left() > a.left() : b.center().y() > a.center().y())
                    << nameOf(w) << " does not follow " << nameOf(visited[i - 1]) << " in reading order";
            }
            // A box or option is told as one a screen reader can say checked or not, and which.
            if (const auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable()) {
                const QAccessible::State state = QAccessible::queryAccessibleInterface(w)->state();
                EXPECT_TRUE(state.checkable && bool(state.checked) == button->isChecked())
                    << nameOf(w) << " is not told as checkable";
            }
            const QString label = QString::fromUtf8(expected[i].label ? expected[i].label : "");
            if (label.isEmpty())
                continue;
            const auto* button = qobject_cast<QAbstractButton*>(w);
            const bool captioned = button && button->text() == label
                && !(dynamic_cast<frame::CheckBox*>(w) && dynamic_cast<frame::CheckBox*>(w)->showsBoxOnly());
            const QList<QLabel*> labels = d.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
            EXPECT_TRUE(captioned
                        || std::any_of(labels.begin(), labels.end(),
                                       [&](QLabel* l) {
                                           return l->text() == label && !isSwatch(l) && l->isVisibleTo(&d)
                                               && standsBeside(d, l, w)
                                               && (!expected[i].labelName
                                                   || l->objectName() == QLatin1String(expected[i].labelName));
                                       }))
                << nameOf(w) << " does not stand beside \"" << expected[i].label << "\" ("
                << (expected[i].labelName ? expected[i].labelName : "its caption") << ")";
            EXPECT_TRUE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).contains(label))
                << nameOf(w) << " is not named after \"" << expected[i].label << "\"";
        }
        // No row of the form is empty, and a row with a control starts at the form's left edge
        // (a heading may stand over a later column): a control put a row too low or a column too
        // far leaves a gap. Every column but a gap given its width has something starting in it: a
        // control spanning a column too many adds a column of nothing.
        for (const QGridLayout* grid : d.findChildren<QGridLayout*>()) {
            const std::size_t rowCount = std::size_t(grid->rowCount());
            std::vector<int> first(rowCount, grid->columnCount());
            std::vector<bool> holdsControl(rowCount), columnUsed(std::size_t(grid->columnCount()));
            for (int k = 0, row, column, rows, columns; k < grid->count(); ++k) {
                grid->getItemPosition(k, &row, &column, &rows, &columns);
                columnUsed[std::size_t(column)] = true;
                const QWidget* w = grid->itemAt(k)->widget();
                for (std::size_t r = std::size_t(row); r < std::size_t(row + rows); ++r) {
                    first[r] = std::min(first[r], column);
                    holdsControl[r] = holdsControl[r] || !qobject_cast<const QLabel*>(w) || isSwatch(w);
                }
            }
            for (std::size_t r = 0; r < rowCount; ++r)
                EXPECT_TRUE(first[r] == 0 || (first[r] < grid->columnCount() && !holdsControl[r]))
                    << "row " << r << " of " << nameOf(grid->parentWidget()) << " starts at column " << first[r];
            for (int c = 0; c < grid->columnCount(); ++c)
                EXPECT_TRUE(columnUsed[std::size_t(c)] || grid->columnMinimumWidth(c) > 0) // a gap given a width
                    << "column " << c << " of " << nameOf(grid->parentWidget()) << " is empty";
        }
        // The heading of the numbered boxes stands over both columns, from the numbers' left edge on.
        if (const char* heading = GetParam().heading) {
            const QRect h = placeOfLabel(d, heading), one = placeOfLabel(d, "1"),
                        four = placeOf(&child<QWidget>(d, "V(3)"), d);
            EXPECT_TRUE(h.isValid() && h.bottom() < one.top() && h.left() <= one.left() && h.right() >= four.left())
                << heading << " does not stand over the numbered boxes";
        }
        d.close();
    });
}

TEST_P(EveryDialog, SpaceOnASwatchChoosesAColourForItsOwnMemberAsAClickDoes)
{
    Values expected = colours_;
    start([&](QDialog& d) {
        // Found by type, swatches are the controls that edit a colour: no caption or other label.
        EXPECT_EQ(std::size_t(d.findChildren<frame::Swatch*>().size()),
                  std::size_t(std::ranges::count_if(GetParam().controls, [](const Control& c) { return c.member; })));
        std::int32_t rgb = 0x123456;
        for (const Control& c : GetParam().controls) {
            auto* swatch = d.findChild<frame::Swatch*>(c.name);
            if (!swatch)
                continue;
            ASSERT_TRUE(c.member) << c.name << " edits no known colour";
            const std::int32_t before = swatch->colour();
            // The colour as the dialog draws it, in the middle of the swatch.
            const auto drawnColour = [&] {
                const QImage image = drawn(d, swatch->geometry(), 1);
                return frame::rgbOf(image.pixelColor(image.rect().center()));
            };
            EXPECT_TRUE(sameValue(drawnColour(), colours_.at(c.member))) << c.name << " does not show " << c.member;
            const auto space = [&] {
                swatch->setFocus();
                QTest::keyClick(swatch, Qt::Key_Space);
            };
            rgb += 0x010203;
            EXPECT_EQ(chooseColourWith(d, space, rgb), before) << c.name;
            EXPECT_EQ(drawnColour(), rgb) << c.name;
            EXPECT_EQ(QAccessible::queryAccessibleInterface(swatch)->text(QAccessible::Description),
                      frame::colourOf(rgb).name(QColor::HexRgb).toUpper());
            expected[c.member] = rgb;
        }
        press(d, "Command1");
    });
    // Each chosen colour went into its own member, and no other colour changed.
    const Values after = readAll(*object_);
    for (const auto& [member, colour] : expected)
        EXPECT_TRUE(sameValue(after.at(member), colour)) << member;
}

TEST_P(EveryDialog, EnterAndEscapeOnEveryControlCloseNothingAndStoreNothing)
{
    start([this](QDialog& d) {
        const Values before = readAll(*object_);
        for (const Control& c : everyControl()) {
            QWidget& w = child<QWidget>(d, c.name);
            w.setFocus();
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, key);
                ASSERT_TRUE(d.isVisible()) << c.name << " closed the dialog";
            }
        }
        EXPECT_EQ(readAll(*object_), before);
        d.close();
    });
}

TEST_P(EveryDialog, NoTextIsClippedAtDoubleDensityWithALargeFont)
{
    start([](QDialog& d) {
        EXPECT_EQ(d.devicePixelRatio(), 2.0);
        EXPECT_GE(QApplication::font().pointSize(), 20);
        for (QWidget* w : d.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&d) || isSwatch(w) || qobject_cast<QComboBox*>(w->parentWidget()))
                continue;
            if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w)
                && !qobject_cast<QComboBox*>(w))
                continue;
            const QSize hint = w->sizeHint();
            EXPECT_GE(w->width(), hint.width()) << nameOf(w) << " is clipped";
            EXPECT_GE(w->height(), hint.height()) << nameOf(w) << " is clipped";
        }
        // A number label stands against the box it names, whichever column it is in.
        const int spacing = std::max(d.findChild<QGridLayout*>()->horizontalSpacing(), 6);
        for (QLabel* label : d.findChildren<QLabel*>()) {
            bool number = false;
            label->text().toInt(&number);
            if (!number || !label->buddy())
                continue;
            const QRect text = QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                                                   label->fontMetrics().size(0, label->text()), label->contentsRect())
                                   .translated(label->pos());
            const QRect box = label->buddy()->geometry();
            const int gap = box.left() > text.right() ? box.left() - text.right() : text.left() - box.right();
            EXPECT_LE(gap, spacing + 2) << nameOf(label) << " \"" << label->text().toStdString()
                                        << "\" stands apart from its box";
        }
        d.close();
    });
}

// The indicator is whatever changes when the control takes the focus. Part of it must ring the
// control at 3:1 or more against the dialog's background, and part against the control's own
// fill (its most common colour); swatches also on the fills a ring could vanish into, and with no
// focus a border that rings them against the background they may share.
TEST_P(EveryDialog, EveryFocusedControlIsRingedVisiblyAgainstItsFillAndTheBackground)
{
    start([](QDialog& d) {
        QApplication::setActiveWindow(&d);
        for (const bool dark : {false, true}) {
            d.setPalette(theme(dark));
            const QColor background = d.palette().color(QPalette::Window);
            for (const Control& c : everyControl()) {
                QWidget* w = &child<QWidget>(d, c.name);
                auto* swatch = qobject_cast<frame::Swatch*>(w);
                std::vector<std::optional<QColor>> fills{std::nullopt};
                if (swatch)
                    fills = {d.palette().color(QPalette::WindowText), background, QColor(0x77, 0x77, 0x77)};
                for (const std::optional<QColor>& fill : fills) {
                    if (fill)
                        swatch->setColour(frame::rgbOf(*fill));
                    const QRect place = placeOf(w, d);
                    const QRect area = place.adjusted(-6, -6, 6, 6) & d.rect();
                    for (const qreal ratio : {1.0, 2.0}) {
                        // As the dialog gives it when it opens: no key pressed before.
                        w->setFocus(Qt::OtherFocusReason);
                        const QImage on = drawn(d, area, ratio);
                        w->clearFocus();
                        const QImage off = drawn(d, area, ratio);
                        const QRect control((place.topLeft() - area.topLeft()) * ratio, place.size() * ratio);
                        const QColor own = mostCommonColour(off, control);
                        std::vector<QPoint> againstFill, againstBackground;
                        for (int y = 0; y < on.height(); ++y)
                            for (int x = 0; x < on.width(); ++x) {
                                if (on.pixel(x, y) == off.pixel(x, y))
                                    continue;
                                if (contrast(on.pixel(x, y), own) >= 3)
                                    againstFill.emplace_back(x, y);
                                if (contrast(on.pixel(x, y), background) >= 3)
                                    againstBackground.emplace_back(x, y);
                            }
                        const std::string where = nameOf(w) + (dark ? " dark" : " light") + " at "
                            + std::to_string(int(ratio)) + "x on " + own.name().toStdString();
                        EXPECT_TRUE(goRound(againstBackground, control)) << where << ": no ring against the background";
                        EXPECT_TRUE(goRound(againstFill, control)) << where << ": no ring against the fill";
                        // A swatch of the background's own colour still shows its border.
                        std::vector<QPoint> border;
                        for (int y = control.top(); fill == background && y <= control.bottom(); ++y)
                            for (int x = control.left(); x <= control.right(); ++x)
                                if (contrast(off.pixel(x, y), background) >= 3)
                                    border.emplace_back(x, y);
                        EXPECT_TRUE(fill != background || goRound(border, control)) << where << ": no border";
                    }
                }
            }
        }
        d.close();
    });
}

// Every class the library publishes has its form above, so a new tool is not passed over.
TEST(Keyboard, EveryPublishedClassHasAForm)
{
    for (const std::string& progId : ProgIds())
        EXPECT_TRUE(std::ranges::any_of(forms, [&](const Form& f) { return f.progId == progId; })) << progId;
}

INSTANTIATE_TEST_SUITE_P(Forms, EveryDialog, ::testing::ValuesIn(forms),
                         [](const ::testing::TestParamInfo<Form>& info) { return info.param.name; });
