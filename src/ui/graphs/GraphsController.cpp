#include "ui/graphs/GraphsController.h"

#include <QPainter>
#include <QPrinter>
#include <QToolBar>

#include <qcustomplot.h>

namespace voltaryn {

GraphsController::GraphsController(const FeatureContext& context)
    : context_(context), liveGraph_(context.state.graphs, context.state.meter.reading)
{
}

void GraphsController::Register(ToolbarCommands& toolbar)
{
    toolbar.Add("Graph", [this] {
        GraphState& graphs = context_.state.graphs;
        if (graphs.RealTimeGraphActive)
            return;
        const MeterReading& reading = context_.state.meter.reading;
        graphs.GraphAxisLimits = DefaultAxisLimits(reading.TempIsCelsius, reading.RangeText);
        OpenSettings();
    });
}

void GraphsController::OpenSettings()
{
    GraphState& graphs = context_.state.graphs;
    auto* settings = new GraphSettingsDialog(GraphSettingsDialog::Kind::AllGraph, &context_.mainWindow);
    settings->SetResistanceFormat(ResistanceFieldFormat(graphs.GraphOhmRange));
    settings->SetLimits(graphs.GraphAxisLimits, true);
    settings->SetSwitches(graphs.GraphChannels);
    connect(settings, &GraphSettingsDialog::limitChanged, this,
            [&graphs](AxisChannel channel, AxisRange range) { graphs.GraphAxisLimits[channel] = range; });
    connect(settings, &GraphSettingsDialog::okClicked, this,
            [this, settings] { Start(settings->Switches(), settings->Limits()); });
    settings->show();
}

void GraphsController::Start(const ChannelSwitches& channels, const AxisLimits& limits)
{
    if (!liveGraph_.Start(channels, limits))
        return;  // no channel chosen: nothing to chart
    window_ = new LiveGraphWindow(liveGraph_, context_.state.graphs, context_.state.meter.reading.TempIsCelsius,
                                  &context_.mainWindow);
    connect(window_, &LiveGraphWindow::closed, this, [this] { liveGraph_.Close(); });
    connect(window_, &LiveGraphWindow::resizeClicked, this, [this] {
        OpenSettings();
        window_->close();
    });
    connect(window_, &LiveGraphWindow::printClicked, this, &GraphsController::Print);
    window_->move(context_.mainWindow.frameGeometry().topRight() + QPoint(1, 0));
    window_->show();
    window_->StartTicking();
}

// Prints the window's image on a white background, without its toolbar.
void GraphsController::Print()
{
    QPrinter printer;
    if (window_ == nullptr || !context_.dialogs.ChoosePrinter(window_, printer))
        return;
    auto* toolbar = window_->findChild<QToolBar*>("Toolbar1");
    toolbar->hide();
    window_->Plot().setBackground(Qt::white);
    window_->Plot().replot();
    const QPixmap image = window_->grab();
    window_->Plot().setBackground(QColor(0, 128, 128));
    window_->Plot().replot();
    toolbar->show();

    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawPixmap(0, 0, image);
}

} // namespace voltaryn
