#include "tools/shapes/CircleElipseDialog.h"

#include "frame/forms/CheckBox.h"

#include <QGridLayout>

namespace ZarvLinesParm::shapes {

CircleElipseDialog::CircleElipseDialog(frame::Records<CircleElipseRecord>& records, std::string captionF)
    : RecordDialog(records, QStringLiteral("CircleElipse"), QStringLiteral("Circle Parameters")),
      captionF_(std::move(captionF))
{
    grid().addWidget(label(QStringLiteral("Label1"), QStringLiteral("Outline Color")), 0, 0);
    outline_ = colourSwatch(QStringLiteral("Cor1(0)"), working().Cor[0]);
    grid().addWidget(outline_, 0, 1);
    grid().addWidget(label(QStringLiteral("Label2"), QStringLiteral("Fill Color")), 1, 0);
    fillColour_ = colourSwatch(QStringLiteral("Cor1(1)"), working().Cor[1]);
    grid().addWidget(fillColour_, 1, 1);
    fill_ = checkBox(QStringLiteral("Fill"), QStringLiteral("Fill"));
    grid().addWidget(fill_, 2, 0, 1, 2);
}

// The circle dialog has no load handler of its own: Start fills every control after loading,
// which comes to the same thing here.
void CircleElipseDialog::load()
{
    outline_->setColour(working().Cor[0]);
    fillColour_->setColour(working().Cor[1]);
    fill_->setValue(working().Fill != 0 ? 1 : 0);
}

void CircleElipseDialog::applyHostTexts() { setWindowTitle(QString::fromStdString(captionF_)); }

void CircleElipseDialog::readControls(CircleElipseRecord& into) const
{
    // Any state but cleared (greyed included) fills the shape.
    into.Fill = fill_->value() != 0 ? 1 : 0;
}

} // namespace ZarvLinesParm::shapes
