#include "ui/graphs/LiveGraphWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <qcustomplot.h>

namespace voltaryn {
namespace {

const QColor Teal(0, 128, 128);
constexpr double VisibleSamples = 300;
constexpr double KeptSamples = 3600;  // the chart's own memory: the last hour

struct PlotStyle {
    HistoryChannel channel;
    QColor colour;
};
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

const PlotStyle Plots[] = {
    {HistoryChannel::Voltage, QColor(0, 0, 0)},         {HistoryChannel::Current, QColor(0, 255, 0)},
    {HistoryChannel::Temperature, QColor(255, 0, 0)},   {HistoryChannel::Resistance, QColor(0, 0, 255)},
    {HistoryChannel::InCapacity, QColor(255, 255, 0)},  {HistoryChannel::OutCapacity, QColor(255, 0, 255)},
    {HistoryChannel::TotalCapacity, QColor(128, 0, 128)},
};

} // namespace

LiveGraphWindow::LiveGraphWindow(LiveGraph& graph, const GraphState& state, bool tempIsCelsius, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), graph_(graph), plot_(new QCustomPlot(this)), timer_(new QTimer(this))
{
    setObjectName("RealTimeAll");
    setWindowTitle("Real Time Graph");
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, Teal);
    setPalette(teal);

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName("Toolbar1");
    QAction* resize = toolbar->addAction(QIcon::fromTheme("view-fullscreen-symbolic"), "Resize");
    resize->setObjectName("Resize");
    resize->setToolTip("Graphic Items and Resize Window");
    connect(resize, &QAction::triggered, this, &LiveGraphWindow::resizeClicked);
    QAction* print = toolbar->addAction(QIcon::fromTheme("document-print-symbolic"), "Print");
    print->setObjectName("Print");
    print->setToolTip("Print");
    connect(print, &QAction::triggered, this, &LiveGraphWindow::printClicked);

    plot_->setObjectName("Graph");
    plot_->setBackground(Teal);
    plot_->setMinimumSize(640, 360);
    AddAxesAndPlots(state);
    connect(plot_, &QCustomPlot::mousePress, this, &LiveGraphWindow::graphClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(toolbar);
    layout->addWidget(plot_, 1);
    AddLegend(state.GraphChannels, tempIsCelsius);

    timer_->setObjectName("Timer1");
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &LiveGraphWindow::Tick);
}

void LiveGraphWindow::AddAxesAndPlots(const GraphState& state)
{
    QCPAxisRect& rect = *plot_->axisRect();
    plot_->xAxis->setRange(0, VisibleSamples);
    for (std::size_t i = 0; i < AxisChannelCount; ++i) {
        const auto channel = static_cast<AxisChannel>(i);
        QCPAxis* axis = i == 0 ? plot_->yAxis : rect.addAxis(QCPAxis::atLeft);
        const AxisStyle& style = AxisStyles.at(i);
        axis->setNumberFormat("f");
        axis->setNumberPrecision(style.precision);
        axis->setLabel(style.caption);
        axis->setLabelColor(style.colour);
        axis->setTickLabelColor(style.colour);
        axis->setBasePen(QPen(style.colour));
        axis->setRange(state.GraphAxisLimits[channel].Min, state.GraphAxisLimits[channel].Max);
        axis->setVisible(state.GraphChannels[SwitchOf(channel)]);
        axes_.at(i) = axis;
    }
    for (const PlotStyle& style : Plots) {
        QCPGraph* plotted = plot_->addGraph(plot_->xAxis, axes_.at(static_cast<std::size_t>(AxisOf(style.channel))));
        plotted->setPen(QPen(style.colour, 1.5));
        plotted->setAdaptiveSampling(true);
    }
}

void LiveGraphWindow::AddLegend(const ChannelSwitches& switches, bool tempIsCelsius)
{
    struct Entry {
        const char* name;
        QString text;
        QColor colour;
        ChannelSwitch shownWith;
    };
    const Entry entries[] = {
        {"LblV", "Voltage", Qt::black, ChannelSwitch::Voltage},
        {"LblA", "Ampere", QColor(0, 255, 0), ChannelSwitch::Current},
        {"LblT", tempIsCelsius ? "Celsius" : "Fahrenheit", QColor(255, 0, 0), ChannelSwitch::Temperature},
        {"LblO", "Ohm", QColor(0, 0, 255), ChannelSwitch::Resistance},
        {"LblCap", "Capacity", QColor(128, 0, 128), ChannelSwitch::Capacity},
        {"LblSymbol1", "(", Qt::black, ChannelSwitch::Capacity},
        {"LblIn", "in", QColor(255, 255, 0), ChannelSwitch::Capacity},
        {"LblOut", "Out", QColor(255, 0, 255), ChannelSwitch::Capacity},
        {"LblTotal", "Total", QColor(128, 0, 128), ChannelSwitch::Capacity},
        {"LblSymbol2", ")", Qt::black, ChannelSwitch::Capacity},
    };
    auto* legend = new QHBoxLayout;
    for (const Entry& entry : entries) {
        auto* label = new QLabel(entry.text, this);
        label->setObjectName(entry.name);
        QFont font("Times New Roman");
        font.setPointSize(12);
        font.setBold(true);
        label->setFont(font);
        QPalette ink = label->palette();
        ink.setColor(QPalette::WindowText, entry.colour);
        label->setPalette(ink);
        label->setVisible(switches[entry.shownWith]);
        legend->addWidget(label);
    }
    legend->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(legend);
}

void LiveGraphWindow::StartTicking() { timer_->start(); }

void LiveGraphWindow::Tick()
{
    const LiveGraphTick tick = graph_.Tick();
    if (tick.Stopped) {
        timer_->stop();
        close();
        return;
    }
    for (std::size_t i = 0; i < HistoryChannelCount; ++i) {
        const std::optional<double> point = tick.Points[static_cast<HistoryChannel>(i)];
        if (!point)
            continue;
        QCPGraph* plotted = plot_->graph(static_cast<int>(i));
        plotted->addData(nextSample_, *point);
        plotted->data()->removeBefore(nextSample_ - KeptSamples);
    }
    if (nextSample_ > VisibleSamples)
        plot_->xAxis->setRange(nextSample_ - VisibleSamples, nextSample_);
    ++nextSample_;
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void LiveGraphWindow::closeEvent(QCloseEvent* event)
{
    timer_->stop();
    emit closed();
    QWidget::closeEvent(event);
}

} // namespace voltaryn
