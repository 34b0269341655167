#include "tools/ratio/ExpansionDialog.h"

#include "frame/FlagSet.h"
#include "frame/NumberReading.h"

#include <QGridLayout>

namespace ZarvLinesParm::ratio {
namespace {

// The two titles that ask for the reduced layout, matched whole and letter case included.
bool reducedLayout(const std::string& caption)
{
    return caption == "Brastel Options" || caption == "Zarv Impulse Options";
}

// What "OK" accepts for a value, bounds included, compared in double precision before the value
// is narrowed to a float. A value outside is dropped and the line keeps its value.
struct Bounds {
    double low, high;
    bool contain(double x) const { return x >= low && x <= high; }
};
constexpr Bounds fullBounds{-3.2, 3.2};
constexpr Bounds reducedBounds{0.0, 32.0};

} // namespace

ExpansionDialog::ExpansionDialog(frame::Records<ExpansionRecord>& records, std::string caption)
    : RecordDialog(records, QStringLiteral("FExpParm"), QStringLiteral("Expansion Parameters")),
      caption_(std::move(caption))
{
    for (std::size_t k = 0; k < lines; ++k) {
        const int row = static_cast<int>(k);
        colours_[k] = colourSwatch(QStringLiteral("Cor1(%1)").arg(k), working().Cor[k]);
        grid().addWidget(colours_[k], row, 0);
        values_[k] = textBox(QStringLiteral("V(%1)").arg(k));
        grid().addWidget(values_[k], row, 1);
        show_[k] = checkBox(QStringLiteral("FEShow(%1)").arg(k), QStringLiteral("Show"));
        grid().addWidget(show_[k], row, 2);
        // The rows have no labels; a screen reader hears which line a control belongs to.
        const QString line = QStringLiteral("Line %1 ").arg(k + 1);
        colours_[k]->setAccessibleName(line + QStringLiteral("Color"));
        values_[k]->setAccessibleName(line + QStringLiteral("Value"));
        show_[k]->setAccessibleName(line + QStringLiteral("Show"));
    }
    extend_ = checkBox(QStringLiteral("AteFim"), QStringLiteral("Extend to end"));
    grid().addWidget(extend_, static_cast<int>(lines), 0, 1, 3);
}

void ExpansionDialog::load()
{
    const ExpansionRecord& w = working();
    for (std::size_t k = 0; k < lines; ++k)
        colours_[k]->setColour(w.Cor[k]);
    for (std::size_t k = 0; k < lines; ++k)
        show_[k]->setValue(frame::flagIsSet(w.FExpShow, static_cast<int>(k)) ? 1 : 0);
    extend_->setValue(frame::flagIsSet(w.FExpShow, extendBit) ? 1 : 0);
    for (std::size_t k = 0; k < lines; ++k)
        values_[k]->showNumber(w.V[k]);
}

void ExpansionDialog::applyHostTexts()
{
    setWindowTitle(QString::fromStdString(caption_));
    if (reducedLayout(caption_)) {
        extend_->hide();
        for (frame::TextBox* box : values_)
            box->hide();
    }
}

void ExpansionDialog::readControls(ExpansionRecord& into) const
{
    // Hidden boxes are read too: they still hold what the load handler put in them.
    for (std::size_t k = 0; k < lines; ++k)
        into.FExpShow = frame::applyFlag(into.FExpShow, static_cast<int>(k), show_[k]->value());
    into.FExpShow = frame::applyFlag(into.FExpShow, extendBit, extend_->value());

    // The layout is told by "Extend to end" being hidden, not by its showing on screen: a
    // dialog closing, or not yet shown, shows nothing.
    const Bounds& bounds = extend_->isHidden() ? reducedBounds : fullBounds;
    for (std::size_t k = 0; k < lines; ++k) {
        const double x = values_[k]->readNumber();
        if (bounds.contain(x))
            into.V[k] = frame::toSingle(x);
    }
}

} // namespace ZarvLinesParm::ratio
