// Creating by name and late binding: the conversions and the errors a late-bound caller sees.

#include "support/ToolDriver.h"

#include "frame/LateBinding.h"
#include "frame/Members.h"

#include <ZarvLinesParm/ZarvLinesParm.h>
#include <ZarvLinesParm/zarvlinesparm.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

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

TEST(CreateObject, UnknownNamesFailWith429NamingTheProgIdInTheDetail)
{
    for (const char* name : {"ZarvLinesParm.Nothing", "", "CircleElipseCls", "ZarvLinesParm.CircleElipseCl"}) {
        try {
            CreateObject(name);
            ADD_FAILURE() << name;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), 429);
            EXPECT_STREQ(e.what(), "Can't create object");
            EXPECT_STREQ(e.detail(), name);
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

// ---- Errors, unloading and threads, as a host sees them ----------------------------------------

namespace {

zlp_variant cValue(const Variant& v)
{
    zlp_variant c{};
    if (const auto* i = std::get_if<std::int16_t>(&v)) c = {ZLP_INT16, {.i16 = *i}};
    else if (const auto* l = std::get_if<std::int32_t>(&v)) c = {ZLP_INT32, {.i32 = *l}};
    else if (const auto* f = std::get_if<float>(&v)) c = {ZLP_FLOAT, {.f32 = *f}};
    else if (const auto* t = std::get_if<std::string>(&v)) c = {ZLP_STRING, {.str = t->c_str()}};
    return c;
}

} // namespace

TEST(Errors, EachNumberHasExactlyTheTextOfTheTableAndTellsTheRestInItsDetail)
{
    auto o = CreateObject("ZarvLinesParm.CircleElipseCls");
    zlp_object* handle = nullptr;
    ASSERT_EQ(zlp_create("ZarvLinesParm.CircleElipseCls", &handle), ZLP_OK);
    const zlp_variant three = cValue(std::int16_t{3});
    zlp_variant unknownType = three;
    unknownType.type = 42;
    std::string umlauts; // longer than the C interface keeps, and with a character at the cut
    for (int i = 0; i < 2000; ++i)
        umlauts += "\xC3\xA4";
    const struct
    {
        int number;
        const char* text;
        std::function<void()> cpp;     // fails with `number` in C++, where a detail could creep in
        std::function<zlp_status()> c; // the same through the C interface
        std::string detail;            // what the detail holds
    } table[] = {
        {5, "Invalid procedure call or argument", {}, [] { return zlp_create(nullptr, nullptr); }, "null"},
        {6, "Overflow", [&] { o->invoke("Fill", Invoke::Let, {1e300}); }, {}, ""},
        {7, "Out of memory", {}, {}, ""},
        {9, "Subscript out of range", [&] { o->invoke("Cor", Invoke::Get, {std::int16_t{3}}); },
         [&] { return zlp_get(handle, "Cor", &three, 1, nullptr); }, ""},
        {13, "Type mismatch", [&] { o->invoke("Fill", Invoke::Let, {std::string("x")}); },
         [&] { return zlp_let(handle, "Fill", &unknownType, 1); }, ""},
        {51, "Internal error", {}, {}, ""},
        {68, "Device unavailable", {}, {}, ""},
        {75, "Path/File access error", {}, {}, ""},
        {91, "Object variable or With block variable not set", {},
         [] { return zlp_get(nullptr, "Fill", nullptr, 0, nullptr); }, "handle"},
        {380, "Invalid property value", {}, {}, ""},
        {400, "Form already displayed; can't show modally", {}, {}, ""},
        {429, "Can't create object", [&] { CreateObject(umlauts); },
         [&] { return zlp_create(umlauts.c_str(), &handle); }, ""},
        {438, "Object doesn't support this property or method", [&] { o->invoke("Colour", Invoke::Get, {}); },
         [&] { return zlp_get(handle, "Colour", nullptr, 0, nullptr); }, "Colour"},
        {450, "Wrong number of arguments or invalid property assignment",
         [&] { o->invoke("Fill", Invoke::Get, {std::int16_t{1}}); },
         [&] { return zlp_get(handle, "Fill", &three, 1, nullptr); }, ""},
    };
    for (const auto& row : table) {
        EXPECT_EQ(Error::standardText(row.number), row.text);
        if (row.cpp) {
            try {
                row.cpp();
                ADD_FAILURE() << row.number;
            } catch (const Error& e) {
                EXPECT_EQ(e.number(), row.number);
                EXPECT_STREQ(e.what(), row.text);
                EXPECT_NE(std::string(e.detail()).find(row.detail), std::string::npos) << e.detail();
            }
        }
        if (row.c) {
            EXPECT_EQ(row.c(), row.number);
            EXPECT_STREQ(zlp_last_error_text(), row.text);
            EXPECT_NE(std::string(zlp_last_error_detail()).find(row.detail), std::string::npos) << row.number;
        }
    }
    // A detail longer than the C interface keeps ends before the character the cut would split.
    EXPECT_EQ(zlp_create(umlauts.c_str(), &handle), 429);
    EXPECT_EQ(zlp_last_error_detail(), umlauts.substr(0, 1022));
    EXPECT_EQ(zlp_release(handle), ZLP_OK);
}

TEST(Unloading, IsRefusedWhileAStartRunsEvenWithNoHandleLeft)
{
    zlp_object* circle = nullptr;
    ASSERT_EQ(zlp_create("ZarvLinesParm.CircleElipseCls", &circle), ZLP_OK);
    zlp_status duringStart = -1;
    whenModal(QStringLiteral("CircleElipse"), [&](QDialog& d) {
        EXPECT_EQ(zlp_release(circle), ZLP_OK); // the host lets go from inside the dialog's loop
        duringStart = DllCanUnloadNow();
        press(d, "Command2");
    });
    const zlp_variant args[2] = {cValue(std::int16_t{0}), {ZLP_STRING, {.str = "Circle"}}};
    EXPECT_EQ(zlp_call(circle, "Start", args, 2, nullptr), ZLP_OK);
    EXPECT_EQ(duringStart, ZLP_FALSE);
    EXPECT_EQ(DllCanUnloadNow(), ZLP_OK);
}

namespace {

// A value of the member's type for each property, as the host's own thread sets them.
Values hostValues(const std::string& progId)
{
    Values values;
    for (const MemberInfo& m : Describe(progId)) {
        if (m.kind != MemberInfo::Kind::Property)
            continue;
        for (int i = m.index ? m.index->first : 0; i <= (m.index ? m.index->second : 0); ++i) {
            const std::string name = m.index ? m.name + "(" + std::to_string(i) + ")" : m.name;
            switch (m.type) {
            case ValueType::Int16: values[name] = std::int16_t{1}; break;
            case ValueType::Int32: values[name] = std::int32_t{0x102030 + i}; break;
            case ValueType::Float: values[name] = 0.25f * float(1 + i); break;
            case ValueType::String: values[name] = std::string("host"); break;
            }
        }
    }
    return values;
}

// The arguments of a well-formed call of `m` as `kind`; nothing when `m` takes no such call.
std::optional<std::vector<Variant>> argumentsFor(const MemberInfo& m, Invoke kind)
{
    if ((m.kind == MemberInfo::Kind::Method) != (kind == Invoke::Method))
        return std::nullopt;
    if (kind == Invoke::Method)
        return m.arguments.size() == 2 ? std::vector<Variant>{std::int16_t{1}, std::string("off")}
                                       : std::vector<Variant>{std::int16_t{1}};
    std::vector<Variant> args;
    if (m.index)
        args.emplace_back(m.index->first);
    if (kind == Invoke::Let)
        args.push_back(m.type == ValueType::String ? Variant(std::string("off"))
                       : m.type == ValueType::Float ? Variant(7.5f)
                                                    : Variant(std::int16_t{7}));
    return args;
}

// Calls that must fail with error 5, and how many did not.
struct Refusals {
    std::atomic<long> calls{0};
    std::atomic<long> wrong{0};
    void expect(int number)
    {
        ++calls;
        if (number != 5)
            ++wrong;
    }
    void expect(const std::function<void()>& call) { expect(testsupport::errorOf(call)); }
};

template <class... Classes>
void typedCalls(Refusals& refusals)
{
    (refusals.expect([] { Classes{}.SaveDefault(7); }), ...);
    (refusals.expect([] { (void)Classes{}.SaveDefault(); }), ...);
}

// Every member of every class, typed, late-bound and through the C interface, off the owning
// thread; creating and releasing objects and reading the class table on the way, which any
// thread may do.
void callEverythingOffThread(Refusals& refusals)
{
    typedCalls<RetracementParmClass, ZarvArcsParmClass, ZarvRangerParmClass, ZarvExpParmClass, zarvFanParmClass,
               ZarvForkParmClass, ZarvDravelPArmClass, GannSQ9ParmClass, ZarvGannParmClass, GannFanParmClass,
               ZarvLeastSquareClass, CircleElipseCls>(refusals);
    refusals.expect([] { ZarvRangerParmClass{}.Caption("off"); });
    refusals.expect([] { (void)ZarvRangerParmClass{}.ExtendRightCaption(); });
    refusals.expect([] { ZarvExpParmClass{}.Caption("off"); });
    refusals.expect([] { CircleElipseCls{}.Start(1, "off"); });
    for (const std::string& progId : ProgIds()) {
        const auto o = CreateObject(progId);
        zlp_object* handle = nullptr;
        if (zlp_create(progId.c_str(), &handle) != ZLP_OK)
            ++refusals.wrong;
        for (const MemberInfo& m : Describe(progId))
            for (const Invoke kind : {Invoke::Get, Invoke::Let, Invoke::Method}) {
                const auto args = argumentsFor(m, kind);
                if (!args)
                    continue;
                refusals.expect([&] { o->invoke(m.name, kind, *args); });
                std::vector<zlp_variant> c;
                for (const Variant& v : *args)
                    c.push_back(cValue(v));
                zlp_variant result{};
                refusals.expect(kind == Invoke::Get ? zlp_get(handle, m.name.c_str(), c.data(), c.size(), &result)
                                : kind == Invoke::Let ? zlp_let(handle, m.name.c_str(), c.data(), c.size())
                                                      : zlp_call(handle, m.name.c_str(), c.data(), c.size(), &result));
            }
        if (zlp_release(handle) != ZLP_OK)
            ++refusals.wrong;
    }
}

} // namespace

TEST(Threads, MembersCalledOffTheApplicationsThreadFailWithFiveAndChangeNothing)
{
    std::map<std::string, Values> alone;
    for (const std::string& progId : ProgIds())
        alone[progId] = Tool{progId}.run(hostValues(progId), ok);

    Refusals refusals;
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            while (!stop)
                callEverythingOffThread(refusals);
        });
    for (int round = 0; round < 2; ++round)
        for (const std::string& progId : ProgIds())
            EXPECT_EQ(Tool{progId}.run(hostValues(progId), ok), alone[progId]) << progId;
    stop = true;
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(refusals.wrong, 0) << "of " << refusals.calls;
    EXPECT_GT(refusals.calls, 1000);
}
