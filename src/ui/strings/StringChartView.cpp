#include "ui/strings/StringChartView.h"

#include <QMouseEvent>
#include <QPainter>

namespace voltaryn {

StringChartView::StringChartView(QWidget* parent) : QWidget(parent)
{
    setObjectName("stringChart");
    setMinimumSize(320, 180);
    setCursor(Qt::PointingHandCursor);
}

void StringChartView::Show(report::StringChart chart)
{
    chart_ = std::move(chart);
    update();
}

void StringChartView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    report::PaintStringChart(painter, QRectF(rect()), chart_);
}

void StringChartView::mousePressEvent(QMouseEvent* event)
{
    if (const std::optional<int> block = report::BlockAt(QRectF(rect()), chart_, event->position().x()))
        emit blockClicked(*block);
}

} // namespace voltaryn
