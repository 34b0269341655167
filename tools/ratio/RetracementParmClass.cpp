#include <ZarvLinesParm/RetracementParmClass.h>

#include "frame/ToolClass.h"
#include "tools/ratio/RetracementDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = ratio::RetracementRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::ArrayField v{"V", records, &Record::V};
constexpr frame::Field extend{"Extend", records, &Record::Extend};
constexpr frame::Field numbers{"Numbers", records, &Record::Numbers};

const frame::ToolClass<RetracementParmClass, ratio::RetracementDialog> tool{"RetracementParmClass",
                                                                            "{C8569CD9-CC65-40F1-9A0A-BC2965D8238A}",
                                                                            records,
                                                                            cor,
                                                                            saveDefault,
                                                                            v,
                                                                            frame::Start,
                                                                            extend,
                                                                            numbers};

} // namespace

std::int32_t RetracementParmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
void RetracementParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t RetracementParmClass::SaveDefault() const { return saveDefault.get(this); }
float RetracementParmClass::V(std::int16_t i) const { return v.get(this, i); }
void RetracementParmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
void RetracementParmClass::V(std::int16_t i, float S) { v.let(i, S); }
void RetracementParmClass::Extend(std::int16_t S) { extend.let(S); }
std::int16_t RetracementParmClass::Extend() const { return extend.get(this); }
void RetracementParmClass::Numbers(std::int16_t S) { numbers.let(S); }
std::int16_t RetracementParmClass::Numbers() const { return numbers.get(this); }

Variant RetracementParmClass::Start(std::int16_t FDef) { return tool.start(FDef); }

Variant RetracementParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string RetracementParmClass::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
