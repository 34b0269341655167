#pragma once

// The chart's window: the view, the tools in a toolbar and a menu, File, Edit and View menus,
// and what happens when the user places, moves, deletes or edits a tool. Every change goes
// through the document, as one undoable step.

#include "chart/model/ChartDocument.h"
#include "chart/model/ChartTypes.h"
#include "chart/view/ChartView.h"

#include <QMainWindow>

class QActionGroup;

namespace zarvchart {

class DrawingsKeeper;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    /// `label` says where the prices come from; `keptPath` is the file the drawings are kept in,
    /// a moment after each change and when the window closes or the program is told to end
    /// (empty: they are not kept).
    MainWindow(const Series& series, const QString& label, ChartDocument& document, const QString& keptPath,
               QWidget* parent = nullptr);

    ChartView& view() { return *view_; }
    /// Names `path` as the file the drawings came from: the title shows it and Save Drawings
    /// writes it.
    void setDrawingsFile(const QString& path);

    /// Opens drawing `index`'s parameter dialog; the chart follows the edits while it is open.
    void editProperties(int index);
    /// Replaces the drawings by those of `path` (one undoable step); false, with a message, when
    /// the file cannot be taken, and then nothing has changed.
    bool openDrawings(const QString& path);
    /// Writes the drawings to `path`; false, with a message, when that fails.
    bool saveDrawings(const QString& path);
    /// Says in the status bar that `rows` rows of the price file had no prices and were left out.
    void showSkippedRows(int rows);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void placeTool(const Drawing& drawing);
    void keepDefaultsOf(const ToolKind& kind, const QVariantMap& parameters);
    void askResetDefaults();
    /// Keeps the drawings without asking anything: the program is ending.
    void keepOnTheWayOut();
    void complain(const QString& text);
    void showFileName();

    ChartDocument& document_;
    ChartView* view_;
    QActionGroup* tools_;
    DrawingsKeeper* keeper_ = nullptr;
    QString filePath_;
    QString label_;
};

} // namespace zarvchart
