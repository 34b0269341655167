#pragma once

// The chart's window: the view, the tools in a toolbar and a menu, File, Edit and View menus,
// and what happens when the user places, moves, deletes or edits a tool, or opens other prices.
// Every change of the drawings goes through the document, as one undoable step.

#include "chart/model/ChartDocument.h"
#include "chart/model/ChartTypes.h"
#include "chart/model/PriceData.h"
#include "chart/view/ChartView.h"

#include <QMainWindow>

class QActionGroup;

namespace zarvchart {

class DrawingActions;
class DrawingsKeeper;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    /// A chart of `prices` with the drawings of `document`. `keptPath` is the file the drawings
    /// are kept in, a moment after each change and when the window closes, the program is told to
    /// end or other prices are opened (empty: they are not kept, nor those of prices opened later).
    MainWindow(PriceData& prices, ChartDocument& document, const QString& keptPath, QWidget* parent = nullptr);

    ChartView& view() { return *view_; }
    DrawingActions& drawingActions() { return *actions_; }
    /// From now on the window remembers its size and place and the volume pane in the settings,
    /// and it takes back what it remembered last.
    void remember();
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
    /// Shows the prices of `path` instead, with the drawings kept for them, after keeping those
    /// of the prices shown now; false, with a message, when the file cannot be read (or the user
    /// would rather not go on without the drawings kept), and then nothing has changed.
    bool openPrices(const QString& path);
    /// Says in the status bar that `rows` rows of the price file had no prices and were left out.
    void showSkippedRows(int rows);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void placeTool(const Drawing& drawing);
    void keepDefaultsOf(const ToolKind& kind, const QVariantMap& parameters);
    void askResetDefaults();
    /// Keeps the drawings without asking anything: the program is ending.
    void keepOnTheWayOut();
    /// Keeps the drawings now; when they cannot be, asks `question` (whether to go on without
    /// them). Whether to go on.
    bool keptOrLetGo(const QString& question);
    /// Keeps the drawings in `path` from now on.
    void keepIn(const QString& path);
    void rememberLook();
    void complain(const QString& text);
    void showFileName();

    PriceData& prices_;
    ChartDocument& document_;
    ChartView* view_;
    QActionGroup* tools_;
    DrawingActions* actions_;
    QAction* volume_ = nullptr;
    DrawingsKeeper* keeper_ = nullptr;
    /// Whether the drawings are kept at all (not in a demo or a picture).
    bool keeping_;
    bool remembering_ = false;
    QString filePath_;
};

} // namespace zarvchart
