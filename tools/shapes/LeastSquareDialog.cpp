#include "tools/shapes/LeastSquareDialog.h"

#include <QGridLayout>

namespace ZarvLinesParm::shapes {
namespace {

// Entry k of the list stands for UseToCalc = k + 1.
const char* const prices[] = {"Open", "High", "Low", "Close", "O+H+L/3"};
constexpr int priceCount = 5;

} // namespace

LeastSquareDialog::LeastSquareDialog(frame::Records<LeastSquareRecord>& records)
    : RecordDialog(records, QStringLiteral("LeastSquareParm"), QStringLiteral("Least Square Channel"))
{
    const QString heading = QStringLiteral("Number of Std. Dev.");
    grid().addWidget(label(QStringLiteral("Label4"), heading), 0, 2);
    const char* rowLabels[][2] = {{"Label3", "Least Square Line"}, {"Label1", "Upper"}, {"Label2", "Lower"}};
    for (int row = 0; row < 3; ++row) {
        QLabel* line = label(QString::fromLatin1(rowLabels[row][0]), QString::fromLatin1(rowLabels[row][1]));
        grid().addWidget(line, row + 1, 0);
        cor_[row] = colourSwatch(QStringLiteral("Cor1(%1)").arg(row), working().Cor[row]);
        grid().addWidget(cor_[row], row + 1, 1);
        if (row > 0) {
            v_[row - 1] = textBox(QStringLiteral("V(%1)").arg(row - 1));
            grid().addWidget(v_[row - 1], row + 1, 2);
            // A cell of the table: its line's label and the column's heading name it together.
            nameAfter(v_[row - 1], line, heading);
        }
    }
    grid().addWidget(label(QStringLiteral("Label5"), QStringLiteral("Based on")), 4, 0);
    use_ = dropDownList(QStringLiteral("Use"));
    for (const char* price : prices)
        use_->addItem(QString::fromLatin1(price), 0);
    // The design shows "Close" with no entry selected; the load handler selects one.
    use_->setListIndex(-1);
    use_->setEditText(QStringLiteral("Close"));
    grid().addWidget(use_, 5, 0, 1, 2);
}

void LeastSquareDialog::load()
{
    for (int i = 0; i < 3; ++i)
        cor_[i]->setColour(working().Cor[i]);
    for (int i = 0; i < 2; ++i)
        v_[i]->showNumber(working().V[i]);
    // Written to the working record itself, before the user acts: a close from the title bar
    // returns 1 for a 0, and only "Cancel" brings the 0 back.
    if (working().UseToCalc == 0)
        working().UseToCalc = 1;
    // A price with no entry (below 0 or above 5) opens with no entry selected and an empty
    // field: "OK" then stores 0 as for a typed text, while "Cancel" and a close from the title
    // bar keep the host's value.
    const int entry = working().UseToCalc - 1;
    use_->setListIndex(entry >= 0 && entry < priceCount ? entry : -1);
}

void LeastSquareDialog::readControls(LeastSquareRecord& into) const
{
    for (int i = 0; i < 2; ++i)
        into.V[i] = v_[i]->readSingle();
    // -1 when the user typed instead of choosing, which stores 0.
    into.UseToCalc = static_cast<std::int16_t>(use_->listIndex() + 1);
}

} // namespace ZarvLinesParm::shapes
