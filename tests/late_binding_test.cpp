// Creating by name and late binding: the conversions and the errors a late-bound caller sees.

#include "support/ToolDriver.h"

#include <ZarvLinesParm/ZarvLinesParm.h>
#include <ZarvLinesParm/zarvlinesparm.h>

#include <atomic>
#include <cmath>
#include <limits>
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
        for (int i = m.index ? m.index->first : 0; m.kind == MemberInfo::Kind::Property && i <= (m.index ? m.index->second : 0); ++i) {
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

TEST(CreateObject, EachClassByItsNameInAnyCaseListsItsMembersInOrderAndRefusesIndexesOutOfRange)
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
        {"ZarvLinesParm.GannSQ9ParmClass", {"Cor", "Price", "Time", "SaveDefault", "Start", "Step", "UpDown"}},
        {"ZarvLinesParm.ZarvGannParmClass", {"Cor(1..2)", "SaveDefault", "Start", "NZones"}},
        {"ZarvLinesParm.GannFanParmClass", {"Cor(1..1)", "SaveDefault", "V(1..6)", "Start"}},
        {"ZarvLinesParm.ZarvLeastSquareClass", {"Cor(1..3)", "SaveDefault", "V(1..2)", "Start", "UseToCalc"}},
        {"ZarvLinesParm.CircleElipseCls", {"Cor(1..2)", "Fill", "SaveDefault", "Start"}},
    };
    std::vector<std::string> ids;
    for (const auto& [progId, members] : classes) {
        ids.push_back(progId);
        std::string upper = progId;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        EXPECT_EQ(CreateObject(upper)->progId(), progId);
        std::vector<std::string> names;
        for (const MemberInfo& m : Describe(upper))
            names.push_back(m.index ? m.name + "(" + std::to_string(m.index->first) + ".." + std::to_string(m.index->second) + ")"
                                    : m.name);
        EXPECT_EQ(names, members) << progId;

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
    std::vector<std::string> published = ProgIds();
    std::sort(published.begin(), published.end());
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(published, ids);
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
        EXPECT_EQ(errorOf([&] { o->invoke(call.member, call.kind, call.args); }), call.error) << call.member << " " << &call - calls;
    EXPECT_EQ(parameterValue(*o, "Fill"), Variant(std::int16_t{4}));
    EXPECT_EQ(o->invoke("Cor", Invoke::Get, {std::int16_t{2}}), Variant(std::int32_t{77}));
    auto range = CreateObject("ZarvLinesParm.ZarvRangerParmClass");
    EXPECT_EQ(errorOf([&] { range->invoke("Caption", Invoke::Let, {1.5f}); }), 13);
}

// ---- Errors and threads, as a host sees them ----------------------------------------

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
        {429, "Can't create object", [&] { CreateObject("CircleElipseCls"); },
         [&] { return zlp_create("CircleElipseCls", &handle); }, "CircleElipseCls"},
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
        args.push_back(m.type == ValueType::String ? Variant(std::string("off"))
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
