#include "tools/ratio/ArcsDialog.h"

#include "frame/forms/CheckBox.h"
#include "frame/forms/TextBox.h"

#include <QGridLayout>

namespace ZarvLinesParm::ratio {

ArcsDialog::ArcsDialog(frame::Records<ArcsRecord>& records)
    : RecordDialog(records, QStringLiteral("ZarvArcsParm"), QStringLiteral("Zarv Arcs Parameters"))
{
    colour_ = colourSwatch(QStringLiteral("Cor1(0)"), working().Cor[0]);
    grid().addWidget(colour_, 0, 0);
    grid().addWidget(label(QStringLiteral("Label8"), QStringLiteral("Lines Color")), 0, 1, 1, 3);
    fullCircle_ = checkBox(QStringLiteral("Check1"), QStringLiteral("Full Circle"));
    grid().addWidget(fullCircle_, 1, 0, 1, 4);
    grid().addWidget(label(QStringLiteral("Label1"), QStringLiteral("Values")), 2, 0, 1, 4);

    values_ = numberedValueBoxes(3, QStringLiteral("Values"));
}

void ArcsDialog::load()
{
    colour_->setColour(working().Cor[0]);
    for (int k = 0; k < 6; ++k)
        values_[k]->showNumber(working().V[k]);
    // The record's value goes into the box as it is: a value other than 0, 1 or 2 is refused
    // here with error 380, and Start fails before the dialog is shown.
    fullCircle_->setValue(working().FullCircle);
}

void ArcsDialog::readControls(ArcsRecord& into) const
{
    for (int k = 0; k < 6; ++k)
        into.V[k] = values_[k]->readSingle();
    into.FullCircle = fullCircle_->value();
}

} // namespace ZarvLinesParm::ratio
