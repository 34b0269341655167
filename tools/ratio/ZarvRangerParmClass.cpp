#include <ZarvLinesParm/ZarvRangerParmClass.h>

#include "frame/ToolClass.h"
#include "tools/ratio/RangeDialog.h"

namespace ZarvLinesParm {
namespace {

using Record = ratio::RangeRecord;

frame::Records<Record> records;
std::string caption;
std::string extendRightCaption;

constexpr frame::Field periodos{"Periodos", records, &Record::Periodos};
constexpr frame::Field cte1{"Cte1", records, &Record::Cte1};
constexpr frame::Field cte2{"Cte2", records, &Record::Cte2};
constexpr frame::Field cor1{"Cor1", records, &Record::Cor1};
constexpr frame::Field cor2{"Cor2", records, &Record::Cor2};
constexpr frame::Field cor3{"Cor3", records, &Record::Cor3};
constexpr frame::Field onh{"ONH", records, &Record::ONH};
constexpr frame::LibraryText captionText{"Caption", caption};
constexpr frame::LibraryText extendRightCaptionText{"ExtendRightCaption", extendRightCaption};
constexpr frame::Field extendRight{"ExtendRight", records, &Record::ExtendRight};
constexpr frame::Field saveDefault{"SaveDefault", records, &Record::SaveDefault};

const frame::ToolClass<ZarvRangerParmClass, ratio::RangeDialog> tool{"ZarvRangerParmClass",
                                                                     "{6ACCECC7-A4A7-4B2A-806D-914D61E61B24}",
                                                                     records,
                                                                     periodos,
                                                                     cte1,
                                                                     cte2,
                                                                     cor1,
                                                                     cor2,
                                                                     cor3,
                                                                     onh,
                                                                     captionText,
                                                                     extendRightCaptionText,
                                                                     extendRight,
                                                                     frame::Start,
                                                                     saveDefault};

} // namespace

void ZarvRangerParmClass::Periodos(std::int16_t S) { periodos.let(S); }
std::int16_t ZarvRangerParmClass::Periodos() const { return periodos.get(this); }
void ZarvRangerParmClass::Cte1(float S) { cte1.let(S); }
float ZarvRangerParmClass::Cte1() const { return cte1.get(this); }
void ZarvRangerParmClass::Cte2(float S) { cte2.let(S); }
float ZarvRangerParmClass::Cte2() const { return cte2.get(this); }
void ZarvRangerParmClass::Cor1(std::int32_t S) { cor1.let(S); }
std::int32_t ZarvRangerParmClass::Cor1() const { return cor1.get(this); }
void ZarvRangerParmClass::Cor2(std::int32_t S) { cor2.let(S); }
std::int32_t ZarvRangerParmClass::Cor2() const { return cor2.get(this); }
void ZarvRangerParmClass::Cor3(std::int32_t S) { cor3.let(S); }
std::int32_t ZarvRangerParmClass::Cor3() const { return cor3.get(this); }
void ZarvRangerParmClass::ONH(std::string_view S) { onh.let(std::string(S)); }
std::string ZarvRangerParmClass::ONH() const { return onh.get(this); }
void ZarvRangerParmClass::Caption(std::string_view S) { captionText.let(std::string(S)); }
std::string ZarvRangerParmClass::Caption() const { return captionText.get(this); }
std::string ZarvRangerParmClass::ExtendRightCaption() const { return extendRightCaptionText.get(this); }
void ZarvRangerParmClass::ExtendRightCaption(std::string_view S) { extendRightCaptionText.let(std::string(S)); }
void ZarvRangerParmClass::ExtendRight(std::int16_t S) { extendRight.let(S); }
std::int16_t ZarvRangerParmClass::ExtendRight() const { return extendRight.get(this); }
void ZarvRangerParmClass::SaveDefault(std::int16_t S) { saveDefault.let(S); }
std::int16_t ZarvRangerParmClass::SaveDefault() const { return saveDefault.get(this); }

Variant ZarvRangerParmClass::Start(std::int16_t FDef) { return tool.start(FDef, caption, extendRightCaption); }

Variant ZarvRangerParmClass::invoke(std::string_view member, Invoke kind, const std::vector<Variant>& args)
{
    return tool.invoke(this, member, kind, args);
}

std::string ZarvRangerParmClass::progId() const { return tool.progId(); }

} // namespace ZarvLinesParm
