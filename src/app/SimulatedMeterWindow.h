#pragma once

#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMeter.h"

#include <QWidget>

namespace voltaryn {

// The demo's stand-in for the meter in the user's hand: turn its range switch, switch the
// temperature unit, pull the cable and plug it in again. It opens beside the main window, and
// once closed the main window's context menu (or F12) shows it again.
class SimulatedMeterWindow : public QWidget {
    Q_OBJECT
public:
    SimulatedMeterWindow(sim::SimulatedMeter& meter, sim::SimulatedHidBackend& backend, QWidget& mainWindow);

    // Shows the window against the main window's right edge, wholly on its screen.
    void ShowBeside(const QWidget& mainWindow);
};

} // namespace voltaryn
