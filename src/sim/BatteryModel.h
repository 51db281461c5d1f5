#pragma once

#include "sim/SimClock.h"

namespace voltaryn::sim {

// The kind of battery under test.
struct BatteryProfile {
    double fullVolts;       // open-circuit voltage when fully charged
    double emptyVolts;      // open-circuit voltage when empty
    double internalOhms;
    double capacityAh;
    double testAmps;        // the test current, first discharging, then charging
    double startCharge;     // state of charge when the test starts, 0..1
    double ambientCelsius;
};

inline constexpr BatteryProfile LeadAcid12V{12.72, 11.90, 0.0052, 7.2, 2.0, 0.90, 24.0};

// What the meter measures at one instant.
struct BatterySample {
    double volts = 0;
    double ohms = 0;
    double amps = 0;           // positive while charging
    double celsius = 0;
    double inAh = 0;           // charge put in since the test started
    double outAh = 0;          // charge taken out since the test started
    double chargePercent = 0;  // estimated state of charge
};

// A battery on a repeating test: discharged at the test current for one half cycle, then charged
// at the same current for the next. Its terminal voltage follows the state of charge and the
// current through the internal resistance; every value drifts a little, as a real battery's does.
class BatteryModel {
public:
    static constexpr std::chrono::seconds HalfCycle{600};

    BatteryModel(const BatteryProfile& profile, SimTime start);

    BatterySample SampleAt(SimTime now) const;

private:
    BatteryProfile profile_;
    SimTime start_;
};

} // namespace voltaryn::sim
