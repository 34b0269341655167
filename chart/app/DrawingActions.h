#pragma once

// What the user does to drawings besides placing and editing one: a copy of the one selected,
// locking it, deleting them all, hiding them all, and the magnet that takes points to the bars'
// prices. Each is an action with its shortcut, in the Edit or View menu; copying and locking also
// in a drawing's context menu, the magnet also in the toolbar.

#include "chart/model/ChartDocument.h"
#include "chart/view/ChartView.h"

#include <QObject>

class QAction;
class QMenu;
class QToolBar;

namespace zarvchart {

class DrawingActions : public QObject {
    Q_OBJECT
public:
    /// The actions for `view` showing `document`, in `window`.
    DrawingActions(ChartView& view, ChartDocument& document, QWidget* window);

    void addToEditMenu(QMenu* menu);
    void addToViewMenu(QMenu* menu);
    void addToToolBar(QToolBar* toolBar);

    /// Takes the magnet from the settings, and keeps it there when it is switched from now on.
    void remember();

    QAction* duplicate() const { return duplicate_; }
    QAction* lock() const { return lock_; }
    QAction* deleteAll() const { return deleteAll_; }
    QAction* hide() const { return hide_; }
    QAction* magnet() const { return magnet_; }

private:
    /// Which actions can be chosen, and the lock's tick, for the selection as it is.
    void refresh();
    void duplicateSelected();
    void askDeleteAll();

    ChartView& view_;
    ChartDocument& document_;
    QWidget* window_;
    QAction* duplicate_;
    QAction* lock_;
    QAction* deleteAll_;
    QAction* hide_;
    QAction* magnet_;
    bool remembering_ = false;
};

} // namespace zarvchart
