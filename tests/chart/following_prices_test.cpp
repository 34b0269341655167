// The price file written by another program while the chart shows it, as the test writes it:
// rows appended (a whole one, half of one), the file written again in place and renamed over,
// a bad row appended and put right, the file cut shorter. The bars follow within a moment, the
// drawings stay, the view follows the new bars only when it showed the last one, and what cannot
// be read leaves the chart as it was with the status bar saying why.

#include "chart/app/ApplicationName.h"
#include "chart/app/MainWindow.h"
#include "chart/host/ToolDefaults.h"
#include "chart/model/PriceFollower.h"

#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

using namespace zarvchart;

namespace {

const QByteArray header = "Datetime,Open,High,Low,Close,Volume\n";

/// Minute bar `i` from 09:30, closing at `close`; a High below its Low when `bad`.
QByteArray row(int i, double close = 104, bool bad = false)
{
    return QStringLiteral("2024-03-04 %1:%2,100,%3,92,%4,1000\n")
        .arg(9 + (30 + i) / 60, 2, 10, QLatin1Char('0'))
        .arg((30 + i) % 60, 2, 10, QLatin1Char('0'))
        .arg(bad ? 90 : 108)
        .arg(close)
        .toLatin1();
}

/// Bars `first` to `last` (one past); bar `changed` closing at 101.
QByteArray rows(int first, int last, int changed = -1)
{
    QByteArray text;
    for (int i = first; i < last; ++i)
        text += row(i, i == changed ? 101 : 104);
    return text;
}

enum class How { Append, Rewrite, Rename };

void write(const QString& path, How how, const QByteArray& bytes)
{
    const QString target = how == How::Rename ? path + QStringLiteral(".new") : path;
    QFile file(target);
    ASSERT_TRUE(file.open(how == How::Append ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    if (how == How::Rename) {
        ASSERT_EQ(std::rename(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()), 0);
    }
}

TEST(Follow, NewRowsShowARewrittenFileIsReadWholeAndABadOneChangesNothing)
{
    nameApplication();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("live.csv"));
    write(path, How::Rewrite, header + rows(0, 39));
    PriceData prices(readCsv(path), path);
    // A row written between the reading and the window is not lost.
    write(path, How::Append, row(39));
    ChartDocument document;
    const ToolKind& retracement = *toolKind(QStringLiteral("ZarvLinesParm.RetracementParmClass"));
    document.reset({{retracement.progId, {{30, 95}, {38, 105}}, defaultsOf(retracement)}});
    const auto drawings = document.drawings();
    MainWindow window(prices, document, {});
    window.resize(1000, 640);
    window.show();
    ChartView& view = window.view();
    auto* follower = window.findChild<PriceFollower*>();
    ASSERT_TRUE(follower);
    const Series& bars = prices.series();
    EXPECT_TRUE(QTest::qWaitFor([&] { return bars.size() == 40; }, 5000));

    const struct {
        const char* what;
        How how;
        QByteArray bytes;
        std::size_t count;
        double lastClose;
        const char* says; // in the status bar; empty: nothing
        double moved; // bars the view moves on by
        bool panned; // the view away from the last bar first
    } steps[] = {
        // Fitted to 39 bars, the view reaches 41: the 40th and 41st fill the room, the 42nd moves it.
        {"two rows appended", How::Append, rows(40, 42), 42, 104, "", 2, false},
        {"half a row appended", How::Append, row(42).left(20), 42, 104, "", 0, false},
        {"the rest of it", How::Append, row(42, 103).mid(20), 43, 103, "", 0, false},
        {"the last bar written again in place", How::Rewrite, header + rows(0, 43, 42), 43, 101, "", 0, false},
        {"another file renamed over it, its first bar changed", How::Rename, header + rows(0, 45, 0), 45, 104, "", 2,
         false},
        {"a bad row appended", How::Append, row(45, 104, true), 45, 104, "live.csv line 47: High 90 is below Low 92", 0,
         false},
        {"the file put right", How::Rewrite, header + rows(0, 46), 46, 104, "", 1, false},
        {"cut shorter, its last bar still in view", How::Rewrite, header + rows(0, 30, 29), 30, 101, "", 0, false},
        {"rows appended while the view shows the first bars", How::Append, rows(30, 60), 60, 104, "", 0, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.panned) {
            // Dragged from an empty spot till the last bar is off the right edge.
            const QPoint from(100, 60);
            QTest::mousePress(&view, Qt::LeftButton, {}, from);
            QTest::mouseMove(&view, from + QPoint(300, 0));
            QTest::mouseMove(&view, from + QPoint(600, 0));
            QTest::mouseRelease(&view, Qt::LeftButton, {}, from + QPoint(600, 0));
            ASSERT_LT(view.mapping().lastX(), double(bars.size() - 1));
        }
        const Mapping before = view.mapping();
        const std::size_t had = bars.size();
        write(path, step.how, step.bytes);
        const QString says = QString::fromUtf8(step.says);
        const auto done = [&] {
            return bars.size() == step.count && bars.back().close == step.lastClose
                && (says.isEmpty() ? window.statusBar()->currentMessage().isEmpty()
                                   : window.statusBar()->currentMessage().contains(says));
        };
        // A half row waits for its line's end, found the next time the file is looked at.
        if (step.count == had && says.isEmpty())
            follower->check();
        EXPECT_TRUE(QTest::qWaitFor(done, 5000)) << bars.size() << " bars, the last closing at " << bars.back().close
                                                 << "; " << window.statusBar()->currentMessage().toStdString();
        EXPECT_EQ(document.drawings(), drawings);
        EXPECT_DOUBLE_EQ(view.mapping().firstX(), before.firstX() + step.moved);
        EXPECT_DOUBLE_EQ(view.mapping().lastX(), before.lastX() + step.moved);
    }
}

} // namespace
