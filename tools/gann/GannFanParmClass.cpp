#include <ZarvLinesParm/GannFanParmClass.h>

#include "frame/ToolClass.h"
#include "tools/gann/GannFanDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = gann::GannFanRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::ArrayField v{"V", records, &Record::V};

const frame::ToolClass<GannFanParmClass, gann::GannFanDialog> tool{
    "GannFanParmClass", "{9C00F6C9-DD3E-4415-A23E-D39E6CAC1B3C}", records, cor, saveDefault, v, frame::Start};

} // namespace

std::int32_t GannFanParmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
void GannFanParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t GannFanParmClass::SaveDefault() const { return saveDefault.get(this); }
float GannFanParmClass::V(std::int16_t i) const { return v.get(this, i); }

Variant GannFanParmClass::Start(std::int16_t FDef) { return tool.start(FDef); }

void GannFanParmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
void GannFanParmClass::V(std::int16_t i, float S) { v.let(i, S); }

Variant GannFanParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string GannFanParmClass::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
