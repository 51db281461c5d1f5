#pragma once

#include "graphs/GraphChannels.h"
#include "ui/graphs/GraphColours.h"

#include <QColor>
#include <QString>

class QBoxLayout;
class QCPAxis;
class QCPGraph;
class QCustomPlot;
class QWidget;

namespace voltaryn {

// The graph of the seven channels that the live and the detail graph share: one sample axis, a
// value axis per axis channel in its plot's colour, and plot n charting history channel n - 1.
class ChannelGraph {
public:
    explicit ChannelGraph(QCustomPlot& plot);

    QCPAxis& Axis(AxisChannel channel) const;
    QCPGraph& Plot(HistoryChannel channel) const;
    void SetLimits(const AxisLimits& limits) const;
    // Shows the value axes of the switched-on channels only.
    void ShowAxes(const ChannelSwitches& channels) const;
    // Colours the background, the value axes and the plots' lines.
    void Paint(const GraphColours& colours) const;

private:
    QCustomPlot& plot_;
};

// Ticks `axis` at whole numbers only: it counts samples or records.
void TickWholeNumbers(QCPAxis& axis);

// The row of channel names ("Voltage", "Ampere", ..., "Capacity ( in Out Total )"), as
// labels of `window`, for the window to place.
QBoxLayout* ChannelLegend(QWidget& window, const QString& temperatureText);
// Colours each legend label as its channel's plot.
void PaintChannelLegend(QWidget& window, const GraphColours& colours);
// Shows the legend labels of the switched-on channels only.
void ShowChannelLegend(QWidget& window, const ChannelSwitches& channels);

} // namespace voltaryn
