#include "ui/graphs/DetailGraphWindow.h"

#include "ui/common/QtText.h"

#include <QGridLayout>
#include <QLabel>

#include <qcustomplot.h>

#include <cmath>

namespace voltaryn {

DetailGraphWindow::DetailGraphWindow(const std::string& tempUnit, DialogService& dialogs, QWidget* mainWindow)
    : ZoomableGraphWindow(ZoomableGraph::RealTimeGraph, dialogs, mainWindow), channels_(Graph())
{
    setObjectName("RealTimeGraph");
    setWindowTitle("Real Time Graph");
    Body().addLayout(ChannelLegend(*this, ToQString(tempUnit)), 2, 0);
    SetScheme(GraphScheme::Classic);
}

void DetailGraphWindow::SetScheme(GraphScheme scheme)
{
    colours_ = ColoursFor(scheme, palette());
    SetBackground(colours_.background);
    SetGraphBackground(colours_.background);
    channels_.Paint(colours_);
    PaintChannelLegend(*this, colours_);
}

void DetailGraphWindow::Draw(const DetailGraphData& data)
{
    Graph().xAxis->setRange(1, data.Count);
    channels_.SetLimits(data.Limits);
    channels_.ShowAxes(data.Channels);
    ShowChannelLegend(*this, data.Channels);
    for (std::size_t c = 0; c < HistoryChannelCount; ++c) {
        const auto channel = static_cast<HistoryChannel>(c);
        const std::span<const double> series = data.Series[channel];
        QVector<QCPGraphData> points(static_cast<qsizetype>(series.size()));
        for (std::size_t i = 0; i < series.size(); ++i)
            points[static_cast<qsizetype>(i)] = QCPGraphData(static_cast<double>(i + 1), series[i]);
        channels_.Plot(channel).data()->set(points, true);
    }
    // The fields show the horizontal range 1..count and the range of the axis the vertical fields
    // act on, so that a later change of a maximum keeps the other values where they are.
    if (&ValueAxis() == &channels_.Axis(AxisChannel::Resistance))
        SetValueFieldFormat(resistanceFormat_);
    fillingRanges_ = true;
    ShowRanges(Graph().xAxis->range(), ValueAxis().range());
    fillingRanges_ = false;

    const QCPRange x = Graph().xAxis->range();
    const double middle = ValueAxis().range().center();
    Cursors().Add(ValueAxis(), {std::round(x.lower + x.size() / 3), middle}, colours_.cursor);
    Cursors().Add(ValueAxis(), {std::round(x.lower + x.size() * 2 / 3), middle}, colours_.cursor, Qt::DashLine);
    ChooseTrackMode(0);
    Graph().replot();
}

bool DetailGraphWindow::AppliesFieldChange(bool maxField) const { return maxField && !fillingRanges_; }

void DetailGraphWindow::Reset()
{
    emit resetClicked();
    close();
}

} // namespace voltaryn
