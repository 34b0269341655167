#include <ZarvLinesParm/zarvFanParmClass.h>

#include "frame/ClassRegistry.h"
#include "frame/LateBinding.h"
#include "frame/Members.h"
#include "frame/Start.h"
#include "tools/ratio/FanDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = ratio::FanRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::ArrayField porcento{"Porcento", records, &Record::Porcento};
constexpr frame::Field fanShow{"FanShow", records, &Record::FanShow};
constexpr frame::Field hLines{"HLines", records, &Record::HLines};
constexpr frame::Field ateFim{"AteFim", records, &Record::AteFim};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};

const frame::MemberTable& members()
{
    static const frame::MemberTable table{
        frame::property(cor),
        frame::property(porcento),
        frame::property(fanShow),
        frame::property(hLines),
        frame::property(ateFim),
        frame::property(saveDefault),
        frame::method<std::int16_t>("Start", [](std::int16_t fdef) { return zarvFanParmClass{}.Start(fdef); }),
    };
    return table;
}

const frame::ClassRegistration<zarvFanParmClass> registration{"zarvFanParmClass", members, records};

} // namespace

std::int32_t zarvFanParmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
float zarvFanParmClass::Porcento(std::int16_t i) const { return porcento.get(this, i); }
void zarvFanParmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
void zarvFanParmClass::Porcento(std::int16_t i, float S) { porcento.let(i, S); }
void zarvFanParmClass::FanShow(std::int16_t S) { fanShow.let(S); }
void zarvFanParmClass::HLines(std::int16_t S) { hLines.let(S); }
void zarvFanParmClass::AteFim(std::int16_t S) { ateFim.let(S); }
std::int16_t zarvFanParmClass::FanShow() const { return fanShow.get(this); }
std::int16_t zarvFanParmClass::AteFim() const { return ateFim.get(this); }
std::int16_t zarvFanParmClass::HLines() const { return hLines.get(this); }
void zarvFanParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t zarvFanParmClass::SaveDefault() const { return saveDefault.get(this); }
Variant zarvFanParmClass::Start(std::int16_t FDef) { return frame::start<ratio::FanDialog>(records, FDef); }

Variant zarvFanParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return frame::invoke(members(), this, member, kind, args);
}

std::string zarvFanParmClass::progId() const { return frame::progIdOf("zarvFanParmClass"); }

} // namespace ZarvLinesParm
