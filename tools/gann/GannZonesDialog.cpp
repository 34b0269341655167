#include "tools/gann/GannZonesDialog.h"

#include <QGridLayout>

namespace ZarvLinesParm::gann {
namespace {

// What "OK" keeps of the number of zones, and what it puts in place of anything else.
constexpr std::int16_t fewestZones = 1;
constexpr std::int16_t mostZones = 50;
constexpr std::int16_t zonesInsteadOfOutOfRange = 8;

} // namespace

GannZonesDialog::GannZonesDialog(frame::Records<GannZonesRecord>& records)
    : RecordDialog(records, QStringLiteral("GannParm"), QStringLiteral("Gann Parameters"))
{
    nZones_ = textBox(QStringLiteral("NZones"));
    grid().addWidget(nZones_, 0, 0);
    grid().addWidget(label(QStringLiteral("Label1"), QStringLiteral("Number of zones")), 0, 1);
    odd_ = colourSwatch(QStringLiteral("Cor1(0)"), working().Cor[0]);
    grid().addWidget(odd_, 1, 0);
    grid().addWidget(label(QStringLiteral("Label3"), QStringLiteral("Odd line color")), 1, 1);
    even_ = colourSwatch(QStringLiteral("Cor1(1)"), working().Cor[1]);
    grid().addWidget(even_, 2, 0);
    grid().addWidget(label(QStringLiteral("Label2"), QStringLiteral("Even line color")), 2, 1);

    // The number of zones reaches the working record with every change of the text, each
    // keystroke and the load handler's own text alike; nothing checks its range until "OK".
    // A number beyond 16 bits saturates (readWhole), so the field stays a sound 16-bit value
    // that "OK" then replaces like any other number out of range.
    nZones_->onChange([this](const QString&) { working().NZones = nZones_->readWhole(); });
}

void GannZonesDialog::load()
{
    odd_->setColour(working().Cor[0]);
    even_->setColour(working().Cor[1]);
    // Runs the change handler, which reads back the very number shown.
    nZones_->showNumber(working().NZones);
}

void GannZonesDialog::readControls(GannZonesRecord& into) const
{
    // No control is read here: the text box wrote the number as it was typed.
    std::int16_t& n = into.NZones;
    if (n < fewestZones || n > mostZones)
        n = zonesInsteadOfOutOfRange;
}

} // namespace ZarvLinesParm::gann
