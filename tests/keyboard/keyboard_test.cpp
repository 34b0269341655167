// Every dialog by keyboard: the Tab order, Space on the swatches, Enter and Escape on every kind
// of control, a focus ring that shows in light and dark themes, text that fits at twice the
// pixel density with a 20-point font. Each check runs over every class there is; what a screen
// reader hears is checked over the accessibility bus itself (tests/a11y).

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

#include <cmath>
#include <map>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

class EveryDialog : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { object_ = CreateObject(GetParam()); }

    // Runs Start with "Save as Default" offered, and `user` on the dialog once it shows; then
    // presses nothing more.
    void start(std::function<void(QDialog&)> user)
    {
        whenModal({}, std::move(user));
        testsupport::start(*object_, 1);
    }

    // Every value the getters give, index by index: the working record as the host sees it.
    Values getters() { return readAll(*object_); }

    std::unique_ptr<Object> object_;
};

bool isSwatch(const QWidget* w) { return dynamic_cast<const frame::Swatch*>(w) != nullptr; }

// The controls a user can act on, found independently of the dialog's own list.
QList<QWidget*> actionableControls(QDialog& d)
{
    QList<QWidget*> found;
    for (QWidget* w : d.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&d))
            continue;
        const bool inList = qobject_cast<QComboBox*>(w->parentWidget()) != nullptr;
        if ((qobject_cast<QLineEdit*>(w) && !inList) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QComboBox*>(w) || isSwatch(w))
            found.append(w);
    }
    return found;
}

QRect placeOf(const QWidget* w, const QDialog& d) { return QRect(w->mapTo(&d, QPoint(0, 0)), w->size()); }

// Where Tab goes from the focused control, as the application delivers the key.
QWidget* tabFrom(QDialog& d)
{
    QWidget* from = QApplication::focusWidget();
    QTest::keyClick(from ? from : &d, Qt::Key_Tab);
    QWidget* to = QApplication::focusWidget();
    // An editable list's text field takes the focus for its list.
    if (to && qobject_cast<QComboBox*>(to->parentWidget()))
        to = to->parentWidget();
    return to;
}

std::string nameOf(const QWidget* w) { return w ? w->objectName().toStdString() : "(none)"; }

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
    for (const auto& [role, colour] : {std::pair{QPalette::Window, window}, {QPalette::Button, window}, {QPalette::Base, base},
                                       {QPalette::AlternateBase, window}, {QPalette::WindowText, text},
                                       {QPalette::ButtonText, text}, {QPalette::Text, text},
                                       {QPalette::Highlight, QColor(0x2a, 0x82, 0xda)}})
        p.setColor(role, colour);
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
    const QRgb shade = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
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
    return extent.width() * 10 >= control.width() * 9 && extent.height() * 10 >= control.height() * 9 &&
           std::abs(off.x()) * 10 <= control.width() && std::abs(off.y()) * 10 <= control.height() &&
           qsizetype(pixels.size()) >= 2 * (extent.width() + extent.height()) - 4;
}

} // namespace

TEST_P(EveryDialog, TabVisitsEveryControlOnceInReadingOrderThenTheButtons)
{
    start([](QDialog& d) {
        d.activateWindow();
        QApplication::setActiveWindow(&d);
        const QList<QWidget*> controls = actionableControls(d);
        ASSERT_FALSE(controls.isEmpty());

        QList<QWidget*> visited{QApplication::focusWidget()};
        if (visited.front() && qobject_cast<QComboBox*>(visited.front()->parentWidget()))
            visited.front() = visited.front()->parentWidget();
        // The first value box, or else the first control, has the focus when the dialog opens.
        const bool hasValueBox = std::any_of(controls.begin(), controls.end(), [](QWidget* w) {
            return qobject_cast<QLineEdit*>(w) != nullptr;
        });
        if (hasValueBox) {
            EXPECT_TRUE(qobject_cast<QLineEdit*>(visited.front())) << nameOf(visited.front());
        }
        for (qsizetype i = 1; i < controls.size(); ++i)
            visited.append(tabFrom(d));
        EXPECT_EQ(tabFrom(d), visited.front()) << "Tab does not come round to the first control";

        for (QWidget* w : controls)
            EXPECT_EQ(visited.count(w), 1) << nameOf(w) << " is not visited exactly once";

        // The round as it reads: from the control after the last button.
        const auto lastButton = std::find_if(visited.rbegin(), visited.rend(), [](QWidget* w) {
            return qobject_cast<QPushButton*>(w) != nullptr;
        });
        if (lastButton != visited.rend())
            std::rotate(visited.begin(), lastButton.base(), visited.end());

        // Reading order: each control stands to the right in the same row, or in a lower row;
        // the three buttons come last, left to right.
        for (qsizetype i = 1; i < visited.size(); ++i) {
            if (!visited[i - 1] || !visited[i])
                continue;
            const QRect a = placeOf(visited[i - 1], d);
            const QRect b = placeOf(visited[i], d);
            const bool sameRow = b.center().y() >= a.top() && b.center().y() <= a.bottom();
            const bool buttons = qobject_cast<QPushButton*>(visited[i - 1]) && qobject_cast<QPushButton*>(visited[i]);
            if (!buttons && qobject_cast<QPushButton*>(visited[i - 1]))
                ADD_FAILURE() << nameOf(visited[i]) << " comes after a button";
            EXPECT_TRUE(sameRow ? b.left() > a.left() : b.center().y() > a.center().y() || buttons)
                << nameOf(visited[i]) << " does not follow " << nameOf(visited[i - 1]) << " in reading order";
        }
        d.close();
    });
}

TEST_P(EveryDialog, SpaceOnASwatchChoosesAColourAsAClickDoes)
{
    std::vector<std::int32_t> chosen;
    start([&](QDialog& d) {
        std::int32_t rgb = 0x123456;
        for (QWidget* w : actionableControls(d)) {
            if (!isSwatch(w))
                continue;
            auto* swatch = dynamic_cast<frame::Swatch*>(w);
            const std::int32_t before = swatch->colour();
            // A cancel changes nothing, by keyboard as by mouse.
            chooseColourWith(d, [&] { swatch->setFocus(); QTest::keyClick(swatch, Qt::Key_Space); }, std::nullopt);
            EXPECT_EQ(swatch->colour(), before);
            rgb += 0x010203;
            const std::int32_t openedOn =
                chooseColourWith(d, [&] { swatch->setFocus(); QTest::keyClick(swatch, Qt::Key_Space); }, rgb);
            EXPECT_EQ(openedOn, before) << nameOf(w);
            EXPECT_EQ(swatch->colour(), rgb) << nameOf(w);
            EXPECT_EQ(QAccessible::queryAccessibleInterface(swatch)->text(QAccessible::Description),
                      frame::colourOf(rgb).name(QColor::HexRgb).toUpper());
            chosen.push_back(rgb);
        }
        press(d, "Command1");
    });
    // Each chosen colour is now a colour of the working record.
    const Values values = getters();
    for (const std::int32_t rgb : chosen)
        EXPECT_TRUE(std::any_of(values.begin(), values.end(), [rgb](const auto& v) { return v.second == Variant(rgb); }))
            << rgb;
}

TEST_P(EveryDialog, EnterAndEscapeOnEveryControlCloseNothingAndStoreNothing)
{
    start([this](QDialog& d) {
        const Values before = getters();
        for (QWidget* w : actionableControls(d)) {
            w->setFocus();
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QTest::keyClick(target, key);
                ASSERT_TRUE(d.isVisible()) << nameOf(w) << " closed the dialog";
            }
        }
        EXPECT_EQ(getters(), before);
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
            const bool showsText = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                                   qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
            if (!showsText)
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
            EXPECT_LE(gap, spacing + 2) << nameOf(label) << " \"" << label->text().toStdString() << "\" stands apart from its box";
        }
        d.close();
    });
}

// The indicator is whatever changes when the control takes the focus. Part of it must ring the
// control at 3:1 or more against the dialog's background, and part against the control's own
// fill (its most common colour); swatches also on the fills a ring could vanish into.
TEST_P(EveryDialog, EveryFocusedControlIsRingedVisiblyAgainstItsFillAndTheBackground)
{
    start([](QDialog& d) {
        QApplication::setActiveWindow(&d);
        for (const bool dark : {false, true}) {
            d.setPalette(theme(dark));
            const QColor background = d.palette().color(QPalette::Window);
            for (QWidget* w : actionableControls(d)) {
                auto* swatch = dynamic_cast<frame::Swatch*>(w);
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
                        const std::string where = nameOf(w) + (dark ? " dark" : " light") + " at " + std::to_string(int(ratio)) +
                                                  "x on " + own.name().toStdString();
                        EXPECT_TRUE(goRound(againstBackground, control)) << where << ": no ring against the background";
                        EXPECT_TRUE(goRound(againstFill, control)) << where << ": no ring against the fill";
                    }
                }
            }
        }
        d.close();
    });
}

TEST(Swatch, KeepsABorderThatStandsOutInLightAndDarkThemes)
{
    for (const bool dark : {false, true}) {
        QPalette theme;
        theme.setColor(QPalette::Window, dark ? QColor(0x20, 0x20, 0x20) : QColor(0xf0, 0xf0, 0xf0));
        theme.setColor(QPalette::WindowText, dark ? QColor(0xe0, 0xe0, 0xe0) : QColor(0x10, 0x10, 0x10));
        QWidget parent;
        parent.setPalette(theme);
        frame::Swatch swatch(&parent);
        swatch.setColour(dark ? 0x202020 : 0xf0f0f0); // the same colour as the background
        EXPECT_EQ(swatch.frameShape(), QFrame::Box);
        const QColor border = swatch.palette().color(QPalette::WindowText);
        const QColor background = parent.palette().color(QPalette::Window);
        EXPECT_GT(std::abs(border.lightness() - background.lightness()), 128) << (dark ? "dark" : "light");
    }
}

INSTANTIATE_TEST_SUITE_P(Classes, EveryDialog, ::testing::ValuesIn(ProgIds()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param.substr(info.param.find('.') + 1);
                         });
