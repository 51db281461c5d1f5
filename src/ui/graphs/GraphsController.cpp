#include "ui/graphs/GraphsController.h"

#include "ui/common/QtText.h"
#include "ui/common/ScreenFit.h"
#include "ui/graphs/WindowImagePrint.h"

#include <QPrinter>
#include <QScreen>

#include <algorithm>
#include <functional>

#include <qcustomplot.h>

namespace voltaryn {
namespace {

// Each dialog and graph window exists once: asked for again while it is shown, it comes to the
// front instead.
bool RaiseIfShown(QWidget* window)
{
    if (window == nullptr || !window->isVisible())
        return false;
    BringForward(*window);
    return true;
}

} // namespace

GraphsController::GraphsController(const FeatureContext& context, const MeterReading& reading)
    : context_(context), reading_(reading), liveGraph_(state_, reading)
{
}

void GraphsController::Register(ToolbarCommands& toolbar)
{
    toolbar.Add("Graph", [this] {
        if (RaiseIfShown(window_) || RaiseIfShown(settings_) || liveGraph_.Running())
            return;
        state_.GraphAxisLimits = DefaultAxisLimits(reading_.TempIsCelsius, reading_.RangeText);
        OpenSettings();
    });
}

void GraphsController::OpenSettings()
{
    if (RaiseIfShown(settings_))
        return;
    auto* settings = new GraphSettingsDialog(GraphSettingsDialog::Kind::AllGraph, &context_.mainWindow);
    settings_ = settings;
    settings->SetResistanceFormat(ResistanceFieldFormat(state_.GraphOhmRange));
    settings->SetLimits(state_.GraphAxisLimits, true);
    settings->SetSwitches(state_.GraphChannels);
    connect(settings, &GraphSettingsDialog::limitChanged, this,
            [this](AxisChannel channel, AxisRange range) { state_.GraphAxisLimits[channel] = range; });
    connect(settings, &GraphSettingsDialog::okClicked, this,
            [this, settings] { Start(settings->Switches(), settings->Limits()); });
    settings->show();
}

void GraphsController::Start(const ChannelSwitches& channels, const AxisLimits& limits)
{
    if (!SaysWhenNoChannel(channels))
        return;
    if (RaiseIfShown(window_) || !liveGraph_.Start(channels, limits))
        return;  // already charting, or no channel chosen: nothing to chart
    window_ = new LiveGraphWindow(liveGraph_, state_, reading_.TempIsCelsius, &context_.mainWindow);
    connect(window_, &LiveGraphWindow::closed, this, [this] {
        liveGraph_.Close();
        emit samplingChanged(false);
    });
    connect(window_, &LiveGraphWindow::resizeClicked, this, [this] {
        OpenSettings();
        window_->close();
    });
    connect(window_, &LiveGraphWindow::printClicked, this, &GraphsController::Print);
    connect(window_, &LiveGraphWindow::schemeChosen, this, [this](GraphScheme scheme) {
        SetScheme(scheme);
        emit schemeChanged(scheme);
    });
    window_->SetScheme(scheme_);
    connect(window_, &LiveGraphWindow::graphClicked, this,
            [this] { OpenDetailSettings(state_.GraphAxisLimits, state_.GraphChannels); });
    ShowBeside(*window_, context_.mainWindow, QSize(1100, 620));
    emit samplingChanged(true);
}

void GraphsController::SetScheme(GraphScheme scheme)
{
    scheme_ = scheme;
    if (window_ != nullptr)
        window_->SetScheme(scheme);
    if (detail_ != nullptr)
        detail_->SetScheme(scheme);
}

void GraphsController::Sample()
{
    if (window_ != nullptr)
        window_->Tick();
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
    if (RaiseIfShown(detailSettings_))
        return;
    if (detail_ != nullptr)
        detail_->close();
    const ChannelSwitches& charted = state_.GraphChannels;
    auto* settings = new GraphSettingsDialog(GraphSettingsDialog::Kind::GraphDetail, &context_.mainWindow);
    detailSettings_ = settings;
    settings->SetResistanceFormat(ResistanceFieldFormat(state_.GraphOhmRange));
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

// OK with no box checked closes the dialog and starts nothing; the user is told why.
bool GraphsController::SaysWhenNoChannel(const ChannelSwitches& channels)
{
    if (std::ranges::any_of(channels.values, std::identity{}))
        return true;
    context_.dialogs.ShowMessage(&context_.mainWindow, MessageIcon::None,
                                 tr("No channel is checked, so there is nothing to draw.\n"
                                    "Check at least one channel, then press OK."));
    return false;
}

void GraphsController::ShowDetail(const ChannelSwitches& channels, const AxisLimits& limits)
{
    if (!SaysWhenNoChannel(channels))
        return;
    const std::optional<DetailGraphData> data = PrepareDetailGraph(state_, channels, limits);
    if (!data)
        return;  // no channel chosen, or nothing recorded yet
    detail_ = new DetailGraphWindow(state_.GraphTempUnit, context_.dialogs, &context_.mainWindow);
    connect(detail_, &DetailGraphWindow::resetClicked, this,
            [this] { OpenDetailSettings(state_.DetailAxisLimits, state_.DetailChannels); });
    detail_->SetResistanceFormat(ResistanceFieldFormat(state_.GraphOhmRange));
    detail_->SetScheme(scheme_);
    ShowBeside(*detail_, context_.mainWindow, QSize(1280, 720));
    detail_->Draw(*data);
}

} // namespace voltaryn
