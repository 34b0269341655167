// The ratio classes as a host that knows only their names reaches them.

#include "support/ToolDriver.h"

using namespace testsupport;

TEST(RatioByName, EachClassIsCreatedByItsNameListsItsMembersAndRefusesIndexesOutOfRange)
{
    const std::pair<const char*, std::vector<std::string>> classes[] = {
        {"ZarvLinesParm.RetracementParmClass", {"Cor(1..1)", "SaveDefault", "V(1..6)", "Start", "Extend", "Numbers"}},
        {"ZarvLinesParm.ZarvArcsParmClass", {"Cor(1..1)", "SaveDefault", "V(1..6)", "Start", "FullCircle"}},
        {"ZarvLinesParm.ZarvRangerParmClass", {"Periodos", "Cte1", "Cte2", "Cor1", "Cor2", "Cor3", "ONH", "Caption",
                                               "ExtendRightCaption", "ExtendRight", "Start", "SaveDefault"}},
        {"ZarvLinesParm.ZarvExpParmClass", {"Caption", "FExpShow", "Cor(1..4)", "SaveDefault", "V(1..4)", "Start"}},
        {"ZarvLinesParm.zarvFanParmClass", {"Cor(1..4)", "Porcento(1..4)", "FanShow", "HLines", "AteFim",
                                            "SaveDefault", "Start"}},
        {"ZarvLinesParm.ZarvForkParmClass", {"SaveDefault", "ForkShow", "Cor(1..4)", "Per1(1..4)", "Start"}},
        {"ZarvLinesParm.ZarvDravelPArmClass", {"Cor(1..2)", "SaveDefault", "V(1..2)", "Start"}},
    };
    for (const auto& [progId, members] : classes) {
        expectByProgId(progId, members);
        expectIndexErrors(progId);
    }
    ZarvLinesParm::ZarvRangerParmClass{}.Caption("");
    ZarvLinesParm::ZarvRangerParmClass{}.ExtendRightCaption("");
}
