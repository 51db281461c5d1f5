#include "ui/graphs/GraphsController.h"

#include "ui/common/QtText.h"
#include "ui/common/ScreenFit.h"
#include "ui/graphs/WindowImagePrint.h"

#include <QScreen>
#include <QPrinter>

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
    connect(window_, &LiveGraphWindow::graphClicked, this,
            [this] { OpenDetailSettings(context_.state.graphs.GraphAxisLimits, context_.state.graphs.GraphChannels); });
    window_->resize(1100, 620);
    window_->move(context_.mainWindow.frameGeometry().topRight() + QPoint(1, 0));
    KeepOnScreen(*window_, context_.mainWindow);
    window_->show();
    window_->StartTicking();
}

void GraphsController::Print()
{
    QPrinter printer;
    if (window_ == nullptr || !context_.dialogs.ChoosePrinter(window_, printer))
        return;
    PrintWindowImage(printer, window_->PrintImage());
}

// The detail settings offer the channels the live graph charted, those of `checked` checked.
void GraphsController::OpenDetailSettings(const AxisLimits& limits, const ChannelSwitches& checked)
{
    if (detail_ != nullptr)
        detail_->close();
    const ChannelSwitches& charted = context_.state.graphs.GraphChannels;
    auto* settings = new GraphSettingsDialog(GraphSettingsDialog::Kind::GraphDetail, &context_.mainWindow);
    settings->SetLimits(limits, false);
    settings->SetSwitches(checked);
    for (std::size_t i = 0; i < AxisChannelCount; ++i) {
        const auto channel = static_cast<AxisChannel>(i);
        settings->SetChannelAvailable(channel, charted[SwitchOf(channel)]);
    }
    connect(settings, &GraphSettingsDialog::okClicked, this,
            [this, settings] { ShowDetail(settings->Switches(), settings->Limits()); });
    settings->show();
}

void GraphsController::ShowDetail(const ChannelSwitches& channels, const AxisLimits& limits)
{
    GraphState& graphs = context_.state.graphs;
    const std::optional<DetailGraphData> data = PrepareDetailGraph(graphs, channels, limits);
    if (!data)
        return;  // no channel chosen, or nothing recorded yet
    detail_ = new DetailGraphWindow(graphs, context_.dialogs, &context_.mainWindow);
    connect(detail_, &DetailGraphWindow::resetClicked, this,
            [this] { OpenDetailSettings(context_.state.graphs.DetailAxisLimits, context_.state.graphs.DetailChannels); });
    const QRect screen = context_.mainWindow.screen()->availableGeometry();
    detail_->setGeometry(FitWithin(QRect(screen.topLeft(), QSize(1280, 720)), screen));
    detail_->show();
    detail_->Draw(*data);
}

} // namespace voltaryn
