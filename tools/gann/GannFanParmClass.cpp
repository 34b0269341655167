#include <ZarvLinesParm/GannFanParmClass.h>

#include "frame/ClassRegistry.h"
#include "frame/LateBinding.h"
#include "frame/Members.h"
#include "frame/Start.h"
#include "tools/gann/GannFanDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = gann::GannFanRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::ArrayField v{"V", records, &Record::V};

const frame::MemberTable& members()
{
    static const frame::MemberTable table{
        frame::property(cor),
        frame::property(saveDefault),
        frame::property(v),
        frame::method<std::int16_t>("Start", [](std::int16_t fdef) { return GannFanParmClass{}.Start(fdef); }),
    };
    return table;
}

const frame::ClassRegistration<GannFanParmClass> registration{"GannFanParmClass", members, records};

} // namespace

std::int32_t GannFanParmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
void GannFanParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t GannFanParmClass::SaveDefault() const { return saveDefault.get(this); }
float GannFanParmClass::V(std::int16_t i) const { return v.get(this, i); }

Variant GannFanParmClass::Start(std::int16_t FDef)
{
    return frame::start<gann::GannFanDialog>(records, FDef);
}

void GannFanParmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
void GannFanParmClass::V(std::int16_t i, float S) { v.let(i, S); }

Variant GannFanParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return frame::invoke(members(), this, member, kind, args);
}

std::string GannFanParmClass::progId() const { return frame::progIdOf("GannFanParmClass"); }

} // namespace ZarvLinesParm
