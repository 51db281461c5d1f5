#include "ui/graphs/DetailGraphWindow.h"

#include <QLabel>
#include <QVBoxLayout>

#include <qcustomplot.h>

namespace voltaryn {

DetailGraphWindow::DetailGraphWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), plot_(new QCustomPlot(this)), graph_(*plot_)
{
    setObjectName("RealTimeGraph");
    setWindowTitle("Real Time Graph");
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, GraphTeal);
    setPalette(teal);

    plot_->setObjectName("CWGraph1");
    plot_->setMinimumSize(800, 450);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plot_, 1);
    AddChannelLegend(*this, *layout, {});
}

void DetailGraphWindow::Draw(const DetailGraphData& data, const QString& temperatureText)
{
    findChild<QLabel*>("LblT")->setText(temperatureText);
    plot_->xAxis->setRange(1, data.Count);
    graph_.SetLimits(data.Limits);
    graph_.ShowAxes(data.Channels);
    ShowChannelLegend(*this, data.Channels);
    for (std::size_t c = 0; c < HistoryChannelCount; ++c) {
        const auto channel = static_cast<HistoryChannel>(c);
        const std::span<const double> series = data.Series[channel];
        QVector<QCPGraphData> points(static_cast<qsizetype>(series.size()));
        for (std::size_t i = 0; i < series.size(); ++i)
            points[static_cast<qsizetype>(i)] = QCPGraphData(static_cast<double>(i + 1), series[i]);
        graph_.Plot(channel).data()->set(points, true);
    }
    plot_->replot();
}

} // namespace voltaryn
