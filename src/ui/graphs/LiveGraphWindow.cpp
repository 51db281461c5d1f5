#include "ui/graphs/LiveGraphWindow.h"

#include "ui/common/TintedIcon.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QToolBar>
#include <QVBoxLayout>

#include <qcustomplot.h>

namespace voltaryn {
namespace {

constexpr double VisibleSamples = 300;
constexpr double KeptSamples = 3600;  // the chart's own memory: the last hour

// The colour scheme choice at the tool bar's end, each entry holding its GraphScheme.
void AddSchemeChoice(QToolBar& toolbar, QComboBox& choice)
{
    choice.setObjectName("Colours");
    choice.addItem(LiveGraphWindow::tr("Classic colours"), static_cast<int>(GraphScheme::Classic));
    choice.addItem(LiveGraphWindow::tr("Readable colours"), static_cast<int>(GraphScheme::Readable));
    choice.setAccessibleName(LiveGraphWindow::tr("Graph colours"));
    choice.setToolTip(LiveGraphWindow::tr("Classic: the teal background of old. Readable: the desktop's "
                                          "background, with lines anyone can tell apart."));
    toolbar.addWidget(&choice);
}

} // namespace

LiveGraphWindow::LiveGraphWindow(LiveGraph& live, const GraphState& state, bool tempIsCelsius, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), live_(live), plot_(new QCustomPlot(this)), graph_(*plot_),
      toolbar_(new QToolBar(this)), scheme_(new QComboBox(this))
{
    setObjectName("RealTimeAll");
    setWindowTitle("Real Time Graph");
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);

    toolbar_->setObjectName("Toolbar1");
    QAction* resize = toolbar_->addAction(QIcon::fromTheme("view-fullscreen-symbolic"), "Resize");
    resize->setObjectName("Resize");
    resize->setToolTip("Graphic Items and Resize Window");
    connect(resize, &QAction::triggered, this, &LiveGraphWindow::resizeClicked);
    QAction* print = toolbar_->addAction(QIcon::fromTheme("document-print-symbolic"), "Print");
    print->setObjectName("Print");
    print->setShortcut(QKeySequence::Print);
    print->setToolTip(tr("Print  (%1)").arg(print->shortcut().toString(QKeySequence::NativeText)));
    connect(print, &QAction::triggered, this, &LiveGraphWindow::printClicked);
    AddSchemeChoice(*toolbar_, *scheme_);
    connect(scheme_, &QComboBox::activated, this,
            [this] { emit schemeChosen(static_cast<GraphScheme>(scheme_->currentData().toInt())); });

    plot_->setObjectName("Graph");
    plot_->setMinimumSize(640, 360);
    plot_->xAxis->setRange(0, VisibleSamples);
    graph_.SetLimits(state.GraphAxisLimits);
    graph_.ShowAxes(state.GraphChannels);
    connect(plot_, &QCustomPlot::mousePress, this, &LiveGraphWindow::graphClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(toolbar_);
    layout->addWidget(plot_, 1);
    layout->addLayout(ChannelLegend(*this, tempIsCelsius ? "Celsius" : "Fahrenheit"));
    ShowChannelLegend(*this, state.GraphChannels);
    SetScheme(GraphScheme::Classic);
}

void LiveGraphWindow::SetScheme(GraphScheme scheme)
{
    const GraphColours colours = ColoursFor(scheme, palette());
    scheme_->setCurrentIndex(scheme_->findData(static_cast<int>(scheme)));
    background_ = colours.background;
    SetBackground(background_);
    graph_.Paint(colours);
    PaintChannelLegend(*this, colours);
    // The tool bar stands on the graph's background: its icons take the scheme's text colour.
    QColor disabled = colours.text;
    disabled.setAlphaF(0.4F);
    for (QAction* action : toolbar_->actions())
        if (!action->icon().isNull())
            action->setIcon(TintedIcon(action->icon(), toolbar_->iconSize(), colours.text, disabled));
}

void LiveGraphWindow::SetBackground(const QColor& colour)
{
    QPalette background = palette();
    background.setColor(QPalette::Window, colour);
    setPalette(background);
    plot_->setBackground(colour);
    plot_->replot();
}

QPixmap LiveGraphWindow::PrintImage()
{
    toolbar_->hide();
    SetBackground(Qt::white);
    layout()->activate();
    QPixmap image = grab();
    SetBackground(background_);
    toolbar_->show();
    return image;
}

void LiveGraphWindow::Tick()
{
    const LiveGraphTick tick = live_.Tick();
    if (tick.Stopped) {
        close();
        return;
    }
    for (std::size_t i = 0; i < HistoryChannelCount; ++i) {
        const std::optional<double> point = tick.Points[static_cast<HistoryChannel>(i)];
        if (!point)
            continue;
        QCPGraph& plotted = graph_.Plot(static_cast<HistoryChannel>(i));
        plotted.addData(nextSample_, *point);
        plotted.data()->removeBefore(nextSample_ - KeptSamples);
    }
    if (nextSample_ > VisibleSamples)
        plot_->xAxis->setRange(nextSample_ - VisibleSamples, nextSample_);
    ++nextSample_;
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void LiveGraphWindow::closeEvent(QCloseEvent* event)
{
    emit closed();
    QWidget::closeEvent(event);
}

} // namespace voltaryn
