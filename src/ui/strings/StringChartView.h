#pragma once

#include "report/StringCharts.h"

#include <QWidget>

namespace voltaryn {

// The string's bar chart in a window, drawn as the report draws it; a click on a bar selects
// its block.
class StringChartView : public QWidget {
    Q_OBJECT
public:
    explicit StringChartView(QWidget* parent = nullptr);

    void Show(report::StringChart chart);
    const report::StringChart& Chart() const { return chart_; }

signals:
    void blockClicked(int block);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    report::StringChart chart_;
};

} // namespace voltaryn
