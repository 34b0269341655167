#include "frame/forms/Swatch.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace ZarvLinesParm::frame {

QColor colourOf(std::int32_t rgb)
{
    const auto bits = static_cast<std::uint32_t>(rgb);
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

std::int32_t rgbOf(const QColor& colour)
{
    const QColor c = colour.toRgb();
    return static_cast<std::int32_t>(std::uint32_t(c.red()) | std::uint32_t(c.green()) << 8 |
                                     std::uint32_t(c.blue()) << 16);
}

Swatch::Swatch(QWidget* parent)
    : QLabel(parent)
{
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMinimumSize(48, 20);
    setFocusPolicy(Qt::StrongFocus);
    setColour(0);
}

void Swatch::setColour(std::int32_t rgb)
{
    QPalette p = palette();
    const QColor colour = colourOf(rgb);
    p.setColor(QPalette::Window, colour);
    // Only the fill is set: the border keeps the theme's text colour, which stands out against
    // the dialog's background in light and dark themes alike.
    setPalette(p);
    setAccessibleDescription(colour.name(QColor::HexRgb).toUpper());
}

std::int32_t Swatch::colour() const
{
    return rgbOf(palette().color(QPalette::Window));
}

void Swatch::bind(std::int32_t& workingColour)
{
    working_ = &workingColour;
}

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
        if (chosen_)
            chosen_();
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
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(3, 3, -3, -3);
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
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
