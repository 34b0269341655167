#include <ZarvLinesParm/ZarvExpParmClass.h>

#include "frame/ToolClass.h"
#include "tools/ratio/ExpansionDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = ratio::ExpansionRecord;

frame::Records<Record> records;
std::string caption;

constexpr frame::LibraryText captionText{"Caption", caption};
constexpr frame::Field fExpShow{"FExpShow", records, &Record::FExpShow};
constexpr frame::ArrayField cor{"Cor", records, &Record::Cor};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};
constexpr frame::ArrayField v{"V", records, &Record::V};

const frame::ToolClass<ZarvExpParmClass, ratio::ExpansionDialog> tool{
    "ZarvExpParmClass", "{AE01A118-85B6-464B-A5AB-0280B30BD0C3}", records, captionText, fExpShow, cor, saveDefault, v,
    frame::Start};

} // namespace

std::string ZarvExpParmClass::Caption() const { return captionText.get(this); }
void ZarvExpParmClass::Caption(std::string_view S) { captionText.let(std::string(S)); }
std::int16_t ZarvExpParmClass::FExpShow() const { return fExpShow.get(this); }
void ZarvExpParmClass::FExpShow(std::int16_t S) { fExpShow.let(S); }
std::int32_t ZarvExpParmClass::Cor(std::int16_t i) const { return cor.get(this, i); }
void ZarvExpParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t ZarvExpParmClass::SaveDefault() const { return saveDefault.get(this); }
float ZarvExpParmClass::V(std::int16_t i) const { return v.get(this, i); }
void ZarvExpParmClass::Cor(std::int16_t i, std::int32_t S) { cor.let(i, S); }
void ZarvExpParmClass::V(std::int16_t i, float S) { v.let(i, S); }

Variant ZarvExpParmClass::Start(std::int16_t FDef) { return tool.start(FDef, caption); }

Variant ZarvExpParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string ZarvExpParmClass::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
