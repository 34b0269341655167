#include <ZarvLinesParm/ZarvArcsParmClass.h>

#include "frame/ClassRegistry.h"
#include "frame/LateBinding.h"
#include "frame/Members.h"
#include "frame/Start.h"
#include "tools/ratio/ArcsDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = ratio::ArcsRecord;

frame::Records<Record> records;

constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::ArrayField v{"V", records, &Record::V};
constexpr frame::Field fullCircle{"FullCircle", records, &Record::FullCircle};

const frame::MemberTable& members()
{
    static const frame::MemberTable table{
        frame::property(cor),
        frame::property(saveDefault),
        frame::property(v),
        frame::method<std::int16_t>("Start", [](std::int16_t fdef) { return ZarvArcsParmClass{}.Start(fdef); }),
        frame::property(fullCircle),
    };
    return table;
}

const frame::ClassRegistration<ZarvArcsParmClass> registration{"ZarvArcsParmClass", members, records};

} // namespace

std::int32_t ZarvArcsParmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
void ZarvArcsParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t ZarvArcsParmClass::SaveDefault() const { return saveDefault.get(this); }
float ZarvArcsParmClass::V(std::int16_t i) const { return v.get(this, i); }
Variant ZarvArcsParmClass::Start(std::int16_t FDef) { return frame::start<ratio::ArcsDialog>(records, FDef); }
void ZarvArcsParmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
void ZarvArcsParmClass::V(std::int16_t i, float S) { v.let(i, S); }
std::int16_t ZarvArcsParmClass::FullCircle() const { return fullCircle.get(this); }
void ZarvArcsParmClass::FullCircle(std::int16_t S) { fullCircle.let(S); }

Variant ZarvArcsParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return frame::invoke(members(), this, member, kind, args);
}

std::string ZarvArcsParmClass::progId() const { return frame::progIdOf("ZarvArcsParmClass"); }

} // namespace ZarvLinesParm
