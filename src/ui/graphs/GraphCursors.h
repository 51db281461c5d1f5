#pragma once

#include <QColor>
#include <QObject>
#include <QPointF>

#include <vector>

class QCPAxis;
class QCPItemTracer;
class QCustomPlot;
class QMouseEvent;

namespace voltaryn {

// Cross-hair cursors on a graph, in the units of its sample axis and one value axis. While
// dragging is on, pressing the graph takes the nearest cursor there and dragging moves it.
class GraphCursors : public QObject {
    Q_OBJECT
public:
    explicit GraphCursors(QCustomPlot& plot);

    int Count() const { return static_cast<int>(cursors_.size()); }
    void Add(QCPAxis& valueAxis, QPointF position, const QColor& colour, Qt::PenStyle style = Qt::SolidLine);
    void RemoveAll();
    void SetVisible(bool visible);
    bool Visible() const;
    void Move(int index, QPointF position);
    void SetDraggable(bool draggable) { draggable_ = draggable; }

signals:
    void moved(int index, QPointF position);

private:
    void Press(QMouseEvent* event);
    void Drag(QMouseEvent* event);

    QCustomPlot& plot_;
    std::vector<QCPItemTracer*> cursors_;
    bool draggable_ = false;
    int dragged_ = -1;
};

} // namespace voltaryn
