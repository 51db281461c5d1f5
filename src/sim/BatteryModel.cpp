#include "sim/BatteryModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace voltaryn::sim {

BatteryModel::BatteryModel(const BatteryProfile& profile, SimTime start) : profile_(profile), start_(start) {}

BatterySample BatteryModel::SampleAt(SimTime now) const
{
    const BatteryProfile& p = profile_;
    // A clock set back before the test started reads as the start.
    const double t = std::max(0.0, std::chrono::duration<double>(now - start_).count());
    const double half = std::chrono::duration<double>(HalfCycle).count();
    const double cycles = std::floor(t / (2 * half));
    const double phase = t - cycles * 2 * half;
    const bool charging = phase >= half;
    const double ampHours = p.testAmps / 3600.0;

    BatterySample s;
    s.outAh = (cycles * half + std::min(phase, half)) * ampHours;
    s.inAh = (cycles * half + std::max(0.0, phase - half)) * ampHours;
    const double charge = std::clamp(p.startCharge - (s.outAh - s.inAh) / p.capacityAh, 0.0, 1.0);
    s.chargePercent = 100 * charge;

    // Slow drifts with unrelated periods, so that no two polls show quite the same values.
    s.amps = (charging ? 1 : -1) * p.testAmps * (1 + 0.004 * std::sin(t / 3.7));
    s.ohms = p.internalOhms * (1 + 0.01 * std::sin(t / 53.0));
    s.volts = p.emptyVolts + (p.fullVolts - p.emptyVolts) * charge + s.amps * s.ohms +
              0.0003 * p.fullVolts * std::sin(t / 2.9);
    // The battery warms up during each cycle and cools down towards its end.
    s.celsius = p.ambientCelsius + 0.8 * (1 - std::cos(std::numbers::pi * t / half)) + 0.05 * std::sin(t / 4.3);
    return s;
}

} // namespace voltaryn::sim
