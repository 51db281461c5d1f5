#pragma once

#include "graphs/DetailGraph.h"
#include "ui/graphs/ChannelGraph.h"

#include <QWidget>

class QCustomPlot;

namespace voltaryn {

// "Real Time Graph" (`RealTimeGraph`): the live graph's recorded history for the channels and
// ranges chosen in the detail settings, sample i at horizontal position i + 1.
class DetailGraphWindow : public QWidget {
    Q_OBJECT
public:
    explicit DetailGraphWindow(QWidget* mainWindow);

    // Draws the chosen channels, each plot's samples set in one call; `temperatureText` names the
    // temperature unit the history was recorded in.
    void Draw(const DetailGraphData& data, const QString& temperatureText);
    QCustomPlot& Plot() { return *plot_; }

private:
    QCustomPlot* plot_;
    ChannelGraph graph_;
};

} // namespace voltaryn
