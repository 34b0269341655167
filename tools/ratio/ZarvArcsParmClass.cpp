#include <ZarvLinesParm/ZarvArcsParmClass.h>

#include "frame/ToolClass.h"
#include "tools/ratio/ArcsDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = ratio::ArcsRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::ArrayField v{"V", records, &Record::V};
constexpr frame::Field fullCircle{"FullCircle", records, &Record::FullCircle};

const frame::ToolClass<ZarvArcsParmClass, ratio::ArcsDialog> tool{
    "ZarvArcsParmClass", "{4BE56B9B-AF40-4E9A-8CEB-3EB04B96ACCE}", records, cor, saveDefault, v, frame::Start,
    fullCircle};

} // namespace

std::int32_t ZarvArcsParmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
void ZarvArcsParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t ZarvArcsParmClass::SaveDefault() const { return saveDefault.get(this); }
float ZarvArcsParmClass::V(std::int16_t i) const { return v.get(this, i); }
Variant ZarvArcsParmClass::Start(std::int16_t FDef) { return tool.start(FDef); }
void ZarvArcsParmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
void ZarvArcsParmClass::V(std::int16_t i, float S) { v.let(i, S); }
std::int16_t ZarvArcsParmClass::FullCircle() const { return fullCircle.get(this); }
void ZarvArcsParmClass::FullCircle(std::int16_t S) { fullCircle.let(S); }

Variant ZarvArcsParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string ZarvArcsParmClass::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
