#pragma once

// Runs a tool as a host does, by its ProgID: sets values by member name, calls Start with a user
// acting on the dialog, and reads every getter back. A tool's cases are rows of one table
// (`Case`), each run by the one test `ToolDialog`: what the host sets, what the dialog shows,
// what the user does, what the host then reads.

#include "support/ModalDriver.h"

#include "frame/forms/CheckBox.h"
#include "frame/forms/Swatch.h"

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <map>
#include <ostream>
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
        return std::visit(
            [](const auto& x) -> std::optional<double> {
                if constexpr (std::is_arithmetic_v<std::decay_t<decltype(x)>>)
                    return static_cast<double>(x);
                else
                    return std::nullopt;
            },
            v);
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
    for (const auto& [name, value] : values)
        *os << " " << name << "=" << std::visit([](const auto& x) { return ::testing::PrintToString(x); }, value);
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

/// Calls Start with `fdef`, and `caption` where Start takes one.
inline ZarvLinesParm::Variant start(ZarvLinesParm::Object& o, std::int16_t fdef, const std::string& caption = {})
{
    using namespace ZarvLinesParm;
    std::vector<Variant> args{fdef};
    for (const MemberInfo& m : Describe(o.progId()))
        if (m.name == "Start" && m.arguments.size() == 2)
            args.push_back(caption);
    return o.invoke("Start", Invoke::Method, args);
}

/// A tool by its ProgID.
struct Tool {
    std::string progId;

    /// Sets `values`, runs Start(`fdef`, `caption`) with `user` acting once the dialog shows, reads
    /// everything back.
    Values run(const Values& values, User user, std::int16_t fdef = 1, const std::string& caption = {}) const
    {
        auto o = ZarvLinesParm::CreateObject(progId);
        setAll(*o, values);
        whenModal({}, std::move(user));
        EXPECT_EQ(start(*o, fdef, caption), ZarvLinesParm::Variant{});
        return readAll(*o);
    }
};

inline void ok(QDialog& d) { press(d, "Command1"); }
inline void cancel(QDialog& d) { press(d, "Command2"); }
inline void saveAsDefault(QDialog& d) { press(d, "Command3"); }
inline void closeBox(QDialog& d) { d.close(); }

/// Types `text` into the box named `box`, or into the text field of the list named so.
inline void type(QDialog& d, const QString& box, const QString& text)
{
    auto* list = d.findChild<QComboBox*>(box);
    typeInto(list ? *list->lineEdit() : child<QLineEdit>(d, box), text);
}
/// Clicks the check box or option named `name`.
inline void tick(QDialog& d, const QString& name) { click(child<QWidget>(d, name)); }

/// The name under which `look` gives the dialog's title.
inline const QString title = QStringLiteral("(title)");

/// What the control named `name` shows the user: "hidden" when it is not shown; a check box as
/// "[x]", "[ ]" or "[-]" (greyed) with the caption it shows; an option as "(o)" or "( )" with its
/// caption; a swatch as its colour, "0xBBGGRR"; a list, box, button or label as its text.
inline std::string look(QDialog& d, const QString& name)
{
    if (name == title)
        return d.windowTitle().toStdString();
    QWidget& w = child<QWidget>(d, name);
    if (!w.isVisibleTo(&d))
        return "hidden";
    QString seen;
    if (auto* box = qobject_cast<QCheckBox*>(&w)) {
        seen = box->checkState() == Qt::Checked ? "[x]" : box->checkState() == Qt::Unchecked ? "[ ]" : "[-]";
        const auto* ours = dynamic_cast<ZarvLinesParm::frame::CheckBox*>(box);
        if (!box->text().isEmpty() && !(ours && ours->showsBoxOnly()))
            seen += ' ' + box->text();
    } else if (auto* option = qobject_cast<QRadioButton*>(&w)) {
        seen = (option->isChecked() ? "(o) " : "( ) ") + option->text();
    } else if (auto* swatch = qobject_cast<ZarvLinesParm::frame::Swatch*>(&w)) {
        seen = QString::asprintf("0x%06X", unsigned(swatch->colour()));
    } else {
        seen = w.property(qobject_cast<QComboBox*>(&w) ? "currentText" : "text").toString();
    }
    return seen.toStdString();
}

/// A user's steps, for a case's `user` list: typing into a box (or a list's text field),
/// clicking a check box or option, choosing list entry `entry`, picking `rgb` in the colour
/// chooser a swatch opens (no colour: cancelling it) which must open on `opensOn` where given;
/// and a look at a control in passing.
inline User typing(const QString& box, const QString& text)
{
    return [=](QDialog& d) { type(d, box, text); };
}
inline User clicking(const QString& name)
{
    return [=](QDialog& d) { tick(d, name); };
}
inline User choosing(const QString& list, int entry)
{
    return [=](QDialog& d) { chooseEntry(child<QComboBox>(d, list), entry); };
}
inline User picking(const QString& swatch, std::optional<std::int32_t> rgb, std::optional<std::int32_t> opensOn = {})
{
    return [=](QDialog& d) {
        const std::int32_t opened = chooseColour(d, swatch, rgb);
        if (opensOn) {
            EXPECT_EQ(opened, *opensOn) << swatch.toStdString() << " opens on another colour";
        }
    };
}
inline User showing(const QString& name, const std::string& text)
{
    return [=](QDialog& d) { EXPECT_EQ(look(d, name), text) << name.toStdString(); };
}

/// One run of a tool's dialog. The host sets the tool's typical values with `given` laid over
/// them and calls Start(`fdef`, `caption`); the dialog shows `shows` (control, `look`) as it
/// opens; the user takes the steps of `user`, the last of which ends the dialog; the getters then
/// read what was given with `after` laid over it. With `fails`, Start must fail with that error
/// before any dialog shows, every getter unchanged and no widget left behind.
struct Case {
    std::string what{};
    Values given{};
    std::vector<std::pair<QString, std::string>> shows{};
    std::vector<User> user{ok};
    Values after{};
    std::int16_t fdef = 1;
    std::string caption{};
    int fails = 0;
    std::string progId{}; // the tool's, filled in by `cases`
};

inline void PrintTo(const Case& c, std::ostream* os) { *os << c.progId << ": " << c.what; }

/// The cases of the tool `progId`, each given the tool's `typical` values under its own.
inline ::testing::internal::ParamGenerator<Case> cases(const std::string& progId, const Values& typical,
                                                       std::vector<Case> rows)
{
    for (Case& c : rows) {
        c.given = typical.with(c.given);
        c.progId = progId;
    }
    return ::testing::ValuesIn(rows);
}

/// Runs one case (tests/support/ToolDialog.cpp); each tool instantiates it with its cases.
class ToolDialog : public ::testing::TestWithParam<Case> {};

} // namespace testsupport
