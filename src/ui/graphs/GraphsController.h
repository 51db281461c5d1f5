#pragma once

#include "graphs/GraphState.h"
#include "graphs/LiveGraph.h"
#include "meter/MeterReading.h"
#include "ui/common/FeatureContext.h"
#include "ui/graphs/DetailGraphWindow.h"
#include "ui/graphs/GraphSettingsDialog.h"
#include "ui/graphs/LiveGraphWindow.h"
#include "ui/panel/ToolbarCommands.h"

#include <QObject>
#include <QPointer>

namespace voltaryn {

// The toolbar's Graph: the channel and axis settings (`AllGraph`), whose OK starts the live graph
// of all channels; the live graph's Resize opens the settings again and Print prints it. A click
// on the live graph opens the detail settings (`GraphDetail`), whose OK draws the recorded history
// in the detail graph. It owns the graphs' settings and recorded history.
class GraphsController : public QObject {
    Q_OBJECT
public:
    GraphsController(const FeatureContext& context, const MeterReading& reading);

    void Register(ToolbarCommands& toolbar);
    // One sample of the running live graph; the run schedule calls it once a second.
    void Sample();

    const GraphState& State() const { return state_; }
    GraphState& State() { return state_; }
    const LiveGraph& Live() const { return liveGraph_; }
    // The colour scheme of the live and the detail graph; a change recolours open graphs.
    GraphScheme Scheme() const { return scheme_; }
    void SetScheme(GraphScheme scheme);

signals:
    // The live graph started (true) or ended (false): its samples are due once a second or not.
    void samplingChanged(bool running);
    // The user chose another colour scheme.
    void schemeChanged(GraphScheme scheme);

private:
    bool SaysWhenNoChannel(const ChannelSwitches& channels);
    void OpenSettings();
    void Start(const ChannelSwitches& channels, const AxisLimits& limits);
    void Print();
    void OpenDetailSettings(const AxisLimits& limits, const ChannelSwitches& checked);
    void ShowDetail(const ChannelSwitches& channels, const AxisLimits& limits);

    FeatureContext context_;
    const MeterReading& reading_;
    GraphState state_;
    LiveGraph liveGraph_;
    GraphScheme scheme_ = GraphScheme::Classic;
    QPointer<GraphSettingsDialog> settings_;
    QPointer<LiveGraphWindow> window_;
    QPointer<GraphSettingsDialog> detailSettings_;
    QPointer<DetailGraphWindow> detail_;
};

} // namespace voltaryn
