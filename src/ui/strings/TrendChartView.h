#pragma once

#include "report/StringCharts.h"

#include <QWidget>

#include <optional>

namespace voltaryn {

// A block's trend in a window, drawn as the report draws it.
class TrendChartView : public QWidget {
    Q_OBJECT
public:
    explicit TrendChartView(QWidget* parent = nullptr);

    void Show(std::optional<strings::BlockTrend> trend, std::optional<strings::ChangeLimits> limits);
    const std::optional<strings::BlockTrend>& Trend() const { return trend_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<strings::BlockTrend> trend_;
    std::optional<strings::ChangeLimits> limits_;
};

} // namespace voltaryn
