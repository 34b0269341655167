#pragma once

// Keeps the drawings on the chart in a file between runs: written a moment after each change,
// so that a lost display or a crash loses at most that moment, and at once when the window
// closes or the program is told to end. One window at a time keeps a file: it holds a lock
// beside it, and a second window on the same file keeps nothing and says why.

#include "chart/model/ChartDocument.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

namespace zarvchart {

class DrawingsKeeper : public QObject {
    Q_OBJECT
public:
    DrawingsKeeper(const ChartDocument& document, const QString& path, QObject* parent = nullptr);

    const QString& path() const { return path_; }
    /// Empty when this one keeps the drawings; else why not ("another window keeps them").
    const QString& whyNot() const { return whyNot_; }
    /// Whether the drawings changed since they were last kept.
    bool pending() const { return pending_; }
    /// Writes the drawings now if they changed. A failure, or another window keeping the file
    /// when there is something to keep, is a ChartError, and they stay pending.
    void keepNow();

Q_SIGNALS:
    /// Writing them a moment after a change failed, for `why`.
    void failed(const QString& why);

private:
    const ChartDocument& document_;
    QString path_;
    QLockFile lock_;
    QString whyNot_;
    QTimer later_;
    bool pending_ = false;
};

} // namespace zarvchart
