#include <ZarvLinesParm/ZarvDravelPArmClass.h>

#include "frame/ToolClass.h"
#include "tools/ratio/DravelDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = ratio::DravelRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::ArrayField v{"V", records, &Record::V};

const frame::ToolClass<ZarvDravelPArmClass, ratio::DravelDialog> tool{
    "ZarvDravelPArmClass", "{0256CAB5-02BC-43F5-A591-03057242E0E8}", records, cor, saveDefault, v, frame::Start};

} // namespace

std::int32_t ZarvDravelPArmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
void ZarvDravelPArmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t ZarvDravelPArmClass::SaveDefault() const { return saveDefault.get(this); }
float ZarvDravelPArmClass::V(std::int16_t i) const { return v.get(this, i); }
Variant ZarvDravelPArmClass::Start(std::int16_t FDef) { return tool.start(FDef); }
void ZarvDravelPArmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
void ZarvDravelPArmClass::V(std::int16_t i, float S) { v.let(i, S); }

Variant ZarvDravelPArmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string ZarvDravelPArmClass::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
