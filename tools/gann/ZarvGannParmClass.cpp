#include <ZarvLinesParm/ZarvGannParmClass.h>

#include "frame/ToolClass.h"
#include "tools/gann/GannZonesDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = gann::GannZonesRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::Field nZones{"NZones", records, &Record::NZones};

const frame::ToolClass<ZarvGannParmClass, gann::GannZonesDialog> tool{
    "ZarvGannParmClass", "{AF79F937-8D64-4696-A380-B479E77A0ABD}", records, cor, saveDefault, frame::Start, nZones};

} // namespace

std::int32_t ZarvGannParmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
void ZarvGannParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t ZarvGannParmClass::SaveDefault() const { return saveDefault.get(this); }

Variant ZarvGannParmClass::Start(std::int16_t FDef) { return tool.start(FDef); }

void ZarvGannParmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
std::int16_t ZarvGannParmClass::NZones() const { return nZones.get(this); }
void ZarvGannParmClass::NZones(std::int16_t S) { nZones.let(S); }

Variant ZarvGannParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string ZarvGannParmClass::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
