#include "chart/app/DemoChart.h"

#include "chart/app/MainWindow.h"
#include "chart/host/ToolDefaults.h"
#include "chart/model/DrawingsFile.h"
#include "chart/tools/ToolKinds.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace zarvchart {
namespace {

const QString retracement = QStringLiteral("ZarvLinesParm.RetracementParmClass");

/// The bars from `first` to `last`: where the lowest low and the highest high are.
std::pair<std::size_t, std::size_t> swings(const Series& series, std::size_t first, std::size_t last)
{
    std::size_t low = first, high = first;
    for (std::size_t i = first; i <= last; ++i) {
        if (series[i].low < series[low].low)
            low = i;
        if (series[i].high > series[high].high)
            high = i;
    }
    return {low, high};
}

/// Sends `text` to `box` key by key, after selecting what it holds, as typing over it does.
void typeOver(QLineEdit& box, const QString& text)
{
    box.setFocus();
    box.selectAll();
    for (const QChar ch : text) {
        const int key = ch.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(&box, &press);
        QCoreApplication::sendEvent(&box, &release);
    }
}

} // namespace

std::vector<Drawing> demoDrawings(const Series& series)
{
    const auto& kinds = toolKinds();
    std::vector<Drawing> drawings;
    if (series.size() < kinds.size() * 4)
        return drawings;
    const std::size_t stretch = series.size() / kinds.size();
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const ToolKind& kind = kinds[k];
        const std::size_t first = k * stretch, last = first + stretch - 1;
        const auto [low, high] = swings(series, first, last);
        const Bar& lowBar = series[low];
        const Bar& highBar = series[high];
        // Points in time order: from one swing to the other, then back part of the way.
        ChartPoint a{double(std::min(low, high)), low < high ? lowBar.low : highBar.high};
        ChartPoint b{double(std::max(low, high)), low < high ? highBar.high : lowBar.low};
        if (a.x == b.x)
            b.x = a.x + double(stretch) / 2;
        const ChartPoint c{b.x + (b.x - a.x) / 2, b.y - (b.y - a.y) * 0.5};
        std::vector<ChartPoint> anchors{a, b, c};
        anchors.resize(std::size_t(kind.anchorCount));
        drawings.push_back({kind.progId, anchors, defaultsOf(kind)});
    }
    return drawings;
}

QString demoEdit(MainWindow& window, const ChartDocument& document)
{
    const auto& drawings = document.drawings();
    const auto found = std::find_if(drawings.begin(), drawings.end(),
                                    [](const Drawing& d) { return d.progId == retracement; });
    if (found == drawings.end())
        return QStringLiteral("no retracement on the chart to edit");
    const int index = int(found - drawings.begin());
    const QVariantMap before = found->parameters;

    QString failure;
    QTimer user;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible() && dialog->objectName() == QLatin1String("RetracementParm")) {
            user.stop();
            auto* last = dialog->findChild<QLineEdit*>(QStringLiteral("V(5)"));
            auto* numbers = dialog->findChild<QCheckBox*>(QStringLiteral("Numbers"));
            auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("Command1"));
            if (!last || !numbers || !ok) {
                failure = QStringLiteral("the retracement dialog lacks a control the demo uses");
                dialog->close();
                return;
            }
            typeOver(*last, QStringLiteral("1.618"));
            if (!numbers->isChecked())
                numbers->click();
            ok->click();
        } else if (waited.elapsed() > 10000) {
            user.stop();
            failure = QStringLiteral("the retracement dialog did not show");
            if (dialog)
                dialog->close();
        }
    });
    user.start(10);
    window.editProperties(index);
    if (!failure.isEmpty())
        return failure;

    const QVariantMap after = document.drawings()[std::size_t(index)].parameters;
    auto text = [](const QVariant& v) {
        return v.typeId() == QMetaType::Float
            ? QString::number(shortestDouble(v.toFloat()), 'g', QLocale::FloatingPointShortest)
            : v.toString();
    };
    QStringList changes;
    for (auto it = after.begin(); it != after.end(); ++it)
        if (before.value(it.key()) != it.value())
            changes << QStringLiteral("Retracement %1: %2 -> %3")
                           .arg(it.key(), text(before.value(it.key())), text(it.value()));
    return changes.isEmpty() ? QStringLiteral("the dialog changed nothing") : changes.join(QLatin1Char('\n'));
}

} // namespace zarvchart
