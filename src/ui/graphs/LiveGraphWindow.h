#pragma once

#include "graphs/GraphChannels.h"
#include "graphs/LiveGraph.h"
#include "graphs/GraphState.h"
#include "ui/graphs/ChannelGraph.h"

#include <QWidget>

class QComboBox;
class QCustomPlot;
class QToolBar;

namespace voltaryn {

// "Real Time Graph" (`RealTimeAll`): the readings charted as they arrive, one point a second per
// channel, on one sample axis and five value axes. The chart keeps the last hour of points and
// scrolls once past its first 300 samples; the whole run is in the graph history.
class LiveGraphWindow : public QWidget {
    Q_OBJECT
public:
    LiveGraphWindow(LiveGraph& live, const GraphState& state, bool tempIsCelsius, QWidget* mainWindow);

    // One sample of the live graph: a point per charted plot, or the end, which closes the window.
    void Tick();
    QCustomPlot& Plot() { return *plot_; }
    // The window's image for printing: on white, without its toolbar.
    QPixmap PrintImage();
    // Colours the window, the chart and the legend in `scheme`.
    void SetScheme(GraphScheme scheme);

signals:
    void resizeClicked();
    void printClicked();
    void graphClicked();
    void closed();
    // The user chose another colour scheme in the window's tool bar.
    void schemeChosen(GraphScheme scheme);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetBackground(const QColor& colour);

    LiveGraph& live_;
    QCustomPlot* plot_;
    ChannelGraph graph_;
    QToolBar* toolbar_;
    QComboBox* scheme_;
    QColor background_;
    double nextSample_ = 0;
};

} // namespace voltaryn
