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

    // Box i edits value i + 1: 1 to 3 down the left column, 4 to 6 down the right one. The
    // labels keep their design names, which do not follow the boxes' order.
    const char* labelNames[6] = {"Label2", "Label7", "Label6", "Label5", "Label4", "Label3"};
    for (int i = 0; i < 6; ++i) {
        const int row = 2 + i % 3;
        const int column = i < 3 ? 0 : 2;
        QLabel* number = label(QString::fromLatin1(labelNames[i]), QString::number(i + 1));
        grid().addWidget(number, row, column);
        v_[i] = textBox(QStringLiteral("V(%1)").arg(i));
        grid().addWidget(v_[i], row, column + 1);
        nameAfter(v_[i], number, QStringLiteral("Values")); // "1" alone says too little
    }
}

void GannFanDialog::load()
{
    cor_->setColour(working().Cor[0]);
    for (int i = 0; i < 6; ++i)
        v_[i]->showNumber(working().V[i]);
}

void GannFanDialog::readControls()
{
    // Taken as typed, in the order of the boxes: nothing is clamped or sorted.
    for (int i = 0; i < 6; ++i)
        working().V[i] = v_[i]->readSingle();
}

} // namespace ZarvLinesParm::gann
