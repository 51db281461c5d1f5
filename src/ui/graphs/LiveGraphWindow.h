#pragma once

#include "graphs/GraphChannels.h"
#include "graphs/LiveGraph.h"
#include "program/ProgramState.h"

#include <QWidget>

class QCPAxis;
class QCustomPlot;
class QLabel;
class QTimer;
class QToolBar;

namespace voltaryn {

// "Real Time Graph" (`RealTimeAll`): the readings charted as they arrive, one point a second per
// channel, on one sample axis and five value axes. The chart keeps the last hour of points and
// scrolls once past its first 300 samples; the whole run is in the graph history.
class LiveGraphWindow : public QWidget {
    Q_OBJECT
public:
    LiveGraphWindow(LiveGraph& graph, const GraphState& state, bool tempIsCelsius, QWidget* mainWindow);

    // One tick of the window's one-second timer: a point per charted plot, or the end.
    void Tick();
    QCustomPlot& Plot() { return *plot_; }
    void StartTicking();

signals:
    void resizeClicked();
    void printClicked();
    void graphClicked();
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void AddAxesAndPlots(const GraphState& state);
    void AddLegend(const ChannelSwitches& switches, bool tempIsCelsius);

    LiveGraph& graph_;
    QCustomPlot* plot_;
    QTimer* timer_;
    std::array<QCPAxis*, AxisChannelCount> axes_{};
    double nextSample_ = 0;
};

} // namespace voltaryn
