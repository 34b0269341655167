// The soak: many Start calls over every class the library publishes, each dialog ended in turn
// by "OK", "Cancel", "Save as Default" and a close from the title bar, with colours chosen and
// choosers cancelled along the way. After every call each getter must hold what the dialog
// protocol promises, no top-level widget may remain, and over the run the resident memory may
// not creep. On an X server the dialog's _NET_WM_STATE is read with xprop and must say above.
//
//     soak [--calls N] [--xprop-every K]      (defaults 500 and 25)
//
// Classes are found through ProgIds() and Describe(), so a tool added later is soaked without
// an edit here. For the tools listed in `representative` below, values are chosen so that every
// getter has one exact expected value after each ending; a class without an entry is checked on
// what holds for every tool: its colours and SaveDefault.

#include "support/ModalDriver.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

using namespace ZarvLinesParm;
using namespace testsupport;

namespace {

int calls = 500;
int xpropEvery = 25;

// ---- Representative values ------------------------------------------------------------------
//
// For each tool, values with which "OK" without edits, "Cancel" and a close all give back exactly
// what was set: values of at most six significant digits inside the tool's bounds (three
// decimals where the box shows three), flag sets in the low 8 bits (the boxes' masks then
// keep every bit), check-box fields at 0 or 1, valid option and list positions, and nothing left
// at zero where a default would be put in. Two alternatives per field, used in turn, so that a
// dialog that showed the previous call's values would be caught. Colours (every Int32 member
// whose name starts with "Cor") and SaveDefault are set by the soak itself.

using Value = std::variant<double, std::string>;

struct Setting {
    const char* member;
    std::int16_t index; // 0: not indexed
    Value alternatives[2];
};

const std::map<std::string, std::vector<Setting>>& representative()
{
    static const std::map<std::string, std::vector<Setting>> table{
        {"RetracementParmClass",
         {{"Extend", 0, {1.0, 0.0}},
          {"Numbers", 0, {0.0, 1.0}},
          {"V", 1, {0.382, 0.5}},
          {"V", 2, {0.5, 0.618}},
          {"V", 3, {0.618, 1.0}},
          {"V", 4, {1.0, 1.618}},
          {"V", 5, {1.618, 2.618}},
          {"V", 6, {2.618, -4.236}}}},
        {"ZarvArcsParmClass",
         {{"FullCircle", 0, {1.0, 2.0}},
          {"V", 1, {0.382, 0.5}},
          {"V", 2, {0.5, 0.618}},
          {"V", 3, {0.618, 1.0}},
          {"V", 4, {1.0, 1.618}},
          {"V", 5, {1.618, 2.618}},
          {"V", 6, {2.618, 423.607}}}},
        {"ZarvRangerParmClass",
         {{"Periodos", 0, {5.0, 14.0}},
          {"Cte1", 0, {0.5, 0.25}},
          {"Cte2", 0, {1.5, -2.125}},
          {"ONH", 0, {std::string("abc"), std::string("host text")}},
          {"Caption", 0, {std::string("Range"), std::string("Zarv Range")}},
          {"ExtendRightCaption", 0, {std::string("Extend Right"), std::string("Further")}},
          {"ExtendRight", 0, {1.0, 0.0}}}},
        // The second caption gives the reduced layout, where values between 0 and 3.2 still
        // come back as set.
        {"ZarvExpParmClass",
         {{"Caption", 0, {std::string("Expansion Parameters"), std::string("Brastel Options")}},
          {"FExpShow", 0, {double(0x15), double(0xEB)}},
          {"V", 1, {0.618, 0.5}},
          {"V", 2, {-1.0, 1.5}},
          {"V", 3, {1.618, 2.0}},
          {"V", 4, {2.618, 3.2}}}},
        {"zarvFanParmClass",
         {{"FanShow", 0, {double(0x35), double(0xCA)}},
          {"HLines", 0, {1.0, 0.0}},
          {"AteFim", 0, {3.0, double(0x80)}},
          {"Porcento", 1, {38.2, 23.6}},
          {"Porcento", 2, {50.0, 76.4}},
          {"Porcento", 3, {61.8, 100.0}},
          {"Porcento", 4, {76.4, -0.5}}}},
        {"ZarvForkParmClass",
         {{"ForkShow", 0, {double(0x0D), double(0xF2)}},
          {"Per1", 1, {0.25, 0.5}},
          {"Per1", 2, {0.5, 1.0}},
          {"Per1", 3, {0.75, 1.5}},
          {"Per1", 4, {1.25, 2.0}}}},
        {"ZarvDravelPArmClass", {{"V", 1, {0.5, 1.25}}, {"V", 2, {1.5, -0.25}}}},
        {"GannSQ9ParmClass",
         {{"Price", 0, {37.0, 200.0}},
          {"Time", 0, {double(0xA5), double(0x5A)}},
          {"UpDown", 0, {1.0, 0.0}},
          {"Step", 0, {0.25, 2.0}}}},
        {"ZarvGannParmClass", {{"NZones", 0, {12.0, 50.0}}}},
        {"GannFanParmClass",
         {{"V", 1, {1.0, 0.5}},
          {"V", 2, {2.0, 1.0}},
          {"V", 3, {3.0, 1.5}},
          {"V", 4, {4.0, 2.0}},
          {"V", 5, {8.0, 3.0}},
          {"V", 6, {0.5, -4.0}}}},
        {"ZarvLeastSquareClass", {{"UseToCalc", 0, {3.0, 5.0}}, {"V", 1, {2.0, 1.5}}, {"V", 2, {2.0, 2.5}}}},
        {"CircleElipseCls", {{"Fill", 0, {1.0, 0.0}}}},
    };
    return table;
}

// ---- One class as late binding sees it ------------------------------------------------------

using Key = std::pair<std::string, std::int16_t>; // member, index (0: not indexed)

struct ClassUnderSoak {
    std::string progId;
    std::string name; // without "ZarvLinesParm."
    std::vector<MemberInfo> properties;
    std::vector<ValueType> startArguments;
    const std::vector<Setting>* table = nullptr;
    std::optional<std::map<Key, Variant>> lastOutcome;
    int starts = 0;
};

std::vector<std::int16_t> indexesOf(const MemberInfo& m)
{
    if (!m.index)
        return {0};
    std::vector<std::int16_t> out;
    for (int i = m.index->first; i <= m.index->second; ++i)
        out.push_back(static_cast<std::int16_t>(i));
    return out;
}

bool isColour(const MemberInfo& m) { return m.type == ValueType::Int32 && m.name.rfind("Cor", 0) == 0; }

Variant typed(const Value& v, ValueType type)
{
    if (const auto* s = std::get_if<std::string>(&v))
        return *s;
    const double d = std::get<double>(v);
    switch (type) {
    case ValueType::Int16: return static_cast<std::int16_t>(d);
    case ValueType::Int32: return static_cast<std::int32_t>(d);
    case ValueType::Float: return static_cast<float>(d);
    case ValueType::String: break;
    }
    return std::string();
}

std::vector<Variant> argsFor(std::int16_t index)
{
    return index ? std::vector<Variant>{index} : std::vector<Variant>{};
}

std::map<Key, Variant> readAll(Object& object, const ClassUnderSoak& c)
{
    std::map<Key, Variant> out;
    for (const MemberInfo& m : c.properties)
        for (const std::int16_t i : indexesOf(m))
            out[{m.name, i}] = object.invoke(m.name, Invoke::Get, argsFor(i));
    return out;
}

void let(Object& object, const Key& key, const Variant& value)
{
    std::vector<Variant> args = argsFor(key.second);
    args.push_back(value);
    object.invoke(key.first, Invoke::Let, args);
}

std::string show(const Variant& v)
{
    return std::visit(
        [](const auto& x) -> std::string {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return "(empty)";
            else if constexpr (std::is_same_v<T, std::string>)
                return '"' + x + '"';
            else if constexpr (std::is_floating_point_v<T>) {
                char text[32];
                std::snprintf(text, sizeof text, "%.9g", static_cast<double>(x)); // every float apart
                return text;
            } else
                return std::to_string(x);
        },
        v);
}

std::string show(const Key& k) { return k.second ? k.first + "(" + std::to_string(k.second) + ")" : k.first; }

// The colour member a swatch edits: "Cor1(k)" edits Cor(k + 1); a single swatch "CorN" edits
// the member of that name or, for "Cor1" where there is none, the class's one colour "Cor".
std::optional<Key> colourOfSwatch(const QString& swatch, const ClassUnderSoak& c)
{
    auto find = [&](const std::string& name, bool indexed) -> const MemberInfo* {
        for (const MemberInfo& m : c.properties)
            if (m.name == name && m.index.has_value() == indexed && isColour(m))
                return &m;
        return nullptr;
    };
    const std::string s = swatch.toStdString();
    const auto paren = s.find('(');
    if (paren != std::string::npos) {
        if (find("Cor", true))
            return Key{"Cor", static_cast<std::int16_t>(std::stoi(s.substr(paren + 1)) + 1)};
        return std::nullopt;
    }
    if (find(s, false))
        return Key{s, 0};
    if (s == "Cor1" && find("Cor", false))
        return Key{"Cor", 0};
    return std::nullopt;
}

// ---- Driving ----------------------------------------------------------------------------------

enum class Ending { Ok, Cancel, SaveAsDefault, Close };
const char* const endingNames[] = {"OK", "Cancel", "Save as Default", "close"};

// _NET_WM_STATE of the dialog's X window as xprop reads it from the server.
QString netWmState(QDialog& dialog)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(dialog.winId()), QStringLiteral("_NET_WM_STATE")});
    if (!xprop.waitForFinished(5000))
        return QStringLiteral("(xprop did not finish)");
    return QString::fromLocal8Bit(xprop.readAllStandardOutput() + xprop.readAllStandardError()).trimmed();
}

std::size_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool sanitized = true;
#else
constexpr bool sanitized = false;
#endif
#else
constexpr bool sanitized = false;
#endif

std::vector<ClassUnderSoak> everyClass()
{
    std::vector<ClassUnderSoak> out;
    for (const std::string& progId : ProgIds()) {
        ClassUnderSoak c;
        c.progId = progId;
        c.name = progId.substr(progId.find('.') + 1);
        for (MemberInfo& m : Describe(progId)) {
            if (m.kind == MemberInfo::Kind::Property)
                c.properties.push_back(std::move(m));
            else if (m.name == "Start")
                c.startArguments = m.arguments;
        }
        const auto entry = representative().find(c.name);
        if (entry != representative().end())
            c.table = &entry->second;
        out.push_back(std::move(c));
    }
    return out;
}

struct Tally {
    int xpropChecks = 0;
    int coloursChosen = 0;
    int choosersCancelled = 0;
    int endings[4] = {};
};

// One Start of `c`, ended by `ending`; returns false once something failed.
bool soakOnce(ClassUnderSoak& c, int step, Ending ending, std::mt19937& random, Tally& tally)
{
    SCOPED_TRACE("call " + std::to_string(step) + ": " + c.name + ", " + endingNames[int(ending)]);
    const int alternative = (c.starts / 4) % 2;
    auto object = CreateObject(c.progId);

    // What the host sets: the representative values, fresh colours, SaveDefault 0.
    std::map<Key, Variant> set;
    std::uniform_int_distribution<std::int32_t> colour(1, 0xFFFFFF);
    for (const MemberInfo& m : c.properties)
        if (isColour(m))
            for (const std::int16_t i : indexesOf(m))
                set[{m.name, i}] = colour(random);
    set[{"SaveDefault", 0}] = std::int16_t{0};
    if (c.table)
        for (const Setting& s : *c.table)
            for (const MemberInfo& m : c.properties)
                if (m.name == s.member)
                    set[{m.name, s.index}] = typed(s.alternatives[alternative], m.type);
    for (const auto& [key, value] : set)
        let(*object, key, value);

    // A setter does not reach its getter before the next Start (strings outside the records
    // aside, which have no working copy).
    if (c.lastOutcome) {
        for (const auto& [key, value] : readAll(*object, c))
            if (!std::holds_alternative<std::string>(value)) {
                EXPECT_EQ(value, c.lastOutcome->at(key)) << show(key) << " changed before Start";
            }
    }

    const std::int16_t fdef = ending == Ending::SaveAsDefault || (c.starts / 8) % 2 ? std::int16_t(1 + c.starts % 7)
                                                                                    : std::int16_t(0);
    std::map<Key, Variant> chosen; // colours picked in this dialog
    const bool checkXprop = QGuiApplication::platformName() == QLatin1String("xcb")
        && (c.starts < 2 || step % xpropEvery == 0);

    whenModal({}, [&](QDialog& d) {
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(child<QPushButton>(d, "Command3").isVisibleTo(&d), fdef != 0);
        if (checkXprop) {
            const QString state = netWmState(d);
            EXPECT_TRUE(state.contains(QLatin1String("_NET_WM_STATE_ABOVE"))) << state.toStdString();
            ++tally.xpropChecks;
        }

        std::vector<QLabel*> swatches;
        for (QLabel* label : d.findChildren<QLabel*>())
            if (label->objectName().startsWith(QLatin1String("Cor")) && label->isVisibleTo(&d))
                swatches.push_back(label);
        if (!swatches.empty() && c.starts % 3 != 2) {
            QLabel* swatch = swatches[static_cast<std::size_t>(c.starts / 3) % swatches.size()];
            const auto key = colourOfSwatch(swatch->objectName(), c);
            EXPECT_TRUE(key.has_value()) << "no colour member for " << swatch->objectName().toStdString();
            if (key) {
                const Variant current = chosen.count(*key) ? chosen[*key] : set[*key];
                const bool pick = c.starts % 3 == 0;
                const std::int32_t rgb = colour(random);
                const std::int32_t openedOn = chooseColour(d, swatch->objectName(),
                                                           pick ? std::optional(rgb) : std::nullopt);
                EXPECT_EQ(Variant(openedOn), current) << "the chooser of " << swatch->objectName().toStdString();
                if (pick) {
                    chosen[*key] = rgb;
                    ++tally.coloursChosen;
                } else {
                    ++tally.choosersCancelled;
                }
            }
        }

        switch (ending) {
        case Ending::Ok: press(d, "Command1"); break;
        case Ending::Cancel: press(d, "Command2"); break;
        case Ending::SaveAsDefault: press(d, "Command3"); break;
        case Ending::Close: d.close(); break;
        }
    });
    std::vector<Variant> startArgs{fdef};
    for (std::size_t i = 1; i < c.startArguments.size(); ++i)
        startArgs.push_back(c.startArguments[i] == ValueType::String ? Variant(std::string("Soak"))
                                                                     : Variant(std::int16_t{0}));
    EXPECT_EQ(object->invoke("Start", Invoke::Method, startArgs), Variant{});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ++c.starts;
    ++tally.endings[int(ending)];

    // What the protocol promises. "Cancel" restores everything the host set; the other endings
    // keep the colours picked; "Save as Default" sets SaveDefault to 1.
    std::map<Key, Variant> expected = set;
    if (ending != Ending::Cancel)
        for (const auto& [key, value] : chosen)
            expected[key] = value;
    if (ending == Ending::SaveAsDefault)
        expected[{"SaveDefault", 0}] = std::int16_t{1};
    const std::map<Key, Variant> outcome = readAll(*object, c);
    for (const auto& [key, value] : expected)
        EXPECT_EQ(outcome.at(key), value)
            << show(key) << " is " << show(outcome.at(key)) << ", expected " << show(value);
    c.lastOutcome = outcome;

    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty())
        << QApplication::topLevelWidgets().size() << " top-level widgets left";
    return !::testing::Test::HasFailure();
}

TEST(Soak, EveryClassHoldsItsProtocolOverManyStarts)
{
    std::vector<ClassUnderSoak> classes = everyClass();
    ASSERT_FALSE(classes.empty());
    for (const ClassUnderSoak& c : classes)
        std::printf("%-24s %s\n", c.name.c_str(), c.table ? "representative values" : "colours and SaveDefault only");

    std::mt19937 random(20261206);
    Tally tally;
    const int warmUp = std::min(1000, calls / 5);
    std::size_t rssAfterWarmUp = 0;
    for (int step = 0; step < calls; ++step) {
        ClassUnderSoak& c = classes[static_cast<std::size_t>(step) % classes.size()];
        const auto ending = static_cast<Ending>(c.starts % 4);
        if (!soakOnce(c, step, ending, random, tally)) {
            ADD_FAILURE() << "stopped at call " << step;
            return;
        }
        if (step + 1 == warmUp)
            rssAfterWarmUp = residentBytes();
    }
    const std::size_t rssAtEnd = residentBytes();
    std::printf("%d calls on %s: OK %d, Cancel %d, Save as Default %d, close %d; %d colours chosen, %d choosers "
                "cancelled; %d _NET_WM_STATE checks\n",
                calls, qPrintable(QGuiApplication::platformName()), tally.endings[0], tally.endings[1],
                tally.endings[2], tally.endings[3], tally.coloursChosen, tally.choosersCancelled, tally.xpropChecks);
    std::printf("resident memory after call %d: %zu KiB, after call %d: %zu KiB (%+lld KiB)\n", warmUp,
                rssAfterWarmUp / 1024, calls, rssAtEnd / 1024,
                (static_cast<long long>(rssAtEnd) - static_cast<long long>(rssAfterWarmUp)) / 1024);
    // The sanitizers hold freed memory back on purpose; there growth says nothing.
    if (!sanitized) {
        EXPECT_LT(rssAtEnd, rssAfterWarmUp + 1024 * 1024);
    }
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        EXPECT_GT(tally.xpropChecks, 0);
    }
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--calls")
            calls = std::max(1, std::atoi(argv[i + 1]));
        else if (std::string(argv[i]) == "--xprop-every")
            xpropEvery = std::max(1, std::atoi(argv[i + 1]));
    }
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QLatin1String("does not support propagateSizeHints"))
            && !message.contains(QLatin1String("XDG_RUNTIME_DIR")))
            previous(type, context, message);
    });
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
