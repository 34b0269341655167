// The Gann classes as a host that knows only their names reaches them.

#include "support/ToolDriver.h"

using namespace testsupport;

TEST(GannByName, EachClassIsCreatedByItsNameListsItsMembersAndRefusesIndexesOutOfRange)
{
    const std::pair<const char*, std::vector<std::string>> classes[] = {
        {"ZarvLinesParm.GannSQ9ParmClass", {"Cor", "Price", "Time", "SaveDefault", "Start", "Step", "UpDown"}},
        {"ZarvLinesParm.ZarvGannParmClass", {"Cor(1..2)", "SaveDefault", "Start", "NZones"}},
        {"ZarvLinesParm.GannFanParmClass", {"Cor(1..1)", "SaveDefault", "V(1..6)", "Start"}},
    };
    for (const auto& [progId, members] : classes) {
        expectByProgId(progId, members);
        expectIndexErrors(progId);
    }
    auto sq9 = ZarvLinesParm::CreateObject("ZarvLinesParm.GannSQ9ParmClass");
    EXPECT_EQ(errorOf([&] { sq9->invoke("Price", ZarvLinesParm::Invoke::Let, {40000.0}); }), 6);
}
