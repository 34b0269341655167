#pragma once

// The chart on screen and what the mouse and keys do to it: the wheel zooms, dragging the
// background pans, a click selects the drawing under it and dragging moves it or one of its
// handles; while a tool is being placed each click sets its next point. The view changes no
// drawing itself: it says what the user did (placed, moved, wants deleted or edited) and shows
// what it is told.

#include "chart/model/ChartDocument.h"
#include "chart/model/ChartTypes.h"
#include "chart/model/Viewport.h"
#include "chart/tools/ToolKinds.h"
#include "chart/view/ChartLayers.h"

#include <QWidget>

#include <optional>
#include <variant>
#include <vector>

namespace zarvchart {

class ChartView : public QWidget {
    Q_OBJECT
public:
    ChartView(const Series& series, const ChartDocument& document, const QString& label, QWidget* parent = nullptr);

    /// Data units to pixels, as the chart is shown right now.
    Mapping mapping() const;
    void fitToData();

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
    /// Shows the bars of the series again after they changed (grew, or were replaced in place).
    void seriesChanged();
    /// The drawing under `pixel`, topmost first, or -1.
    int drawingAt(QPointF pixel) const;

    QSize sizeHint() const override { return {1200, 700}; }

Q_SIGNALS:
    void placed(const zarvchart::Drawing& drawing);
    void moved(int index, const std::vector<zarvchart::ChartPoint>& anchors);
    void deleteRequested(int index);
    void propertiesRequested(int index);
    void placingEnded();
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
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

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
    };
    struct Pan {
        QPointF from;
        Viewport start;
    };

    void documentChanged();
    void showHint();
    /// The anchor of the selected drawing whose handle is under `pixel`, or -1.
    int handleAt(QPointF pixel) const;

    const Series& series_;
    const ChartDocument& document_;
    QString label_;
    Viewport viewport_;
    int selected_ = -1;
    std::optional<Placing> placing_;
    std::variant<std::monostate, Move, Pan> drag_;
    std::optional<std::pair<int, QVariantMap>> preview_;
    ChartLayers layers_;
};

} // namespace zarvchart
