#include "tools/gann/GannFanDialog.h"

#include <QGridLayout>

namespace ZarvLinesParm::gann {

GannFanDialog::GannFanDialog(frame::Records<GannFanRecord>& records)
    : RecordDialog(records, QStringLiteral("GannFanParm"), QStringLiteral("GannFan Parameters"))
{
    grid().addWidget(label(QStringLiteral("Label8"), QStringLiteral("Lines Color")), 0, 0, 1, 2);
    cor_ = colourSwatch(QStringLiteral("Cor1(0)"), working().Cor[0]);
    grid().addWidget(cor_, 0, 2, 1, 2);
    grid().addWidget(label(QStringLiteral("Label1"), QStringLiteral("Values")), 1, 0, 1, 4);

    v_ = numberedValueBoxes(2, QStringLiteral("Values"));
}

void GannFanDialog::load()
{
    cor_->setColour(working().Cor[0]);
    for (int i = 0; i < 6; ++i)
        v_[i]->showNumber(working().V[i]);
}

void GannFanDialog::readControls(GannFanRecord& into) const
{
    // Taken as typed, in the order of the boxes: nothing is clamped or sorted.
    for (int i = 0; i < 6; ++i)
        into.V[i] = v_[i]->readSingle();
}

} // namespace ZarvLinesParm::gann
