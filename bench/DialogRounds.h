// What the two Start benchmarks share: a dialog driven from inside its own modal loop, Start's
// arguments made up from the class's description, and the median of a run of timings.
#pragma once

#include <ZarvLinesParm/ZarvLinesParm.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Queued before the dialog shows; runs inside its modal loop.
inline void onceShown(std::function<void(QDialog&)> action)
{
    QMetaObject::invokeMethod(
        qApp,
        [action] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                action(*d);
        },
        Qt::QueuedConnection);
}

inline void pressOk(QDialog& d)
{
    if (auto* ok = d.findChild<QPushButton*>(QStringLiteral("Command1")))
        ok->click();
}

// FDef 1 first, then "Bench" for a text and 0 for a number.
inline std::vector<ZarvLinesParm::Variant> startArguments(const std::string& progId)
{
    using namespace ZarvLinesParm;
    std::vector<Variant> args;
    for (const MemberInfo& m : Describe(progId))
        if (m.kind == MemberInfo::Kind::Method && m.name == "Start")
            for (std::size_t i = 0; i < m.arguments.size(); ++i)
                args.push_back(i == 0                                    ? Variant(std::int16_t{1})
                                   : m.arguments[i] == ValueType::String ? Variant(std::string("Bench"))
                                                                         : Variant(std::int16_t{0}));
    return args;
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace bench
