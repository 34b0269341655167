#include "tools/ratio/DravelDialog.h"

#include "frame/forms/TextBox.h"

#include <QGridLayout>

namespace ZarvLinesParm::ratio {

DravelDialog::DravelDialog(frame::Records<DravelRecord>& records)
    : RecordDialog(records, QStringLiteral("DravelParm"), QStringLiteral("Dravel Lines Parameters"))
{
    const char* colourNames[2] = {"External Lines Color", "Internal Lines Color"};
    for (int i = 0; i < 2; ++i) {
        colours_[i] = colourSwatch(QStringLiteral("Cor1(%1)").arg(i), working().Cor[i]);
        grid().addWidget(colours_[i], i, 0);
        grid().addWidget(label(QStringLiteral("Label%1").arg(i + 1), QString::fromLatin1(colourNames[i])), i, 1);
    }
    // Each factor's box stands below the label that names it.
    for (int i = 0; i < 2; ++i) {
        grid().addWidget(
            label(QStringLiteral("Label%1").arg(i + 3), QStringLiteral("Internal Lines Factor %1").arg(i + 1)),
            2 + 2 * i, 0, 1, 2);
        factors_[i] = textBox(QStringLiteral("V(%1)").arg(i));
        grid().addWidget(factors_[i], 3 + 2 * i, 0, 1, 2);
    }
}

void DravelDialog::load()
{
    for (int i = 0; i < 2; ++i)
        colours_[i]->setColour(working().Cor[i]);
    for (int i = 0; i < 2; ++i)
        factors_[i]->showNumber(working().V[i]);
}

void DravelDialog::readControls(DravelRecord& into) const
{
    // Stored as typed: a zero or negative factor is the host's business.
    for (int i = 0; i < 2; ++i)
        into.V[i] = factors_[i]->readSingle();
}

} // namespace ZarvLinesParm::ratio
