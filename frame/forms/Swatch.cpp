#include "frame/forms/Swatch.h"

#include <QColorDialog>
#include <QMouseEvent>

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
    setColour(0);
}

void Swatch::setColour(std::int32_t rgb)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colourOf(rgb));
    setPalette(p);
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
    } catch (...) {
    }
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
