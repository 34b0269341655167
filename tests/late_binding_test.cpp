// Creating by name and late binding: the conversions and the errors a late-bound caller sees.

#include "support/ToolDriver.h"

#include <ZarvLinesParm/ZarvLinesParm.h>
#include <ZarvLinesParm/zarvlinesparm.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <map>
#include <regex>
#include <set>
#include <thread>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

// The parameter record as the getters show it after Start and Cancel (Start named in any case,
// its FDef given as a double).
Variant parameterValue(Object& o, std::string_view member, std::vector<Variant> index = {})
{
    whenModal(QStringLiteral("CircleElipse"), [](QDialog& d) { press(d, "Command2"); });
    EXPECT_EQ(o.invoke("start", Invoke::Method, {1.0, std::string("x")}), Variant{});
    return o.invoke(member, Invoke::Get, index);
}

// Values of each property's type, none of them 7.
Values distinctValues(const std::string& progId)
{
    Values set;
    for (const MemberInfo& m : Describe(progId))
        for (int i = m.index ? m.index->first : 0;
             m.kind == MemberInfo::Kind::Property && i <= (m.index ? m.index->second : 0); ++i) {
            const std::string name = m.index ? m.name + "(" + std::to_string(i) + ")" : m.name;
            switch (m.type) {
            case ValueType::Int16: set[name] = std::int16_t(1); break;
            case ValueType::Int32: set[name] = std::int32_t(0x102030 + i); break;
            case ValueType::Float: set[name] = 0.5f + float(i); break;
            case ValueType::String: set[name] = std::string("s"); break;
            }
        }
    return set;
}

} // namespace

// What hosts may have stored, fixed for good: the twelve classes' names, class identifiers, and
// members in their order. Every other check finds the classes through ProgIds().
TEST(CreateObject, ThePublishedClassesKeepTheirNamesIdentifiersAndMembersInOrder)
{
    // clang-format off
    const struct {
        const char* progId;
        const char* classId;
        std::vector<std::string> members;
    } published[] = {
        {"ZarvLinesParm.RetracementParmClass", "{C8569CD9-CC65-40F1-9A0A-BC2965D8238A}",
         {"Cor(1..1)", "SaveDefault", "V(1..6)", "Start", "Extend", "Numbers"}},
        {"ZarvLinesParm.ZarvArcsParmClass",    "{4BE56B9B-AF40-4E9A-8CEB-3EB04B96ACCE}",
         {"Cor(1..1)", "SaveDefault", "V(1..6)", "Start", "FullCircle"}},
        {"ZarvLinesParm.ZarvRangerParmClass",  "{6ACCECC7-A4A7-4B2A-806D-914D61E61B24}",
         {"Periodos", "Cte1", "Cte2", "Cor1", "Cor2", "Cor3", "ONH", "Caption", "ExtendRightCaption", "ExtendRight",
          "Start", "SaveDefault"}},
        {"ZarvLinesParm.ZarvExpParmClass",     "{AE01A118-85B6-464B-A5AB-0280B30BD0C3}",
         {"Caption", "FExpShow", "Cor(1..4)", "SaveDefault", "V(1..4)", "Start"}},
        {"ZarvLinesParm.zarvFanParmClass",     "{D86272E1-CD0C-45E8-B220-2232260DCB92}",
         {"Cor(1..4)", "Porcento(1..4)", "FanShow", "HLines", "AteFim", "SaveDefault", "Start"}},
        {"ZarvLinesParm.ZarvForkParmClass",    "{09CAF74F-DAA2-4B22-A75B-F6EB32EE9DDA}",
         {"SaveDefault", "ForkShow", "Cor(1..4)", "Per1(1..4)", "Start"}},
        {"ZarvLinesParm.ZarvDravelPArmClass",  "{0256CAB5-02BC-43F5-A591-03057242E0E8}",
         {"Cor(1..2)", "SaveDefault", "V(1..2)", "Start"}},
        {"ZarvLinesParm.GannSQ9ParmClass",     "{A21F6E1B-AABC-4D54-BFC8-C45380B764DF}",
         {"Cor", "Price", "Time", "SaveDefault", "Start", "Step", "UpDown"}},
        {"ZarvLinesParm.ZarvGannParmClass",    "{AF79F937-8D64-4696-A380-B479E77A0ABD}",
         {"Cor(1..2)", "SaveDefault", "Start", "NZones"}},
        {"ZarvLinesParm.GannFanParmClass",     "{9C00F6C9-DD3E-4415-A23E-D39E6CAC1B3C}",
         {"Cor(1..1)", "SaveDefault", "V(1..6)", "Start"}},
        {"ZarvLinesParm.ZarvLeastSquareClass", "{B09E6DAD-5911-48CC-82E9-6182C19CDC91}",
         {"Cor(1..3)", "SaveDefault", "V(1..2)", "Start", "UseToCalc"}},
        {"ZarvLinesParm.CircleElipseCls",      "{7EFD7251-C3D8-44CC-9131-7A807D4BBC0D}",
         {"Cor(1..2)", "Fill", "SaveDefault", "Start"}},
    };
    // clang-format on
    std::map<std::string, std::string> classIds; // as the C interface lists the classes
    std::size_t count = 0;
    ASSERT_EQ(zlp_class_count(&count), ZLP_OK);
    for (std::size_t i = 0; i < count; ++i) {
        const char* progId = nullptr;
        const char* classId = nullptr;
        ASSERT_EQ(zlp_class_progid(i, &progId), ZLP_OK);
        ASSERT_EQ(zlp_class_id(i, &classId), ZLP_OK);
        classIds[progId] = classId;
    }
    // Every class, also one added later, has an identifier of its own: one copied with another
    // tool's file would make the registry send that tool's hosts to it.
    std::set<std::string> distinct;
    for (const auto& [progId, classId] : classIds) {
        EXPECT_TRUE(std::regex_match(classId, std::regex(R"(\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\})")))
            << progId;
        EXPECT_TRUE(distinct.insert(classId).second) << progId << " shares " << classId;
    }
    for (const auto& [progId, classId, members] : published) {
        EXPECT_EQ(classIds[progId], classId) << progId;
        std::vector<std::string> names;
        for (const MemberInfo& m : Describe(progId))
            names.push_back(m.index ? m.name + "(" + std::to_string(m.index->first) + ".."
                                    + std::to_string(m.index->second) + ")"
                                    : m.name);
        EXPECT_EQ(names, members) << progId;
    }
}

TEST(CreateObject, EachClassByItsNameInAnyCaseRefusesIndexesOutOfRange)
{
    for (const std::string& progId : ProgIds()) {
        std::string upper = progId;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        EXPECT_EQ(CreateObject(upper)->progId(), progId);

        // An index outside the range fails with 9 on getter and setter, and changes neither what
        // the getters read nor what the next "Cancel" restores.
        const Tool tool{progId};
        const Values before = tool.run(distinctValues(progId), cancel);
        auto o = CreateObject(progId);
        for (const MemberInfo& m : Describe(progId)) {
            if (!m.index)
                continue;
            for (const int i : {m.index->first - 1, m.index->second + 1, -32768, 32767}) {
                const std::vector<Variant> get{std::int16_t(i)}, let{std::int16_t(i), std::int16_t(7)};
                EXPECT_EQ(errorOf([&] { o->invoke(m.name, Invoke::Get, get); }), 9) << progId << " " << m.name << i;
                EXPECT_EQ(errorOf([&] { o->invoke(m.name, Invoke::Let, let); }), 9) << progId << " " << m.name << i;
            }
        }
        EXPECT_EQ(readAll(*CreateObject(progId)), before) << progId;
        EXPECT_EQ(tool.run({}, cancel), before) << progId;
    }
    for (const char* unknown : {"ZarvLinesParm.Nothing", "", "CircleElipseCls", "ZarvLinesParm.CircleElipseCl"})
        EXPECT_EQ(errorOf([&] { CreateObject(unknown); }), 429) << unknown;
    EXPECT_NE(dynamic_cast<CircleElipseCls*>(CreateObject("ZarvLinesParm.CircleElipseCls").get()), nullptr);
    ZarvRangerParmClass{}.Caption("");
    ZarvRangerParmClass{}.ExtendRightCaption("");
}

// Member names in any case; numbers converted to the member's own type, half to even, empty as zero.
TEST(LateBinding, MembersAnswerInAnyCaseAndNumbersConvertToTheirTypeHalfToEven)
{
    auto o = CreateObject("ZarvLinesParm.CircleElipseCls");
    const std::pair<Variant, std::int16_t> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.5f, 2}, {std::int32_t{-7}, -7}, {Variant{}, 0}, {32767.4, 32767},
    };
    for (const auto& [given, stored] : cases) {
        o->invoke("FILL", Invoke::Let, {given});
        EXPECT_EQ(parameterValue(*o, "fill"), Variant(stored));
    }
    // The index converts the same way: 1.5 is index 2.
    o->invoke("cor", Invoke::Let, {1.5, 4.5});
    EXPECT_EQ(parameterValue(*o, "Cor", {2.4}), Variant(std::int32_t{4}));
}

TEST(LateBinding, CallsThatDoNotFitTheMemberFailWithTheirNumberAndChangeNothing)
{
    auto o = CreateObject("ZarvLinesParm.CircleElipseCls");
    o->invoke("Fill", Invoke::Let, {std::int16_t{4}});
    o->invoke("Cor", Invoke::Let, {std::int16_t{2}, std::int32_t{77}});
    const std::string text("1");
    const struct {
        const char* member;
        Invoke kind;
        std::vector<Variant> args;
        int error;
    } calls[] = {
        // Arguments convert before the index is checked (indexes out of range are the class test's).
        {"Cor", Invoke::Get, {std::int32_t{70000}}, 6},
        {"Cor", Invoke::Let, {std::int16_t{3}, text}, 13},
        // Values that do not fit, or do not convert.
        {"Fill", Invoke::Let, {32767.5}, 6}, // rounds to 32768
        {"Fill", Invoke::Let, {std::int32_t{-40000}}, 6},
        {"Fill", Invoke::Let, {std::numeric_limits<double>::quiet_NaN()}, 6},
        {"Fill", Invoke::Let, {text}, 13},
        {"Cor", Invoke::Let, {std::int16_t{2}, 3e9}, 6},
        {"Cor", Invoke::Let, {std::int16_t{2}, 1e300}, 6},
        {"Cor", Invoke::Let, {text, std::int32_t{1}}, 13},
        // Unknown members, and wrong kinds or counts of arguments (others in the errors table).
        {"", Invoke::Method, {}, 438},
        {"Fill", Invoke::Let, {}, 450},
        {"Fill", Invoke::Method, {}, 450},
        {"Cor", Invoke::Get, {}, 450},
        {"Cor", Invoke::Let, {std::int16_t{1}}, 450},
        {"Start", Invoke::Get, {}, 450},
        {"Start", Invoke::Method, {std::int16_t{1}}, 450},
        {"Start", Invoke::Method, {std::int16_t{1}, std::int16_t{2}}, 13},
    };
    for (const auto& call : calls)
        EXPECT_EQ(errorOf([&] { o->invoke(call.member, call.kind, call.args); }), call.error)
            << call.member << " " << &call - calls;
    EXPECT_EQ(parameterValue(*o, "Fill"), Variant(std::int16_t{4}));
    EXPECT_EQ(o->invoke("Cor", Invoke::Get, {std::int16_t{2}}), Variant(std::int32_t{77}));
}

// ---- Errors and threads, as a host sees them ----------------------------------------

namespace {

zlp_variant cValue(const Variant& v)
{
    zlp_variant c{};
    if (const auto* i = std::get_if<std::int16_t>(&v))
        c = {ZLP_INT16, {.i16 = *i}};
    else if (const auto* l = std::get_if<std::int32_t>(&v))
        c = {ZLP_INT32, {.i32 = *l}};
    else if (const auto* f = std::get_if<float>(&v))
        c = {ZLP_FLOAT, {.f32 = *f}};
    else if (const auto* t = std::get_if<std::string>(&v))
        c = {ZLP_STRING, {.str = t->c_str()}};
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
    // clang-format off
    const struct {
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
        {13, "Type mismatch",
         [&] { CreateObject("ZarvLinesParm.ZarvRangerParmClass")->invoke("Caption", Invoke::Let, {1.5f}); },
         [&] { return zlp_let(handle, "Fill", &unknownType, 1); }, ""},
        {51, "Internal error", {}, {}, ""},
        {68, "Device unavailable", {}, {}, ""},
        {75, "Path/File access error", {}, {}, ""},
        {91, "Object variable or With block variable not set", {},
         [] { return zlp_get(nullptr, "Fill", nullptr, 0, nullptr); }, "handle"},
        {380, "Invalid property value", {}, {}, ""},
        {400, "Form already displayed; can't show modally", {}, {}, ""},
        {429, "Can't create object", [&] { CreateObject("CircleElipseCls"); },
         [&] { return zlp_create("CircleElipseCls", &handle); }, "CircleElipseCls"},
        {438, "Object doesn't support this property or method", [&] { o->invoke("Colour", Invoke::Get, {}); },
         [&] { return zlp_get(handle, "Colour", nullptr, 0, nullptr); }, "Colour"},
        {450, "Wrong number of arguments or invalid property assignment",
         [&] { o->invoke("Fill", Invoke::Get, {std::int16_t{1}}); },
         [&] { return zlp_get(handle, "Fill", &three, 1, nullptr); }, ""},
    };
    // clang-format on
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
    EXPECT_EQ(zlp_release(handle), ZLP_OK);
}

namespace {

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
        args.push_back(m.type == ValueType::String      ? Variant(std::string("off"))
                           : m.type == ValueType::Float ? Variant(7.5f)
                                                        : Variant(std::int16_t{7}));
    return args;
}

// Calls that must fail with error 5, and how many did not.
struct Refusals {
    std::atomic<long> calls{0}, wrong{0};
    void expect(int number) { ++calls, wrong += number != 5; }
    void expect(const std::function<void()>& call) { expect(errorOf(call)); }
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
                                    : kind == Invoke::Let
                                    ? zlp_let(handle, m.name.c_str(), c.data(), c.size())
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
        alone[progId] = Tool{progId}.run(distinctValues(progId), ok);

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
            EXPECT_EQ(Tool{progId}.run(distinctValues(progId), ok), alone[progId]) << progId;
    stop = true;
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(refusals.wrong, 0) << "of " << refusals.calls;
    EXPECT_GT(refusals.calls, 1000);
}
