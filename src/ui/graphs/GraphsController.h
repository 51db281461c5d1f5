#pragma once

#include "graphs/LiveGraph.h"
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
// in the detail graph.
class GraphsController : public QObject {
    Q_OBJECT
public:
    explicit GraphsController(const FeatureContext& context);

    void Register(ToolbarCommands& toolbar);

private:
    void OpenSettings();
    void Start(const ChannelSwitches& channels, const AxisLimits& limits);
    void Print();
    void OpenDetailSettings(const AxisLimits& limits, const ChannelSwitches& checked);
    void ShowDetail(const ChannelSwitches& channels, const AxisLimits& limits);

    FeatureContext context_;
    LiveGraph liveGraph_;
    QPointer<LiveGraphWindow> window_;
    QPointer<DetailGraphWindow> detail_;
};

} // namespace voltaryn
