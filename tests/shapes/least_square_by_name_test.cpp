// The least-square channel as a host that knows only its name reaches it.

#include "support/ModalDriver.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

using namespace ZarvLinesParm;
using namespace testsupport;

TEST(LeastSquareByName, CreatedByNameItListsItsMembersInOrderAndRunsItsDialog)
{
    std::vector<std::string> names;
    for (const MemberInfo& m : Describe("zarvlinesparm.zarvleastsquareclass"))
        names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Cor", "SaveDefault", "V", "Start", "UseToCalc"}));

    auto ls = CreateObject("ZARVLINESPARM.ZARVLEASTSQUARECLASS");
    EXPECT_EQ(ls->progId(), "ZarvLinesParm.ZarvLeastSquareClass");
    ls->invoke("UseToCalc", Invoke::Let, {std::int16_t{0}});
    ls->invoke("Cor", Invoke::Let, {std::int16_t{3}, std::int32_t{99}});
    EXPECT_EQ(errorOf([&] { ls->invoke("V", Invoke::Let, {std::int16_t{3}, 1.0f}); }), 9);
    EXPECT_EQ(errorOf([&] { ls->invoke("UseToCalc", Invoke::Let, {std::string("Open")}); }), 13);
    whenModal("LeastSquareParm", [](QDialog& d) { d.close(); });
    EXPECT_EQ(ls->invoke("Start", Invoke::Method, {std::int16_t{0}}), Variant{});
    EXPECT_EQ(ls->invoke("UseToCalc", Invoke::Get, {}), Variant{std::int16_t{1}});
    EXPECT_EQ(ls->invoke("Cor", Invoke::Get, {std::int16_t{3}}), Variant{std::int32_t{99}});
}
