// The shape classes as a host that knows only their names reaches them.

#include "support/ToolDriver.h"

using namespace testsupport;

TEST(ShapesByName, EachClassIsCreatedByItsNameListsItsMembersAndRefusesIndexesOutOfRange)
{
    const std::pair<const char*, std::vector<std::string>> classes[] = {
        {"ZarvLinesParm.ZarvLeastSquareClass", {"Cor(1..3)", "SaveDefault", "V(1..2)", "Start", "UseToCalc"}},
        {"ZarvLinesParm.CircleElipseCls", {"Cor(1..2)", "Fill", "SaveDefault", "Start"}},
    };
    for (const auto& [progId, members] : classes) {
        expectByProgId(progId, members);
        expectIndexErrors(progId);
    }
}
