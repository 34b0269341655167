#include "chart/tools/Geometry.h"

#include "chart/tools/geometry/Sketch.h"

#include <QPainter>

namespace zarvchart {

void paintShapes(QPainter& painter, const std::vector<Shape>& shapes)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(geometry::labelFont());
    for (const Shape& s : shapes) {
        QPen pen(s.colour, 1, s.dashed ? Qt::DashLine : Qt::SolidLine);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(s.fill.isValid() ? QBrush(s.fill) : QBrush());
        switch (s.kind) {
        case Shape::Kind::Line:
            if (s.points.size() >= 2)
                painter.drawLine(s.points[0], s.points[1]);
            break;
        case Shape::Kind::Polyline:
            painter.drawPolyline(s.points);
            break;
        case Shape::Kind::Ellipse:
            painter.drawEllipse(s.rect);
            break;
        case Shape::Kind::Arc:
            // Qt takes arcs in sixteenths of a degree.
            painter.drawArc(s.rect, qRound(s.startAngle * 16), qRound(s.spanAngle * 16));
            break;
        case Shape::Kind::Text:
            if (!s.points.isEmpty())
                painter.drawText(s.points[0], s.text);
            break;
        }
    }
    painter.restore();
}

} // namespace zarvchart
