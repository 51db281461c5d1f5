#include "ui/graphs/ChannelGraph.h"

#include <QBoxLayout>
#include <QLabel>

#include <optional>

#include <qcustomplot.h>

namespace voltaryn {
namespace {

// Each value axis: its label precision (".###", ".##", ".#", ...) and caption. An axis takes the
// colour of its channel's plot, so that a reader can tell which axis a line belongs to.
struct AxisStyle {
    int precision;
    const char* caption;
};
constexpr std::array<AxisStyle, AxisChannelCount> AxisStyles = {{
    {3, "V"},
    {2, "A"},
    {1, "Temperature"},
    {3, "Ohm"},
    {3, "Ah"},
}};

struct LegendEntry {
    const char* name;
    const char* text;  // none for the temperature, whose text is its unit
    std::optional<HistoryChannel> colourOf;  // none for the brackets, in the text colour
    ChannelSwitch shownWith;
};
constexpr LegendEntry Legend[] = {
    {"LblV", "Voltage", HistoryChannel::Voltage, ChannelSwitch::Voltage},
    {"LblA", "Ampere", HistoryChannel::Current, ChannelSwitch::Current},
    {"LblT", nullptr, HistoryChannel::Temperature, ChannelSwitch::Temperature},
    {"LblO", "Ohm", HistoryChannel::Resistance, ChannelSwitch::Resistance},
    {"LblCap", "Capacity", HistoryChannel::TotalCapacity, ChannelSwitch::Capacity},
    {"LblSymbol1", "(", std::nullopt, ChannelSwitch::Capacity},
    {"LblIn", "in", HistoryChannel::InCapacity, ChannelSwitch::Capacity},
    {"LblOut", "Out", HistoryChannel::OutCapacity, ChannelSwitch::Capacity},
    {"LblTotal", "Total", HistoryChannel::TotalCapacity, ChannelSwitch::Capacity},
    {"LblSymbol2", ")", std::nullopt, ChannelSwitch::Capacity},
};

} // namespace

ChannelGraph::ChannelGraph(QCustomPlot& plot) : plot_(plot)
{
    TickWholeNumbers(*plot_.xAxis);
    QCPAxisRect& rect = *plot_.axisRect();
    for (std::size_t i = 0; i < AxisChannelCount; ++i) {
        QCPAxis* axis = i == 0 ? plot_.yAxis : rect.addAxis(QCPAxis::atLeft);
        const AxisStyle& style = AxisStyles.at(i);
        axis->setNumberFormat("f");
        axis->setNumberPrecision(style.precision);
        axis->setLabel(style.caption);
    }
    for (std::size_t i = 0; i < HistoryChannelCount; ++i)
        plot_.addGraph(plot_.xAxis, &Axis(AxisOf(static_cast<HistoryChannel>(i))))->setAdaptiveSampling(true);
    Paint(ColoursFor(GraphScheme::Classic, plot_.palette()));
}

void ChannelGraph::Paint(const GraphColours& colours) const
{
    plot_.setBackground(colours.background);
    for (std::size_t i = 0; i < AxisChannelCount; ++i) {
        QCPAxis& axis = Axis(static_cast<AxisChannel>(i));
        const QColor& colour = colours.axes.values.at(i);
        axis.setLabelColor(colour);
        axis.setTickLabelColor(colour);
        axis.setBasePen(QPen(colour));
        axis.setTickPen(QPen(colour));
        axis.setSubTickPen(QPen(colour));
    }
    for (std::size_t i = 0; i < HistoryChannelCount; ++i)
        Plot(static_cast<HistoryChannel>(i)).setPen(QPen(colours.plots.values.at(i), colours.lineWidth));
    plot_.replot(QCustomPlot::rpQueuedReplot);
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
        legend->addWidget(label);
    }
    legend->addStretch();
    return legend;
}

void PaintChannelLegend(QWidget& window, const GraphColours& colours)
{
    for (const LegendEntry& entry : Legend) {
        auto* label = window.findChild<QLabel*>(entry.name);
        QPalette ink = label->palette();
        ink.setColor(QPalette::WindowText, entry.colourOf ? colours.plots[*entry.colourOf] : colours.text);
        label->setPalette(ink);
    }
}

void ShowChannelLegend(QWidget& window, const ChannelSwitches& channels)
{
    for (const LegendEntry& entry : Legend)
        window.findChild<QLabel*>(entry.name)->setVisible(channels[entry.shownWith]);
}

} // namespace voltaryn
