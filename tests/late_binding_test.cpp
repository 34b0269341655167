// Creating by name and late binding: the conversions and the errors a late-bound caller sees.

#include "support/ModalDriver.h"

#include "frame/LateBinding.h"
#include "frame/Members.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <cmath>
#include <limits>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

int errorOf(Object& o, std::string_view member, Invoke kind, std::vector<Variant> args)
{
    try {
        o.invoke(member, kind, args);
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

// The parameter record as the getters show it after Start and Cancel.
Variant parameterValue(Object& o, std::string_view member, std::vector<Variant> index = {})
{
    whenModal(QStringLiteral("CircleElipse"), [](QDialog& d) { press(d, "Command2"); });
    o.invoke("Start", Invoke::Method, {std::int16_t{1}, std::string("x")});
    return o.invoke(member, Invoke::Get, index);
}

} // namespace

TEST(CreateObject, FindsClassesWithoutRegardToCaseAndNamesThemCanonically)
{
    auto o = CreateObject("zarvlinesparm.CIRCLEELIPSECLS");
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->progId(), "ZarvLinesParm.CircleElipseCls");
    EXPECT_NE(dynamic_cast<CircleElipseCls*>(o.get()), nullptr);
    const auto ids = ProgIds();
    EXPECT_NE(std::find(ids.begin(), ids.end(), "ZarvLinesParm.CircleElipseCls"), ids.end());
    for (const std::string& id : ids)
        EXPECT_EQ(CreateObject(id)->progId(), id);
    EXPECT_EQ(Description, "Corvane Lines Parameters");
    EXPECT_EQ(FileVersion, "1.00.0021");
}

TEST(CreateObject, UnknownNamesFailWith429NamingTheProgId)
{
    for (const char* name : {"ZarvLinesParm.Nothing", "", "CircleElipseCls", "ZarvLinesParm.CircleElipseCl"}) {
        try {
            CreateObject(name);
            ADD_FAILURE() << name;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), 429);
            EXPECT_NE(std::string(e.what()).find("Can't create object"), std::string::npos);
        }
    }
}

TEST(LateBinding, MembersAnswerWithoutRegardToCaseAndGetsReturnTheMembersOwnType)
{
    auto o = CreateObject("ZarvLinesParm.CircleElipseCls");
    o->invoke("cor", Invoke::Let, {std::int16_t{1}, std::int32_t{255}});
    o->invoke("FILL", Invoke::Let, {std::int16_t{3}});
    EXPECT_EQ(parameterValue(*o, "Cor", {std::int16_t{1}}), Variant(std::int32_t{255}));
    EXPECT_EQ(o->invoke("fill", Invoke::Get, {}), Variant(std::int16_t{3}));
    EXPECT_EQ(o->invoke("SaveDefault", Invoke::Get, {}), Variant(std::int16_t{0}));
}

TEST(LateBinding, NumbersConvertToWholeTypesHalfToEvenAndEmptyIsZero)
{
    auto o = CreateObject("ZarvLinesParm.CircleElipseCls");
    const std::pair<Variant, std::int16_t> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.5f, 2}, {std::int32_t{-7}, -7}, {Variant{}, 0}, {32767.4, 32767},
    };
    for (const auto& [given, stored] : cases) {
        o->invoke("Fill", Invoke::Let, {given});
        EXPECT_EQ(parameterValue(*o, "Fill"), Variant(stored));
    }
    // The index converts the same way: 1.5 is index 2.
    o->invoke("Cor", Invoke::Let, {1.5, 4.5});
    EXPECT_EQ(parameterValue(*o, "Cor", {2.4}), Variant(std::int32_t{4}));
}

TEST(LateBinding, ArgumentsConvertBeforeTheIndexIsChecked)
{
    auto o = CreateObject("ZarvLinesParm.CircleElipseCls");
    EXPECT_EQ(errorOf(*o, "Cor", Invoke::Get, {std::int32_t{70000}}), 6);
    EXPECT_EQ(errorOf(*o, "Cor", Invoke::Get, {std::int16_t{3}}), 9);
    EXPECT_EQ(errorOf(*o, "Cor", Invoke::Let, {std::int16_t{3}, std::string("red")}), 13);
    EXPECT_EQ(errorOf(*o, "Cor", Invoke::Let, {std::int16_t{0}, 1.0}), 9);
}

TEST(LateBinding, ValuesThatDoNotFitOrDoNotConvertFailAndChangeNothing)
{
    auto o = CreateObject("ZarvLinesParm.CircleElipseCls");
    o->invoke("Fill", Invoke::Let, {std::int16_t{4}});
    o->invoke("Cor", Invoke::Let, {std::int16_t{2}, std::int32_t{77}});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(errorOf(*o, "Fill", Invoke::Let, {32767.5}), 6); // rounds to 32768
    EXPECT_EQ(errorOf(*o, "Fill", Invoke::Let, {std::int32_t{-40000}}), 6);
    EXPECT_EQ(errorOf(*o, "Fill", Invoke::Let, {nan}), 6);
    EXPECT_EQ(errorOf(*o, "Fill", Invoke::Let, {std::string("1")}), 13);
    EXPECT_EQ(errorOf(*o, "Cor", Invoke::Let, {std::int16_t{2}, 3e9}), 6);
    EXPECT_EQ(errorOf(*o, "Cor", Invoke::Let, {std::int16_t{2}, 1e300}), 6);
    EXPECT_EQ(errorOf(*o, "Cor", Invoke::Let, {std::string("2"), std::int32_t{1}}), 13);
    EXPECT_EQ(parameterValue(*o, "Fill"), Variant(std::int16_t{4}));
    EXPECT_EQ(o->invoke("Cor", Invoke::Get, {std::int16_t{2}}), Variant(std::int32_t{77}));
}

TEST(LateBinding, UnknownMembersAre438AndWrongKindsOrCountsAre450)
{
    auto o = CreateObject("ZarvLinesParm.CircleElipseCls");
    EXPECT_EQ(errorOf(*o, "Colour", Invoke::Get, {}), 438);
    EXPECT_EQ(errorOf(*o, "", Invoke::Method, {}), 438);
    EXPECT_EQ(errorOf(*o, "Fill", Invoke::Get, {std::int16_t{1}}), 450);
    EXPECT_EQ(errorOf(*o, "Fill", Invoke::Let, {}), 450);
    EXPECT_EQ(errorOf(*o, "Fill", Invoke::Method, {}), 450);
    EXPECT_EQ(errorOf(*o, "Cor", Invoke::Get, {}), 450);
    EXPECT_EQ(errorOf(*o, "Cor", Invoke::Let, {std::int16_t{1}}), 450);
    EXPECT_EQ(errorOf(*o, "Start", Invoke::Get, {}), 450);
    EXPECT_EQ(errorOf(*o, "Start", Invoke::Method, {std::int16_t{1}}), 450);
    EXPECT_EQ(errorOf(*o, "Start", Invoke::Method, {std::int16_t{1}, std::int16_t{2}}), 13);
}

TEST(LateBinding, StartRunsTheDialogAndReturnsTheEmptyVariant)
{
    auto o = CreateObject("ZarvLinesParm.CircleElipseCls");
    o->invoke("Fill", Invoke::Let, {std::int16_t{9}});
    QString title;
    whenModal(QStringLiteral("CircleElipse"), [&](QDialog& d) {
        title = d.windowTitle();
        press(d, "Command3");
    });
    EXPECT_EQ(o->invoke("start", Invoke::Method, {1.0, std::string("Circle")}), Variant{});
    EXPECT_EQ(title, QStringLiteral("Circle"));
    EXPECT_EQ(o->invoke("Fill", Invoke::Get, {}), Variant(std::int16_t{1}));
    EXPECT_EQ(o->invoke("SaveDefault", Invoke::Get, {}), Variant(std::int16_t{1}));
}

TEST(Describe, ListsEveryMemberWithItsKindTypeAndIndexRange)
{
    const auto members = Describe("zarvlinesparm.circleelipsecls");
    ASSERT_EQ(members.size(), 4u);
    EXPECT_EQ(members[0].name, "Cor");
    EXPECT_EQ(members[0].type, ValueType::Int32);
    EXPECT_EQ(members[0].index, (std::pair<std::int16_t, std::int16_t>{1, 2}));
    EXPECT_EQ(members[1].name, "Fill");
    EXPECT_FALSE(members[1].index);
    EXPECT_EQ(members[3].name, "Start");
    EXPECT_EQ(members[3].kind, MemberInfo::Kind::Method);
    EXPECT_EQ(members[3].arguments, (std::vector<ValueType>{ValueType::Int16, ValueType::String}));
}

namespace {

struct FlagsRecord {
    std::int16_t Flags;
    std::int16_t SaveDefault;
};
frame::Records<FlagsRecord> flagsRecords;
std::string title;
constexpr frame::WholeAsFloatField flags{"Flags", flagsRecords, &FlagsRecord::Flags};
constexpr frame::LibraryText caption{"Caption", title};

} // namespace

TEST(Members, AWholeFieldCarriedAsAFloatRoundsHalfToEvenAndKeepsItsValueOnOverflow)
{
    const frame::MemberTable table{frame::property(flags), frame::property(caption)};
    flags.let(2.5f);
    EXPECT_EQ(flagsRecords.parameter.Flags, 2);
    flags.let(3.5f);
    EXPECT_EQ(flagsRecords.parameter.Flags, 4);
    flags.let(-0.5f);
    EXPECT_EQ(flagsRecords.parameter.Flags, 0);
    frame::invoke(table, nullptr, "flags", Invoke::Let, {std::int32_t{-32768}});
    EXPECT_EQ(flagsRecords.parameter.Flags, -32768);
    for (const float tooLarge : {40000.0f, 32767.5f, std::numeric_limits<float>::quiet_NaN()}) {
        EXPECT_THROW(flags.let(tooLarge), Error);
        EXPECT_EQ(flagsRecords.parameter.Flags, -32768);
    }
    flagsRecords.working.Flags = 511;
    EXPECT_EQ(frame::invoke(table, nullptr, "Flags", Invoke::Get, {}), Variant(511.0f));
}

TEST(Members, ALibraryWideTextIsOneValueForSetterAndGetter)
{
    const frame::MemberTable table{frame::property(caption)};
    frame::invoke(table, nullptr, "Caption", Invoke::Let, {std::string("abc")});
    EXPECT_EQ(frame::invoke(table, nullptr, "caption", Invoke::Get, {}), Variant(std::string("abc")));
    EXPECT_EQ(title, "abc");
    EXPECT_THROW(frame::invoke(table, nullptr, "Caption", Invoke::Let, {1.5f}), Error);
    EXPECT_EQ(title, "abc");
}
