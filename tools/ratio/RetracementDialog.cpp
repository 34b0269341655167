#include "tools/ratio/RetracementDialog.h"

#include <QGridLayout>

namespace ZarvLinesParm::ratio {

RetracementDialog::RetracementDialog(frame::Records<RetracementRecord>& records)
    : RecordDialog(records, QStringLiteral("RetracementParm"), QStringLiteral("Retracement Parameters"))
{
    grid().addWidget(label(QStringLiteral("Label8"), QStringLiteral("Lines Color")), 0, 0);
    colour_ = colourSwatch(QStringLiteral("Cor1(0)"), working().Cor[0]);
    grid().addWidget(colour_, 0, 1);
    extend_ = checkBox(QStringLiteral("Extend"), QStringLiteral("Extend to end"));
    grid().addWidget(extend_, 1, 0, 1, 4);
    numbers_ = checkBox(QStringLiteral("Numbers"), QStringLiteral("Show values"));
    grid().addWidget(numbers_, 2, 0, 1, 4);
    grid().addWidget(label(QStringLiteral("Label1"), QStringLiteral("Retracement Values")), 3, 0, 1, 4);

    // Boxes "1" to "3" down the left column, "4" to "6" down the right, each with its label
    // (the labels keep the names they were designed with, hence the odd order).
    static const char* const labelNames[6] = {"Label2", "Label7", "Label6", "Label5", "Label4", "Label3"};
    for (int k = 0; k < 6; ++k) {
        const int row = 4 + k % 3;
        const int column = k < 3 ? 0 : 2;
        QLabel* number = label(QString::fromLatin1(labelNames[k]), QString::number(k + 1));
        grid().addWidget(number, row, column);
        values_[k] = textBox(QStringLiteral("V(%1)").arg(k));
        grid().addWidget(values_[k], row, column + 1);
        nameAfter(values_[k], number, QStringLiteral("Retracement Values")); // "1" alone says too little
    }
}

void RetracementDialog::load()
{
    colour_->setColour(working().Cor[0]);
    // A zero leaves the box as designed, cleared.
    if (working().Extend != 0)
        extend_->setValue(1);
    if (working().Numbers != 0)
        numbers_->setValue(1);
    for (std::size_t k = 0; k < values_.size(); ++k)
        values_[k]->showNumber(working().V[k]);
}

void RetracementDialog::readControls()
{
    working().Extend = extend_->value() != 0 ? 1 : 0;
    working().Numbers = numbers_->value() != 0 ? 1 : 0;
    // Nothing is clamped, sorted or rejected.
    for (std::size_t k = 0; k < values_.size(); ++k)
        working().V[k] = values_[k]->readSingle();
}

} // namespace ZarvLinesParm::ratio
