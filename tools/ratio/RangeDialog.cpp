#include "tools/ratio/RangeDialog.h"

#include "frame/NumberText.h"

#include <QGridLayout>

#include <cmath>

namespace ZarvLinesParm::ratio {
namespace {

constexpr int constantDecimals = 3;

QString fixedText(float value) { return QString::fromStdString(frame::fixedNumberForm(value, constantDecimals)); }

// A constant the host left unset: zero of either sign, or not a number.
bool unset(float constant) { return constant == 0.0f || std::isnan(constant); }

} // namespace

RangeDialog::RangeDialog(frame::Records<RangeRecord>& records, std::string caption, std::string extendRightCaption)
    : RecordDialog(records, QStringLiteral("ZARVRANGER"), QStringLiteral("Zarv Range")), caption_(std::move(caption)),
      extendRightCaption_(std::move(extendRightCaption))
{
    int row = 0;
    auto addRow = [&](const char* labelName, const QString& caption, QWidget* control) {
        grid().addWidget(label(QString::fromLatin1(labelName), caption), row, 0);
        grid().addWidget(control, row, 1);
        ++row;
    };

    periods_ = textBox(QStringLiteral("Per"));
    periods_->setText(QStringLiteral("3"));
    addRow("Label1", QStringLiteral("Periods"), periods_);
    const1_ = textBox(QStringLiteral("Ct1"));
    const1_->setText(QStringLiteral("0.618"));
    addRow("Label6", QStringLiteral("Const1"), const1_);
    const2_ = textBox(QStringLiteral("Ct2"));
    const2_->setText(QStringLiteral("1.382"));
    addRow("Label5", QStringLiteral("Const2"), const2_);

    // Each swatch edits its own working colour; the chooser opens on that, not on a default the
    // load handler showed.
    up_ = colourSwatch(QStringLiteral("Cor1"), working().Cor1);
    addRow("Label4", QStringLiteral("Up"), up_);
    down_ = colourSwatch(QStringLiteral("Cor2"), working().Cor2);
    addRow("Label3", QStringLiteral("Down"), down_);
    range_ = colourSwatch(QStringLiteral("Cor3"), working().Cor3);
    addRow("Label2", QStringLiteral("Range"), range_);

    extendRight_ = checkBox(QStringLiteral("ExtendRight"), QStringLiteral("Extend Right"));
    grid().addWidget(extendRight_, row, 0, 1, 2);
}

void RangeDialog::load()
{
    // The defaults go into the parameter record only. The working record was copied before
    // them, so "OK" without a colour chosen gives back the host's zero colours, while "Cancel"
    // and every later Start carry the defaults.
    RangeRecord& p = parameter();
    if (p.Periodos == 0)
        p.Periodos = 3;
    if (p.Cor1 == 0)
        p.Cor1 = 65280;
    if (p.Cor2 == 0)
        p.Cor2 = 255;
    if (unset(p.Cte1))
        p.Cte1 = 0.618f;
    if (unset(p.Cte2))
        p.Cte2 = 1.382f;

    up_->setColour(p.Cor1);
    down_->setColour(p.Cor2);
    range_->setColour(p.Cor3);
    periods_->setText(QString::fromStdString(frame::wholeNumberForm(p.Periodos)));
    const1_->setText(fixedText(p.Cte1));
    const2_->setText(fixedText(p.Cte2));
    extendRight_->setValue(p.ExtendRight != 0 ? 1 : 0);
}

void RangeDialog::applyHostTexts()
{
    setWindowTitle(QString::fromStdString(caption_));
    extendRight_->setText(QString::fromStdString(extendRightCaption_));
    // Read aloud by its caption; while the host gives none, by the caption it was designed with.
    extendRight_->setAccessibleName(extendRightCaption_.empty() ? QStringLiteral("Extend Right")
                                                                : QString::fromStdString(extendRightCaption_));
}

void RangeDialog::readControls(RangeRecord& into) const
{
    // A period count beyond 16 bits saturates (readWhole): the dialog closes with a sound value.
    into.Periodos = periods_->readWhole();
    into.Cte1 = const1_->readSingle();
    into.Cte2 = const2_->readSingle();
    into.ExtendRight = extendRight_->value() != 0 ? 1 : 0;
}

} // namespace ZarvLinesParm::ratio
