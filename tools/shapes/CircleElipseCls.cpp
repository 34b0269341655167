#include <ZarvLinesParm/CircleElipseCls.h>

#include "frame/ToolClass.h"
#include "tools/shapes/CircleElipseDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = shapes::CircleElipseRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field fill{"Fill", records, &Record::Fill};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};

const frame::ToolClass<CircleElipseCls, shapes::CircleElipseDialog> tool{
    "CircleElipseCls", "{7EFD7251-C3D8-44CC-9131-7A807D4BBC0D}", records, cor, fill, saveDefault, frame::Start};

} // namespace

std::int32_t CircleElipseCls::Cor(std::int16_t i) const { return cor.get(this, i); }
void CircleElipseCls::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
std::int16_t CircleElipseCls::Fill() const { return fill.get(this); }
void CircleElipseCls::Fill(std::int16_t S) { fill.let(S); }
std::int16_t CircleElipseCls::SaveDefault() const { return saveDefault.get(this); }
void CircleElipseCls::SaveDefault(std::int16_t S) { saveDefault.let(S); }

Variant CircleElipseCls::Start(std::int16_t FDef, std::string_view CaptionF)
{
    return tool.start(FDef, std::string(CaptionF));
}

Variant CircleElipseCls::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string CircleElipseCls::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
