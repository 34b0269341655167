#include "tools/gann/GannSQ9Dialog.h"

#include "frame/FlagSet.h"

#include <QGridLayout>

namespace ZarvLinesParm::gann {
namespace {

constexpr int rows = 8;
// The step "OK" puts in place of a step of exactly 0, and the text it then shows.
constexpr float stepInsteadOfZero = 0.1f;
const QString stepInsteadOfZeroText = QStringLiteral("0.1");

QString indexed(const char* name, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i); }

} // namespace

GannSQ9Dialog::GannSQ9Dialog(frame::Records<GannSQ9Record>& records)
    : RecordDialog(records, QStringLiteral("GannSQ9Parm"), QStringLiteral("Gann SQ9 Parameters"))
{
    // Left half: the angle grid, one row per angle under the three column heads.
    grid().addWidget(label(QStringLiteral("Label2"), QStringLiteral("Price")), 0, 0);
    grid().addWidget(label(QStringLiteral("Label3"), QStringLiteral("Time")), 0, 1);
    grid().addWidget(label(QStringLiteral("Label4"), QStringLiteral("Angle")), 0, 2);
    // The boxes keep their design caption but show their square only: the angle label beside
    // them names the row, and the column head says which set a box belongs to.
    for (int i = 0; i < rows; ++i) {
        price_[i] = checkBox(indexed("Price", i), QStringLiteral("Check1"));
        time_[i] = checkBox(indexed("Time", i), QStringLiteral("Check1"));
        price_[i]->showBoxOnly();
        time_[i]->showBoxOnly();
        grid().addWidget(price_[i], i + 1, 0);
        grid().addWidget(time_[i], i + 1, 1);
        QLabel* angle = label(QStringLiteral("Label%1").arg(5 + i), QString::number(45 * i));
        grid().addWidget(angle, i + 1, 2);
        // The label is the buddy of the Time box right beside it; the Price box only takes its name.
        nameAfter(price_[i], angle, QStringLiteral("Price"), false);
        nameAfter(time_[i], angle, QStringLiteral("Time"));
    }

    // Right half, top to bottom: colour, direction, step.
    grid().addWidget(label(QStringLiteral("Label1"), QStringLiteral("Line color")), 1, 4);
    cor_ = colourSwatch(QStringLiteral("Cor1"), working().Cor);
    grid().addWidget(cor_, 2, 4);
    grid().addWidget(label(QStringLiteral("Label13"), QStringLiteral("Direction")), 3, 4);
    direction_[0] = optionButton(indexed("Option1", 0), QStringLiteral("Up"));
    direction_[1] = optionButton(indexed("Option1", 1), QStringLiteral("Down"));
    grid().addWidget(direction_[0], 4, 4);
    grid().addWidget(direction_[1], 5, 4);
    grid().addWidget(label(QStringLiteral("Label14"), QStringLiteral("Step")), 6, 4);
    step_ = textBox(QStringLiteral("Text1"));
    grid().addWidget(step_, 7, 4);
    grid().setColumnMinimumWidth(3, 16);

    direction_[0]->setChecked(true); // the design's selection, before any handler is bound
    // The direction reaches the working record when it is clicked, as a colour does when chosen;
    // "OK" does not read the options.
    for (std::int16_t index = 0; index < 2; ++index)
        direction_[index]->onClick([this, index] { working().UpDown = index; });
}

void GannSQ9Dialog::load()
{
    cor_->setColour(working().Cor);
    // Selecting runs the click handler, so any "Down" other than 1 becomes 1 here already.
    direction_[working().UpDown == 0 ? 0 : 1]->select();
    step_->showNumber(working().Step);
    for (int i = 0; i < rows; ++i)
        price_[i]->setValue(frame::flagIsSet(working().Price, i) ? 1 : 0);
    for (int i = 0; i < rows; ++i)
        time_[i]->setValue(frame::flagIsSet(working().Time, i) ? 1 : 0);
}

void GannSQ9Dialog::readControls(GannSQ9Record& into) const
{
    into.Step = step_->readSingle();
    // A step of 0 would draw nothing: empty boxes and text with no number end up here too.
    if (into.Step == 0.0f)
        into.Step = stepInsteadOfZero;
    for (int i = 0; i < rows; ++i)
        into.Price = frame::applyFlag(into.Price, i, price_[i]->value());
    for (int i = 0; i < rows; ++i)
        into.Time = frame::applyFlag(into.Time, i, time_[i]->value());
}

void GannSQ9Dialog::showStored(const GannSQ9Record& stored)
{
    // The box shows the step that replaced a zero.
    if (stored.Step != step_->readSingle())
        step_->setText(stepInsteadOfZeroText);
}

} // namespace ZarvLinesParm::gann
