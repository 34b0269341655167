#include <ZarvLinesParm/ZarvGannParmClass.h>

#include "frame/ClassRegistry.h"
#include "frame/LateBinding.h"
#include "frame/Members.h"
#include "frame/Start.h"
#include "tools/gann/GannZonesDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = gann::GannZonesRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::Field nZones{"NZones", records, &Record::NZones};

const frame::MemberTable& members()
{
    static const frame::MemberTable table{
        frame::property(cor),
        frame::property(saveDefault),
        frame::method<std::int16_t>("Start", [](std::int16_t fdef) { return ZarvGannParmClass{}.Start(fdef); }),
        frame::property(nZones),
    };
    return table;
}

const frame::ClassRegistration<ZarvGannParmClass> registration{"ZarvGannParmClass", members, records};

} // namespace

std::int32_t ZarvGannParmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
void ZarvGannParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t ZarvGannParmClass::SaveDefault() const { return saveDefault.get(this); }

Variant ZarvGannParmClass::Start(std::int16_t FDef)
{
    return frame::start<gann::GannZonesDialog>(records, FDef);
}

void ZarvGannParmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
std::int16_t ZarvGannParmClass::NZones() const { return nZones.get(this); }
void ZarvGannParmClass::NZones(std::int16_t S) { nZones.let(S); }

Variant ZarvGannParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return frame::invoke(members(), this, member, kind, args);
}

std::string ZarvGannParmClass::progId() const { return frame::progIdOf("ZarvGannParmClass"); }

} // namespace ZarvLinesParm
