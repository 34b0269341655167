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
    values_ = numberedValueBoxes(4, QStringLiteral("Retracement Values"));
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

void RetracementDialog::readControls(RetracementRecord& into) const
{
    into.Extend = extend_->value() != 0 ? 1 : 0;
    into.Numbers = numbers_->value() != 0 ? 1 : 0;
    // Nothing is clamped, sorted or rejected.
    for (std::size_t k = 0; k < values_.size(); ++k)
        into.V[k] = values_[k]->readSingle();
}

} // namespace ZarvLinesParm::ratio
