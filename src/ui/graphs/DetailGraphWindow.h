#pragma once

#include "graphs/DetailGraph.h"
#include "ui/graphs/ChannelGraph.h"
#include "ui/graphs/ZoomableGraphWindow.h"

namespace voltaryn {

// "Real Time Graph" (`RealTimeGraph`): the live graph's recorded history for the channels and
// ranges chosen in the detail settings, sample i at horizontal position i + 1, with two cursors.
// Its range fields apply when a maximum changes, not while the window fills them itself; "Reset
// Scale" asks for the detail settings again (resetClicked) and closes the window.
class DetailGraphWindow : public ZoomableGraphWindow {
    Q_OBJECT
public:
    DetailGraphWindow(const std::string& tempUnit, DialogService& dialogs, QWidget* mainWindow);

    // How the vertical range fields show a resistance axis; set before Draw.
    void SetResistanceFormat(const FieldFormat& format) { resistanceFormat_ = format; }
    // Draws the chosen channels, each plot's samples set in one call.
    void Draw(const DetailGraphData& data);
    // Colours the window, the chart, its cursors and the legend in `scheme`.
    void SetScheme(GraphScheme scheme);

signals:
    void resetClicked();

protected:
    bool AppliesFieldChange(bool maxField) const override;
    void Reset() override;
    QColor Background() const override { return colours_.background; }

private:
    ChannelGraph channels_;
    GraphColours colours_;
    FieldFormat resistanceFormat_;
    bool fillingRanges_ = false;  // the window sets its own range fields; they apply nothing
};

} // namespace voltaryn
