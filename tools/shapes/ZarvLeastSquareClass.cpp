#include <ZarvLinesParm/ZarvLeastSquareClass.h>

#include "frame/ToolClass.h"
#include "tools/shapes/LeastSquareDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = shapes::LeastSquareRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::ArrayField v{"V", records, &Record::V};
constexpr frame::Field useToCalc{"UseToCalc", records, &Record::UseToCalc};

const frame::ToolClass<ZarvLeastSquareClass, shapes::LeastSquareDialog> tool{"ZarvLeastSquareClass",
                                                                             "{B09E6DAD-5911-48CC-82E9-6182C19CDC91}",
                                                                             records,
                                                                             cor,
                                                                             saveDefault,
                                                                             v,
                                                                             frame::Start,
                                                                             useToCalc};

} // namespace

std::int32_t ZarvLeastSquareClass::Cor(std::int16_t i) const { return cor.get(this, i); }
void ZarvLeastSquareClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t ZarvLeastSquareClass::SaveDefault() const { return saveDefault.get(this); }
float ZarvLeastSquareClass::V(std::int16_t i) const { return v.get(this, i); }

Variant ZarvLeastSquareClass::Start(std::int16_t FDef) { return tool.start(FDef); }

void ZarvLeastSquareClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
void ZarvLeastSquareClass::V(std::int16_t i, float S) { v.let(i, S); }
void ZarvLeastSquareClass::UseToCalc(std::int16_t S) { useToCalc.let(S); }
std::int16_t ZarvLeastSquareClass::UseToCalc() const { return useToCalc.get(this); }

Variant ZarvLeastSquareClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string ZarvLeastSquareClass::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
