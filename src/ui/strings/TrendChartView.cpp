#include "ui/strings/TrendChartView.h"

#include <QPainter>

namespace voltaryn {

TrendChartView::TrendChartView(QWidget* parent) : QWidget(parent)
{
    setObjectName("trendChart");
    setMinimumSize(320, 160);
}

void TrendChartView::Show(std::optional<strings::BlockTrend> trend, std::optional<strings::ChangeLimits> limits)
{
    trend_ = std::move(trend);
    limits_ = limits;
    update();
}

void TrendChartView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    if (trend_ && limits_)
        report::PaintTrendChart(painter, QRectF(rect()), *trend_, *limits_);
}

} // namespace voltaryn
