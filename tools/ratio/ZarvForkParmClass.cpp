#include <ZarvLinesParm/ZarvForkParmClass.h>

#include "frame/ToolClass.h"
#include "tools/ratio/ForkDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = ratio::ForkRecord;

frame::Records<Record> records;

constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::Field forkShow{"ForkShow", records, &Record::ForkShow};
constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::ArrayField per1{"Per1", records, &Record::Per1};

const frame::ToolClass<ZarvForkParmClass, ratio::ForkDialog> tool{
    "ZarvForkParmClass", "{09CAF74F-DAA2-4B22-A75B-F6EB32EE9DDA}", records, saveDefault, forkShow, cor, per1,
    frame::Start};

} // namespace

void ZarvForkParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t ZarvForkParmClass::SaveDefault() const { return saveDefault.get(this); }
void ZarvForkParmClass::ForkShow(std::int16_t S) { forkShow.let(S); }
std::int16_t ZarvForkParmClass::ForkShow() const { return forkShow.get(this); }
std::int32_t ZarvForkParmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
float ZarvForkParmClass::Per1(std::int16_t i) const { return per1.get(this, i); }
Variant ZarvForkParmClass::Start(std::int16_t FDef) { return tool.start(FDef); }
void ZarvForkParmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
void ZarvForkParmClass::Per1(std::int16_t i, float S) { per1.let(i, S); }

Variant ZarvForkParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string ZarvForkParmClass::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
