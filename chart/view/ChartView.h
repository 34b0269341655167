#pragma once

// The chart on screen and what the mouse and keys do to it: the wheel zooms, dragging the
// background pans, a click selects the drawing under it and dragging moves it or one of its
// handles; while a tool is being placed each click sets its next point. The pointer is answered
// as it moves: a crosshair with the bar under it written out, the drawing a click would take lit,
// and a cursor that says what a press will do. With the magnet on, a point set or dragged near a
// price of the bar under it takes that price (Shift holds it off). Ctrl-dragging a drawing drags
// a copy of it; a locked drawing's points stay where they are. From the keyboard, the arrows move
// the selected drawing, Tab and Shift+Tab select the next and the one before, Delete deletes and
// Enter opens its dialog. The view changes no drawing itself: it says what the user did (placed,
// moved, copied, wants deleted or edited) and shows what it is told. When the prices grow or are
// written again, it stays where it is, or follows them if it showed the last bar.

#include "chart/model/ChartDocument.h"
#include "chart/model/ChartTypes.h"
#include "chart/model/PriceData.h"
#include "chart/model/Viewport.h"
#include "chart/tools/ToolKinds.h"
#include "chart/view/ChartLayers.h"

#include <QList>
#include <QWidget>

#include <optional>
#include <variant>
#include <vector>

class QAction;

namespace zarvchart {

class ChartView : public QWidget {
    Q_OBJECT
public:
    /// Shows `prices`, and follows them when they are replaced or grow.
    ChartView(const PriceData& prices, const ChartDocument& document, QWidget* parent = nullptr);

    /// Data units to pixels, as the chart is shown right now.
    Mapping mapping() const;
    void fitToData();

    /// Whether the volume pane is wanted under the prices; it shows when the prices have volume.
    void setVolumeWanted(bool wanted);
    /// Whether points set or dragged snap to the bars' prices.
    void setMagnet(bool on);
    bool magnet() const { return magnet_; }
    /// Whether the drawings are hidden: not shown, not to be selected; they are there all the same.
    void setDrawingsHidden(bool hidden);
    bool drawingsHidden() const { return hidden_; }
    /// Offered in a drawing's context menu between Properties and Delete, acting on the selection.
    void setContextActions(const QList<QAction*>& actions) { contextActions_ = actions; }
    /// The volume pane as shown now; empty when it is not.
    QRectF volumePane() const;

    /// The selected drawing, or -1.
    int selected() const { return selected_; }
    void select(int index);

    /// From now on clicks set the points of a new tool of `kind` with `parameters`.
    void beginPlacing(const ToolKind& kind, const QVariantMap& parameters);
    void cancelPlacing();

    /// Shows drawing `index` with `parameters` instead of its own, until endPreview.
    void preview(int index, const QVariantMap& parameters);
    void endPreview();

    /// The drawings as they are shown: the document's, with a drag, a preview or a tool being
    /// placed laid over them.
    std::vector<Drawing> shownDrawings() const;
    /// What the chart shows now, as it is painted: the drawing selected, edited or dragged and a
    /// tool being placed over the others.
    ChartScene scene() const;
    /// Shows the bars of the series again after they changed in place.
    void seriesChanged();
    /// The drawing under `pixel`, topmost first, or -1.
    int drawingAt(QPointF pixel) const;
    /// The kept images, to tell how often they were painted.
    const ChartLayers& layers() const { return layers_; }

    QSize sizeHint() const override { return {1200, 700}; }

Q_SIGNALS:
    void placed(const zarvchart::Drawing& drawing);
    void moved(int index, const std::vector<zarvchart::ChartPoint>& anchors);
    void deleteRequested(int index);
    void propertiesRequested(int index);
    void placingEnded();
    /// A copy of drawing `index` was dragged to `anchors`.
    void cloned(int index, const std::vector<zarvchart::ChartPoint>& anchors);
    /// Drawing `index` was moved to `anchors` by a key of the keyboard's burst `burst`.
    void nudged(int index, const std::vector<zarvchart::ChartPoint>& anchors, int burst);
    void selectionChanged(int index);
    void drawingsHiddenChanged(bool hidden);
    /// What the user can do next, for the status bar; empty when there is nothing to say.
    void hint(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Placing {
        const ToolKind* kind;
        QVariantMap parameters;
        std::vector<ChartPoint> anchors;
        std::optional<ChartPoint> pointer;
    };
    /// Moving a drawing's handle (`handle` >= 0) or the whole drawing (`handle` -1).
    struct Move {
        int index;
        int handle;
        QPointF from;
        std::vector<ChartPoint> anchors;
        bool started = false;
        /// A copy is dragged, the drawing stays.
        bool copy = false;
        /// The drawing is locked: nothing moves.
        bool refused = false;
    };
    struct Pan {
        QPointF from;
        Viewport start;
    };

    void documentChanged();
    void pricesReplaced();
    /// The bars changed from the end of the `before` there were: the view follows them if it
    /// showed the last one.
    void follow(std::size_t before);
    /// Where a point set or dragged to `pixel` goes: to a price of the bar there, with the magnet.
    ChartPoint anchorAt(QPointF pixel) const;
    /// Whether the magnet pulls now: it is on and Shift is not held.
    bool pulling() const { return magnet_ && !shiftHeld_; }
    bool locked(int index) const;
    /// Moves the selected drawing by `bars` and `pixels` up, as a step of the current burst.
    void nudge(double bars, double pixels);
    /// The next arrow key starts a new undoable step.
    void endBurst() { ++burst_; }
    void showHint();
    /// The anchor of the selected drawing whose handle is under `pixel`, or -1.
    int handleAt(QPointF pixel) const;
    /// Follows the pointer to `at` (none: it left): what is lit, the cursor, the crosshair.
    void pointAt(std::optional<QPointF> at);
    /// The crosshair and readout for the pointer at `at`, when it is over the prices or the volume.
    std::optional<ChartPointer> pointerAt(QPointF at, const Mapping& m) const;

    const PriceData& prices_;
    const ChartDocument& document_;
    Viewport viewport_;
    bool volumeWanted_ = true;
    /// Where the pointer is over the view, while it is.
    std::optional<QPointF> pointer_;
    /// The drawing a click at the pointer would take, or -1.
    int hovered_ = -1;
    int selected_ = -1;
    std::optional<Placing> placing_;
    std::variant<std::monostate, Move, Pan> drag_;
    std::optional<std::pair<int, QVariantMap>> preview_;
    bool magnet_ = false;
    bool shiftHeld_ = false;
    bool hidden_ = false;
    int burst_ = 0;
    /// While the view's own arrow key changes the document: that does not end the burst.
    bool nudging_ = false;
    QList<QAction*> contextActions_;
    ChartLayers layers_;
};

} // namespace zarvchart
