#include <ZarvLinesParm/GannSQ9ParmClass.h>

#include "frame/ToolClass.h"
#include "tools/gann/GannSQ9Dialog.h"

namespace ZarvLinesParm {
namespace {

using Record = gann::GannSQ9Record;

frame::Records<Record> records;

constexpr frame::Field cor{"Cor", records, &Record::Cor};
constexpr frame::WholeAsFloatField price{"Price", records, &Record::Price};
constexpr frame::Field timeFlags{"Time", records, &Record::Time};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::Field step{"Step", records, &Record::Step};
constexpr frame::Field upDown{"UpDown", records, &Record::UpDown};

const frame::ToolClass<GannSQ9ParmClass, gann::GannSQ9Dialog> tool{"GannSQ9ParmClass",
                                                                   "{A21F6E1B-AABC-4D54-BFC8-C45380B764DF}",
                                                                   records,
                                                                   cor,
                                                                   price,
                                                                   timeFlags,
                                                                   saveDefault,
                                                                   frame::Start,
                                                                   step,
                                                                   upDown};

} // namespace

std::int32_t GannSQ9ParmClass::Cor() const { return cor.get(this); }
float GannSQ9ParmClass::Price() const { return price.get(this); }
void GannSQ9ParmClass::Cor(std::int32_t S) { cor.let(S); }
void GannSQ9ParmClass::Price(float S) { price.let(S); }
void GannSQ9ParmClass::Time(std::int16_t S) { timeFlags.let(S); }
std::int16_t GannSQ9ParmClass::Time() const { return timeFlags.get(this); }
void GannSQ9ParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t GannSQ9ParmClass::SaveDefault() const { return saveDefault.get(this); }

Variant GannSQ9ParmClass::Start(std::int16_t FDef) { return tool.start(FDef); }

void GannSQ9ParmClass::Step(float S) { step.let(S); }
float GannSQ9ParmClass::Step() const { return step.get(this); }
void GannSQ9ParmClass::UpDown(std::int16_t S) { upDown.let(S); }
std::int16_t GannSQ9ParmClass::UpDown() const { return upDown.get(this); }

Variant GannSQ9ParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string GannSQ9ParmClass::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
