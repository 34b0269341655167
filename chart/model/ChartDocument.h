#pragma once

// The drawings on the chart and the history of their changes. Every change is one undoable
// step on the undo stack: placing, moving (a burst of arrow keys as one), copying, locking,
// deleting one or all, new parameters, opening a file.

#include "chart/model/ChartTypes.h"

#include <QObject>
#include <QUndoStack>

#include <vector>

namespace zarvchart {

class ChartDocument : public QObject {
    Q_OBJECT
public:
    explicit ChartDocument(QObject* parent = nullptr);

    const std::vector<Drawing>& drawings() const { return drawings_; }
    QUndoStack& undoStack() { return undo_; }

    void place(const Drawing& drawing);
    void move(int index, const std::vector<ChartPoint>& anchors);
    /// Moves drawing `index` to `anchors` as a step of the keyboard's burst `burst`: the moves
    /// of one burst, one after the other, are one undoable step.
    void nudge(int index, const std::vector<ChartPoint>& anchors, int burst);
    /// A copy of drawing `index` at `anchors`, unlocked, after the others.
    void duplicate(int index, const std::vector<ChartPoint>& anchors);
    void setLocked(int index, bool locked);
    void remove(int index);
    void removeAll();
    void setParameters(int index, const QVariantMap& parameters);
    /// Every drawing replaced by `drawings` (a file opened), as one step named `what`.
    void replaceAll(const std::vector<Drawing>& drawings, const QString& what);
    /// Starts afresh with `drawings` and no history (the drawings kept from the last run).
    void reset(const std::vector<Drawing>& drawings);

Q_SIGNALS:
    void changed();

private:
    friend class DrawingsStep;
    void change(std::vector<Drawing> after, const QString& what, int burst = -1);
    void set(const std::vector<Drawing>& drawings);

    std::vector<Drawing> drawings_;
    QUndoStack undo_;
};

} // namespace zarvchart
