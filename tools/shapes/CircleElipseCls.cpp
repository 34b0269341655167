#include <ZarvLinesParm/CircleElipseCls.h>

#include "frame/ClassRegistry.h"
#include "frame/LateBinding.h"
#include "frame/Members.h"
#include "frame/Start.h"
#include "tools/shapes/CircleElipseDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = shapes::CircleElipseRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field fill{"Fill", records, &Record::Fill};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};

const frame::MemberTable& members()
{
    static const frame::MemberTable table{
        frame::property(cor),
        frame::property(fill),
        frame::property(saveDefault),
        frame::method<std::int16_t, std::string>("Start", [](std::int16_t fdef, const std::string& captionF) {
            return CircleElipseCls{}.Start(fdef, captionF);
        }),
    };
    return table;
}

const frame::ClassRegistration<CircleElipseCls> registration{"CircleElipseCls", members, records};

} // namespace

std::int32_t CircleElipseCls::Cor(std::int16_t i) const { return cor.get(this, i); }
void CircleElipseCls::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
std::int16_t CircleElipseCls::Fill() const { return fill.get(this); }
void CircleElipseCls::Fill(std::int16_t S) { fill.let(S); }
std::int16_t CircleElipseCls::SaveDefault() const { return saveDefault.get(this); }
void CircleElipseCls::SaveDefault(std::int16_t S) { saveDefault.let(S); }

Variant CircleElipseCls::Start(std::int16_t FDef, std::string_view CaptionF)
{
    return frame::start<shapes::CircleElipseDialog>(records, FDef, std::string(CaptionF));
}

Variant CircleElipseCls::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return frame::invoke(members(), this, member, kind, args);
}

std::string CircleElipseCls::progId() const { return frame::progIdOf("CircleElipseCls"); }

} // namespace ZarvLinesParm
