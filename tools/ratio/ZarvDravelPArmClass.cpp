#include <ZarvLinesParm/ZarvDravelPArmClass.h>

#include "frame/ClassRegistry.h"
#include "frame/LateBinding.h"
#include "frame/Members.h"
#include "frame/Start.h"
#include "tools/ratio/DravelDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = ratio::DravelRecord;

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
        frame::method<std::int16_t>("Start", [](std::int16_t fdef) { return ZarvDravelPArmClass{}.Start(fdef); }),
    };
    return table;
}

const frame::ClassRegistration<ZarvDravelPArmClass> registration{"ZarvDravelPArmClass", members, records};

} // namespace

std::int32_t ZarvDravelPArmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
void ZarvDravelPArmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t ZarvDravelPArmClass::SaveDefault() const { return saveDefault.get(this); }
float ZarvDravelPArmClass::V(std::int16_t i) const { return v.get(this, i); }
Variant ZarvDravelPArmClass::Start(std::int16_t FDef) { return frame::start<ratio::DravelDialog>(records, FDef); }
void ZarvDravelPArmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
void ZarvDravelPArmClass::V(std::int16_t i, float S) { v.let(i, S); }

Variant ZarvDravelPArmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return frame::invoke(members(), this, member, kind, args);
}

std::string ZarvDravelPArmClass::progId() const { return frame::progIdOf("ZarvDravelPArmClass"); }

} // namespace ZarvLinesParm
