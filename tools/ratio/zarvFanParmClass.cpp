#include <ZarvLinesParm/zarvFanParmClass.h>

#include "frame/ToolClass.h"
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

const frame::ToolClass<zarvFanParmClass, ratio::FanDialog> tool{"zarvFanParmClass",
                                                                "{D86272E1-CD0C-45E8-B220-2232260DCB92}",
                                                                records,
                                                                cor,
                                                                porcento,
                                                                fanShow,
                                                                hLines,
                                                                ateFim,
                                                                saveDefault,
                                                                frame::Start};

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
Variant zarvFanParmClass::Start(std::int16_t FDef) { return tool.start(FDef); }

Variant zarvFanParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string zarvFanParmClass::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
