#include "tools/ratio/ForkDialog.h"

#include "frame/FlagSet.h"
#include "frame/forms/CheckBox.h"

#include <QGridLayout>

namespace ZarvLinesParm::ratio {

ForkDialog::ForkDialog(frame::Records<ForkRecord>& records)
    : RecordDialog(records, QStringLiteral("ForkParm"), QStringLiteral("Fork Parameters"))
{
    // Rows top to bottom; the labels keep their design names, hence Label3 above Label2.
    const char* rows[3][2] = {{"Label1", "Internal lines"}, {"Label3", "External lines"}, {"Label2", "Fork lines"}};
    for (int i = 0; i < 3; ++i) {
        colours_[i] = colourSwatch(QStringLiteral("Cor1(%1)").arg(i), working().Cor[i]);
        grid().addWidget(colours_[i], i, 0);
        grid().addWidget(label(QString::fromLatin1(rows[i][0]), QString::fromLatin1(rows[i][1])), i, 1);
    }
    for (int i = 0; i < 2; ++i) {
        // The design caption is cut off by the box's width: the row's label names the box.
        shown_[i] = checkBox(QStringLiteral("ForkShow(%1)").arg(i), QStringLiteral("Check1"));
        shown_[i]->showBoxOnly();
        grid().addWidget(shown_[i], i, 2);
    }
}

void ForkDialog::load()
{
    for (int i = 0; i < 3; ++i)
        colours_[i]->setColour(working().Cor[i]);
    for (int i = 0; i < 2; ++i)
        shown_[i]->setValue(frame::flagIsSet(working().ForkShow, i) ? 1 : 0);
}

void ForkDialog::readControls(ForkRecord& into) const
{
    // Only the flag set: colours were written when chosen; Per1 and the fourth colour are the host's.
    for (int i = 0; i < 2; ++i)
        into.ForkShow = frame::applyFlag(into.ForkShow, i, shown_[i]->value());
}

} // namespace ZarvLinesParm::ratio
