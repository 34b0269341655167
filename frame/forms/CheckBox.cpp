#include "frame/forms/CheckBox.h"

#include <ZarvLinesParm/Types.h>

#include <QEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace ZarvLinesParm::frame {

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

void CheckBox::setValue(std::int16_t value)
{
    switch (value) {
    case 0: setCheckState(Qt::Unchecked); break;
    case 1: setCheckState(Qt::Checked); break;
    case 2:
        setTristate(true);
        setCheckState(Qt::PartiallyChecked);
        break;
    default: throw Error(380);
    }
}

std::int16_t CheckBox::value() const
{
    switch (checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    }
    return 0;
}

void CheckBox::showBoxOnly()
{
    boxOnly_ = true;
    updateGeometry();
    resize(sizeHint());
}

QSize CheckBox::sizeHint() const
{
    if (!boxOnly_)
        return QCheckBox::sizeHint();
    // Layouts ask again and again; the answer changes only with the style or the font.
    if (boxOnlyHint_.isEmpty()) {
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        const QRect square = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
        // As tall as a box showing a line of caption, without laying out the caption it hides.
        const QSize line(0, fontMetrics().height());
        boxOnlyHint_ = QSize(square.right() + 1,
                             style()->sizeFromContents(QStyle::CT_CheckBox, &option, line, this).height());
    }
    return boxOnlyHint_;
}

void CheckBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        boxOnlyHint_ = QSize();
    QCheckBox::changeEvent(event);
}

QSize CheckBox::minimumSizeHint() const { return boxOnly_ ? sizeHint() : QCheckBox::minimumSizeHint(); }

void CheckBox::paintEvent(QPaintEvent* event)
{
    if (!boxOnly_)
        return QCheckBox::paintEvent(event);
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_CheckBox, option);
}

void CheckBox::nextCheckState() { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }

} // namespace ZarvLinesParm::frame
