#include "frame/forms/Swatch.h"

#include <QAccessible>
#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace ZarvLinesParm::frame {

QColor colourOf(std::int32_t rgb)
{
    const auto bits = static_cast<std::uint32_t>(rgb);
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

std::int32_t rgbOf(const QColor& colour)
{
    const QColor c = colour.toRgb();
    return static_cast<std::int32_t>(std::uint32_t(c.red()) | std::uint32_t(c.green()) << 8
                                     | std::uint32_t(c.blue()) << 16);
}

Swatch::Swatch(QWidget* parent) : QLabel(parent)
{
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMinimumSize(48, 20);
    setFocusPolicy(Qt::StrongFocus);
    // No colour of its own until the load handler gives it one: a palette change costs more
    // than the rest of the swatch, and every dialog's load colours every swatch.
}

void Swatch::setColour(std::int32_t rgb)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colourOf(rgb));
    // Only the fill is set: the border keeps the theme's text colour, which stands out against
    // the dialog's background in light and dark themes alike.
    setPalette(p);
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

QString Swatch::colourName() const { return palette().color(QPalette::Window).name(QColor::HexRgb).toUpper(); }

std::int32_t Swatch::colour() const { return rgbOf(palette().color(QPalette::Window)); }

void Swatch::bind(std::int32_t& workingColour) { working_ = &workingColour; }

void Swatch::click()
{
    if (!working_)
        return;
    // From here on any failure, the user's cancel included, ends the click with nothing changed.
    try {
        // On the stack: the chooser is gone before the click returns, and so before Start does.
        QColorDialog chooser(window());
        chooser.setObjectName(QStringLiteral("CommonDialog1"));
        chooser.setOption(QColorDialog::DontUseNativeDialog);
        chooser.setCurrentColor(colourOf(*working_));
        if (chooser.exec() != QDialog::Accepted)
            return;
        const QColor chosen = chooser.selectedColor();
        if (!chosen.isValid())
            return;
        setColour(rgbOf(chosen));
        *working_ = colour(); // read back from the swatch, as the record's colour
        Q_EMIT colourChosen(*working_);
    } catch (...) {
    }
}

void Swatch::keyPressEvent(QKeyEvent* event)
{
    // Space is the keyboard's click, as on a button. Enter is left to the dialog, which
    // swallows it.
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void Swatch::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // The dialog rings the focused control in the theme's text colour, which stands out against
    // the background; inside the border a second ring stands out against the fill, whatever
    // colour it is: black on a light fill, white on a dark one (the fill's relative luminance
    // against 0.179, where black and white stand out equally).
    const QColor fill = palette().color(QPalette::Window);
    auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const double luminance = 0.2126 * linear(fill.redF()) + 0.7152 * linear(fill.greenF())
        + 0.0722 * linear(fill.blueF());
    const QRect outer = contentsRect();
    const int width = 2;
    QPainter painter(this);
    painter.setClipRegion(QRegion(outer).subtracted(outer.adjusted(width, width, -width, -width)));
    painter.fillRect(outer, luminance > 0.179 ? Qt::black : Qt::white);
}

void Swatch::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void Swatch::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clicked = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (clicked)
        click();
}

} // namespace ZarvLinesParm::frame
