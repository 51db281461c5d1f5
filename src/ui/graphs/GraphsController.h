#pragma once

#include "graphs/LiveGraph.h"
#include "ui/common/FeatureContext.h"
#include "ui/graphs/GraphSettingsDialog.h"
#include "ui/graphs/LiveGraphWindow.h"
#include "ui/panel/ToolbarCommands.h"

#include <QObject>
#include <QPointer>

namespace voltaryn {

// The toolbar's Graph: the channel and axis settings (`AllGraph`), whose OK starts the live graph
// of all channels; the live graph's Resize opens the settings again and Print prints it.
class GraphsController : public QObject {
    Q_OBJECT
public:
    explicit GraphsController(const FeatureContext& context);

    void Register(ToolbarCommands& toolbar);

private:
    void OpenSettings();
    void Start(const ChannelSwitches& channels, const AxisLimits& limits);
    void Print();

    FeatureContext context_;
    LiveGraph liveGraph_;
    QPointer<LiveGraphWindow> window_;
};

} // namespace voltaryn
