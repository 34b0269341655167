// The Gann classes as a host that knows only their names reaches them.

#include "support/ModalDriver.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <algorithm>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

std::vector<std::string> memberNames(std::string_view progId)
{
    std::vector<std::string> names;
    for (const MemberInfo& m : Describe(progId))
        names.push_back(m.name);
    return names;
}

using Names = std::vector<std::string>;

} // namespace

TEST(GannByName, EachClassIsCreatedByItsNameAndListsItsMembersInOrder)
{
    const std::vector<std::string> all = ProgIds();
    const std::pair<const char*, Names> classes[] = {
        {"ZarvLinesParm.GannSQ9ParmClass", {"Cor", "Price", "Time", "SaveDefault", "Start", "Step", "UpDown"}},
        {"ZarvLinesParm.ZarvGannParmClass", {"Cor", "SaveDefault", "Start", "NZones"}},
        {"ZarvLinesParm.GannFanParmClass", {"Cor", "SaveDefault", "V", "Start"}},
    };
    for (const auto& [progId, members] : classes) {
        EXPECT_NE(std::find(all.begin(), all.end(), progId), all.end()) << progId;
        std::string lower = progId;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
        EXPECT_EQ(CreateObject(lower)->progId(), progId);
        EXPECT_EQ(memberNames(progId), members) << progId;
    }
    const auto price = Describe("ZarvLinesParm.GannSQ9ParmClass")[1];
    EXPECT_EQ(price.type, ValueType::Float);
    EXPECT_FALSE(price.index);
    const auto cor = Describe("ZarvLinesParm.ZarvGannParmClass")[0];
    EXPECT_EQ(cor.index, (std::pair<std::int16_t, std::int16_t>{1, 2}));
    EXPECT_EQ(Describe("ZarvLinesParm.GannFanParmClass")[0].index, (std::pair<std::int16_t, std::int16_t>{1, 1}));
    EXPECT_EQ(Describe("ZarvLinesParm.GannFanParmClass")[2].index, (std::pair<std::int16_t, std::int16_t>{1, 6}));
}

TEST(GannByName, LateBoundCallsReachTheRecordsAndTheDialog)
{
    auto sq9 = CreateObject("ZarvLinesParm.GannSQ9ParmClass");
    sq9->invoke("price", Invoke::Let, {std::int32_t{10}});
    sq9->invoke("UpDown", Invoke::Let, {2.0});
    EXPECT_EQ(errorOf([&] { sq9->invoke("Price", Invoke::Let, {40000.0}); }), 6);
    whenModal("GannSQ9Parm", [](QDialog& d) { d.close(); });
    EXPECT_EQ(sq9->invoke("Start", Invoke::Method, {std::int16_t{0}}), Variant{});
    EXPECT_EQ(sq9->invoke("Price", Invoke::Get, {}), Variant{10.0f});
    EXPECT_EQ(sq9->invoke("UpDown", Invoke::Get, {}), Variant{std::int16_t{1}});

    auto zones = CreateObject("ZarvLinesParm.ZarvGannParmClass");
    zones->invoke("NZones", Invoke::Let, {std::int16_t{60}});
    zones->invoke("Cor", Invoke::Let, {std::int16_t{2}, std::int32_t{77}});
    EXPECT_EQ(errorOf([&] { zones->invoke("Cor", Invoke::Let, {std::int16_t{3}, std::int32_t{1}}); }), 9);
    whenModal("GannParm", [](QDialog& d) { press(d, "Command1"); });
    zones->invoke("Start", Invoke::Method, {std::int16_t{1}});
    EXPECT_EQ(zones->invoke("NZones", Invoke::Get, {}), Variant{std::int16_t{8}});
    EXPECT_EQ(zones->invoke("Cor", Invoke::Get, {std::int16_t{2}}), Variant{std::int32_t{77}});

    auto fan = CreateObject("ZarvLinesParm.GannFanParmClass");
    fan->invoke("V", Invoke::Let, {std::int16_t{6}, 0.25});
    EXPECT_EQ(errorOf([&] { fan->invoke("V", Invoke::Get, {std::int16_t{7}}); }), 9);
    EXPECT_EQ(errorOf([&] { fan->invoke("Cor", Invoke::Get, {std::int32_t{70000}}); }), 6);
    whenModal("GannFanParm", [](QDialog& d) { press(d, "Command3"); });
    fan->invoke("Start", Invoke::Method, {std::int16_t{1}});
    EXPECT_EQ(fan->invoke("V", Invoke::Get, {std::int16_t{6}}), Variant{0.25f});
    EXPECT_EQ(fan->invoke("SaveDefault", Invoke::Get, {}), Variant{std::int16_t{1}});
}
