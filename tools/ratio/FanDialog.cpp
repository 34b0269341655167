#include "tools/ratio/FanDialog.h"

#include "frame/FlagSet.h"
#include "frame/forms/CheckBox.h"

#include <QGridLayout>

namespace ZarvLinesParm::ratio {

FanDialog::FanDialog(frame::Records<FanRecord>& records)
    : RecordDialog(records, QStringLiteral("FanParm"), QStringLiteral("Fan Parameters"))
{
    const char* lines[4] = {"38.2% line", "50% line", "61.8% line", "76.4/23.6% line"};
    for (int k = 0; k < 4; ++k) {
        colours_[k] = colourSwatch(QStringLiteral("Cor1(%1)").arg(k), working().Cor[k]);
        grid().addWidget(colours_[k], k, 0);
        grid().addWidget(label(QStringLiteral("Label%1").arg(k + 1), QString::fromLatin1(lines[k])), k, 1);
        // The row's label names the box.
        shown_[k] = checkBox(QStringLiteral("FanShow(%1)").arg(k), QString());
        shown_[k]->showBoxOnly();
        grid().addWidget(shown_[k], k, 2);
    }
    horizontal_ = checkBox(QStringLiteral("HLine"), QStringLiteral("Horizontal Line"));
    grid().addWidget(horizontal_, 4, 0, 1, 3);
    extend_ = checkBox(QStringLiteral("AteFim"), QStringLiteral("Extend to end"));
    grid().addWidget(extend_, 5, 0, 1, 3);
}

void FanDialog::load()
{
    for (int k = 0; k < 4; ++k)
        colours_[k]->setColour(working().Cor[k]);
    horizontal_->setValue(working().HLines != 0 ? 1 : 0);
    for (int k = 0; k < 4; ++k)
        shown_[k]->setValue(frame::flagIsSet(working().FanShow, k) ? 1 : 0);
    extend_->setValue(frame::flagIsSet(working().AteFim, 0) ? 1 : 0);
}

void FanDialog::readControls(FanRecord& into) const
{
    // HLines is replaced whole; the two flag sets keep the bits no box stands for, within the
    // flag-set masks. Colours were written when chosen, and Porcento is the host's alone.
    into.HLines = horizontal_->value();
    for (int k = 0; k < 4; ++k)
        into.FanShow = frame::applyFlag(into.FanShow, k, shown_[k]->value());
    into.AteFim = frame::applyFlag(into.AteFim, 0, extend_->value());
}

} // namespace ZarvLinesParm::ratio
