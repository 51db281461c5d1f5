#pragma once

#include "common/LocalTime.h"
#include "link/MeterCommands.h"

#include <QDialog>

class QTimer;

namespace voltaryn {

class ClickableLabel;

// "Setup": the meter's clock beside the PC's, each shown live once its label is clicked, and a
// button that sets the meter's clock to the PC's. The window's own timer refreshes the labels
// every 350 ms; it asks the meter only while the meter's label is on.
class RtcSetupDialog : public QDialog {
    Q_OBJECT
public:
    RtcSetupDialog(MeterCommands& commands, PcClock pcClock, QWidget* mainWindow);

    // One tick of the window's timer.
    void Tick();

private:
    void SetMeterTime();

    MeterCommands& commands_;
    PcClock pcClock_;
    ClickableLabel* meterTime_;
    ClickableLabel* pcTime_;
    QTimer* timer_;
    bool showMeterTime_ = false;
    bool showPcTime_ = false;
};

} // namespace voltaryn
