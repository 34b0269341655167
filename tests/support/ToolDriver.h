#pragma once

// Runs a tool as a host does, by its ProgID: sets values by member name, calls Start with a user
// acting on the dialog, and reads every getter back. Also the checks every class shares: its name
// and members, and indexes outside their range.

#include "support/ModalDriver.h"

#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cctype>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace testsupport {

using User = std::function<void(QDialog&)>;

/// Property values by name; an indexed one's entries are named "Name(i)". Numbers compare by
/// value whatever their type, so 1 stands for a 16-bit 1 (floats must be written as floats).
struct Values : std::map<std::string, ZarvLinesParm::Variant> {
    using map::map;
    /// These values with `changes` laid over them.
    Values with(const Values& changes) const
    {
        Values out = *this;
        for (const auto& [name, value] : changes)
            out[name] = value;
        return out;
    }
};

inline bool sameValue(const ZarvLinesParm::Variant& a, const ZarvLinesParm::Variant& b)
{
    auto number = [](const ZarvLinesParm::Variant& v) -> std::optional<double> {
        return std::visit([](const auto& x) -> std::optional<double> {
            if constexpr (std::is_arithmetic_v<std::decay_t<decltype(x)>>)
                return static_cast<double>(x);
            else
                return std::nullopt;
        }, v);
    };
    const auto x = number(a), y = number(b);
    return x && y ? *x == *y : a == b;
}

inline bool operator==(const Values& a, const Values& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto& p, const auto& q) {
        return p.first == q.first && sameValue(p.second, q.second);
    });
}

inline void PrintTo(const Values& values, std::ostream* os)
{
    *os << "{";
    for (const auto& [name, value] : values) {
        *os << " " << name << "=";
        std::visit([os](const auto& x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::string>)
                *os << '"' << x << '"';
            else if constexpr (std::is_same_v<T, std::monostate>)
                *os << "empty";
            else if constexpr (std::is_floating_point_v<T>)
                *os << ::testing::PrintToString(x);
            else
                *os << static_cast<long>(x);
        }, value);
    }
    *os << " }";
}

/// Every property of the class, every index of an indexed one.
inline Values readAll(ZarvLinesParm::Object& o)
{
    using namespace ZarvLinesParm;
    Values out;
    for (const MemberInfo& m : Describe(o.progId())) {
        if (m.kind != MemberInfo::Kind::Property)
            continue;
        if (!m.index) {
            out[m.name] = o.invoke(m.name, Invoke::Get, {});
            continue;
        }
        for (int i = m.index->first; i <= m.index->second; ++i)
            out[m.name + "(" + std::to_string(i) + ")"] = o.invoke(m.name, Invoke::Get, {std::int16_t(i)});
    }
    return out;
}

/// Sets each value through late binding, which converts it to the member's type.
inline void setAll(ZarvLinesParm::Object& o, const Values& values)
{
    using namespace ZarvLinesParm;
    for (const auto& [name, value] : values) {
        const auto open = name.find('(');
        if (open == std::string::npos) {
            o.invoke(name, Invoke::Let, {value});
        } else {
            const auto index = static_cast<std::int16_t>(std::stoi(name.substr(open + 1)));
            o.invoke(name.substr(0, open), Invoke::Let, {index, value});
        }
    }
}

/// Calls Start with `fdef` (and an empty caption where Start takes one).
inline ZarvLinesParm::Variant start(ZarvLinesParm::Object& o, std::int16_t fdef)
{
    using namespace ZarvLinesParm;
    std::vector<Variant> args{fdef};
    for (const MemberInfo& m : Describe(o.progId()))
        if (m.name == "Start" && m.arguments.size() == 2)
            args.push_back(std::string());
    return o.invoke("Start", Invoke::Method, args);
}

/// A tool by its ProgID.
struct Tool {
    std::string progId;

    /// Sets `values`, runs Start(`fdef`) with `user` acting once the dialog shows, reads everything back.
    Values run(const Values& values, User user, std::int16_t fdef = 1) const
    {
        auto o = ZarvLinesParm::CreateObject(progId);
        setAll(*o, values);
        whenModal({}, std::move(user));
        EXPECT_EQ(start(*o, fdef), ZarvLinesParm::Variant{});
        return readAll(*o);
    }

    /// What the getters return right now.
    Values now() const { return readAll(*ZarvLinesParm::CreateObject(progId)); }
};

inline void ok(QDialog& d) { press(d, "Command1"); }
inline void cancel(QDialog& d) { press(d, "Command2"); }
inline void saveAsDefault(QDialog& d) { press(d, "Command3"); }
inline void closeBox(QDialog& d) { d.close(); }

/// Types `text` into the box named `box`.
inline void type(QDialog& d, const QString& box, const QString& text) { typeInto(child<QLineEdit>(d, box), text); }
/// The text the box named `box` shows.
inline QString shown(QDialog& d, const QString& box) { return child<QLineEdit>(d, box).text(); }
/// Clicks the check box or option named `name`.
inline void tick(QDialog& d, const QString& name) { click(child<QWidget>(d, name)); }
inline Qt::CheckState state(QDialog& d, const QString& name) { return child<QCheckBox>(d, name).checkState(); }
/// The colour the swatch named `name` shows.
inline std::int32_t swatch(QDialog& d, const QString& name)
{
    return ZarvLinesParm::frame::rgbOf(child<QLabel>(d, name).palette().color(QPalette::Window));
}

/// Each swatch (name, member) opens the chooser on its member's colour, and "OK" returns the
/// colour chosen there in that member and no other.
inline void expectSwatchesEdit(const Tool& tool, const Values& host,
                               const std::vector<std::pair<QString, std::string>>& swatches)
{
    Values expected = host;
    std::int32_t colour = 0x102030;
    for (const auto& [swatchName, member] : swatches)
        expected[member] = colour++;
    EXPECT_EQ(tool.run(host, [&](QDialog& d) {
        std::int32_t chosen = 0x102030;
        for (const auto& [swatchName, member] : swatches) {
            EXPECT_TRUE(sameValue(chooseColour(d, swatchName, chosen), host.at(member))) << member;
            EXPECT_EQ(swatch(d, swatchName), chosen++) << member;
        }
        ok(d);
    }), expected) << tool.progId;
}

/// `progId` is published, created by its name in any letter case, and lists `members` in order,
/// an indexed one as "Name(first..last)".
inline void expectByProgId(const std::string& progId, const std::vector<std::string>& members)
{
    using namespace ZarvLinesParm;
    const auto all = ProgIds();
    EXPECT_NE(std::find(all.begin(), all.end(), progId), all.end()) << progId;
    std::string lower = progId;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_EQ(CreateObject(lower)->progId(), progId);
    std::vector<std::string> names;
    for (const MemberInfo& m : Describe(progId))
        names.push_back(m.index ? m.name + "(" + std::to_string(m.index->first) + ".." + std::to_string(m.index->second) + ")"
                                : m.name);
    EXPECT_EQ(names, members) << progId;
}

/// Every index outside each indexed member's range fails with 9 on getter and setter, and
/// changes neither the values read back nor the ones the next "Cancel" restores.
inline void expectIndexErrors(const std::string& progId)
{
    using namespace ZarvLinesParm;
    const Tool tool{progId};
    Values set;
    for (const MemberInfo& m : Describe(progId)) {
        if (m.kind != MemberInfo::Kind::Property)
            continue;
        const int first = m.index ? m.index->first : 0, last = m.index ? m.index->second : 0;
        for (int i = first; i <= last; ++i) {
            const std::string name = m.index ? m.name + "(" + std::to_string(i) + ")" : m.name;
            switch (m.type) {
            case ValueType::Int16: set[name] = std::int16_t(1); break;
            case ValueType::Int32: set[name] = std::int32_t(0x102030 + i); break;
            case ValueType::Float: set[name] = 0.5f + float(i); break;
            case ValueType::String: set[name] = std::string("s"); break;
            }
        }
    }
    const Values before = tool.run(set, cancel);
    auto o = CreateObject(progId);
    for (const MemberInfo& m : Describe(progId)) {
        if (!m.index)
            continue;
        Variant value = std::int16_t(7);
        if (m.type == ValueType::Int32)
            value = std::int32_t(7);
        else if (m.type == ValueType::Float)
            value = 7.0f;
        const std::set<int> outside{m.index->first - 1, m.index->second + 1, 0, -1, 32767, -32768};
        for (int i : outside) {
            if (i >= m.index->first && i <= m.index->second)
                continue;
            const std::vector<Variant> get{std::int16_t(i)}, let{std::int16_t(i), value};
            EXPECT_EQ(errorOf([&] { o->invoke(m.name, Invoke::Get, get); }), 9) << progId << " " << m.name << i;
            EXPECT_EQ(errorOf([&] { o->invoke(m.name, Invoke::Let, let); }), 9) << progId << " " << m.name << i;
        }
    }
    EXPECT_EQ(tool.now(), before) << progId;
    EXPECT_EQ(tool.run({}, cancel), before) << progId;
}

} // namespace testsupport
