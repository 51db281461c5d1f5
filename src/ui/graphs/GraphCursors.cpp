#include "ui/graphs/GraphCursors.h"

#include <QMouseEvent>

#include <qcustomplot.h>

#include <cmath>
#include <limits>

namespace voltaryn {

GraphCursors::GraphCursors(QCustomPlot& plot) : QObject(&plot), plot_(plot)
{
    connect(&plot_, &QCustomPlot::mousePress, this, &GraphCursors::Press);
    connect(&plot_, &QCustomPlot::mouseMove, this, &GraphCursors::Drag);
    connect(&plot_, &QCustomPlot::mouseRelease, this, [this] { dragged_ = -1; });
}

void GraphCursors::Add(QCPAxis& valueAxis, QPointF position, const QColor& colour, Qt::PenStyle style)
{
    auto* cursor = new QCPItemTracer(&plot_);
    cursor->setStyle(QCPItemTracer::tsCrosshair);
    cursor->setPen(QPen(colour, 1, style));
    cursor->setSelectable(false);
    cursor->position->setAxes(plot_.xAxis, &valueAxis);
    cursors_.push_back(cursor);
    Move(Count() - 1, position);
}

void GraphCursors::RemoveAll()
{
    for (QCPItemTracer* cursor : cursors_)
        plot_.removeItem(cursor);
    cursors_.clear();
    dragged_ = -1;
    plot_.replot(QCustomPlot::rpQueuedReplot);
}

void GraphCursors::SetVisible(bool visible)
{
    for (QCPItemTracer* cursor : cursors_)
        cursor->setVisible(visible);
    plot_.replot(QCustomPlot::rpQueuedReplot);
}

bool GraphCursors::Visible() const { return !cursors_.empty() && cursors_.front()->visible(); }

void GraphCursors::Move(int index, QPointF position)
{
    cursors_.at(static_cast<std::size_t>(index))->position->setCoords(position);
    plot_.replot(QCustomPlot::rpQueuedReplot);
    emit moved(index, position);
}

void GraphCursors::Press(QMouseEvent* event)
{
    if (!draggable_ || !Visible() || event->button() != Qt::LeftButton)
        return;
    double nearest = std::numeric_limits<double>::max();
    for (int i = 0; i < Count(); ++i) {
        const double distance = std::abs(cursors_.at(static_cast<std::size_t>(i))->position->pixelPosition().x() -
                                         event->position().x());
        if (distance < nearest) {
            nearest = distance;
            dragged_ = i;
        }
    }
    Drag(event);
}

void GraphCursors::Drag(QMouseEvent* event)
{
    if (dragged_ < 0)
        return;
    const QCPItemPosition& at = *cursors_.at(static_cast<std::size_t>(dragged_))->position;
    Move(dragged_, {at.keyAxis()->pixelToCoord(event->position().x()), at.valueAxis()->pixelToCoord(event->position().y())});
}

} // namespace voltaryn
