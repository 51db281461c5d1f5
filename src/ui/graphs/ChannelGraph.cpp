#include "ui/graphs/ChannelGraph.h"

#include <QBoxLayout>
#include <QLabel>

#include <qcustomplot.h>

namespace voltaryn {
namespace {

// Each value axis: its label precision (".###", ".##", ".#", ...), caption and colour, the colour
// of its channel's plot, so that a reader can tell which axis a line belongs to.
struct AxisStyle {
    int precision;
    const char* caption;
    QColor colour;
};
const std::array<AxisStyle, AxisChannelCount> AxisStyles = {{
    {3, "V", QColor(0, 0, 0)},
    {2, "A", QColor(0, 255, 0)},
    {1, "Temperature", QColor(255, 0, 0)},
    {3, "Ohm", QColor(0, 0, 255)},
    {3, "Ah", QColor(128, 0, 128)},
}};

const std::array<QColor, HistoryChannelCount> PlotColours = {
    QColor(0, 0, 0),     QColor(0, 255, 0),   QColor(255, 0, 0),   QColor(0, 0, 255),
    QColor(255, 255, 0), QColor(255, 0, 255), QColor(128, 0, 128),
};

struct LegendEntry {
    const char* name;
    const char* text;  // none for the temperature, whose text is its unit
    QColor colour;
    ChannelSwitch shownWith;
};
const LegendEntry Legend[] = {
    {"LblV", "Voltage", Qt::black, ChannelSwitch::Voltage},
    {"LblA", "Ampere", QColor(0, 255, 0), ChannelSwitch::Current},
    {"LblT", nullptr, QColor(255, 0, 0), ChannelSwitch::Temperature},
    {"LblO", "Ohm", QColor(0, 0, 255), ChannelSwitch::Resistance},
    {"LblCap", "Capacity", QColor(128, 0, 128), ChannelSwitch::Capacity},
    {"LblSymbol1", "(", Qt::black, ChannelSwitch::Capacity},
    {"LblIn", "in", QColor(255, 255, 0), ChannelSwitch::Capacity},
    {"LblOut", "Out", QColor(255, 0, 255), ChannelSwitch::Capacity},
    {"LblTotal", "Total", QColor(128, 0, 128), ChannelSwitch::Capacity},
    {"LblSymbol2", ")", Qt::black, ChannelSwitch::Capacity},
};

} // namespace

ChannelGraph::ChannelGraph(QCustomPlot& plot) : plot_(plot)
{
    plot_.setBackground(GraphTeal);
    TickWholeNumbers(*plot_.xAxis);
    QCPAxisRect& rect = *plot_.axisRect();
    for (std::size_t i = 0; i < AxisChannelCount; ++i) {
        QCPAxis* axis = i == 0 ? plot_.yAxis : rect.addAxis(QCPAxis::atLeft);
        const AxisStyle& style = AxisStyles.at(i);
        axis->setNumberFormat("f");
        axis->setNumberPrecision(style.precision);
        axis->setLabel(style.caption);
        axis->setLabelColor(style.colour);
        axis->setTickLabelColor(style.colour);
        axis->setBasePen(QPen(style.colour));
    }
    for (std::size_t i = 0; i < HistoryChannelCount; ++i) {
        QCPGraph* graph = plot_.addGraph(plot_.xAxis, &Axis(AxisOf(static_cast<HistoryChannel>(i))));
        graph->setPen(QPen(PlotColours.at(i), 1));  // a one-pixel line draws fast at any point count
        graph->setAdaptiveSampling(true);
    }
}

QCPAxis& ChannelGraph::Axis(AxisChannel channel) const
{
    return *plot_.axisRect()->axes(QCPAxis::atLeft).at(static_cast<int>(channel));
}

QCPGraph& ChannelGraph::Plot(HistoryChannel channel) const { return *plot_.graph(static_cast<int>(channel)); }

void ChannelGraph::SetLimits(const AxisLimits& limits) const
{
    for (std::size_t i = 0; i < AxisChannelCount; ++i) {
        const auto channel = static_cast<AxisChannel>(i);
        Axis(channel).setRange(limits[channel].Min, limits[channel].Max);
    }
}

void ChannelGraph::ShowAxes(const ChannelSwitches& channels) const
{
    for (std::size_t i = 0; i < AxisChannelCount; ++i) {
        const auto channel = static_cast<AxisChannel>(i);
        Axis(channel).setVisible(channels[SwitchOf(channel)]);
    }
}

void TickWholeNumbers(QCPAxis& axis)
{
    auto ticker = QSharedPointer<QCPAxisTickerFixed>::create();
    ticker->setTickStep(1);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    axis.setTicker(ticker);
}

QBoxLayout* ChannelLegend(QWidget& window, const QString& temperatureText)
{
    auto* legend = new QHBoxLayout;
    for (const LegendEntry& entry : Legend) {
        auto* label = new QLabel(entry.text != nullptr ? QString(entry.text) : temperatureText, &window);
        label->setObjectName(entry.name);
        QFont font("Times New Roman");
        font.setPointSize(12);
        font.setBold(true);
        label->setFont(font);
        QPalette ink = label->palette();
        ink.setColor(QPalette::WindowText, entry.colour);
        label->setPalette(ink);
        legend->addWidget(label);
    }
    legend->addStretch();
    return legend;
}

void ShowChannelLegend(QWidget& window, const ChannelSwitches& channels)
{
    for (const LegendEntry& entry : Legend)
        window.findChild<QLabel*>(entry.name)->setVisible(channels[entry.shownWith]);
}

} // namespace voltaryn
