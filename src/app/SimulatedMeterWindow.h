#pragma once

#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMeter.h"

#include <QWidget>

namespace voltaryn {

// The demo's stand-in for the meter in the user's hand: turn its range switch, switch the
// temperature unit, pull the cable and plug it in again.
class SimulatedMeterWindow : public QWidget {
    Q_OBJECT
public:
    SimulatedMeterWindow(sim::SimulatedMeter& meter, sim::SimulatedHidBackend& backend, QWidget* parent = nullptr);
};

} // namespace voltaryn
