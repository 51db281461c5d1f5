#include "sim/KeyPad.h"

#include <algorithm>

namespace voltaryn::sim {
namespace {

// The arrow keys step the value of a setting mode; false when no setting is shown.
bool StepSetting(MeterState& s, int step)
{
    switch (s.numberField) {
    case NumberFieldMode::Interval:
        s.intervalSeconds = std::clamp(s.intervalSeconds + step, 1, 255);
        return true;
    case NumberFieldMode::Comparator:
        s.comparatorNo = std::clamp(s.comparatorNo + step, 1, 99);
        return true;
    case NumberFieldMode::RecordCount:
    case NumberFieldMode::Time:
        break;
    }
    return false;
}

void PressMemoryKey(MeterState& s, int variant, SimTime now)
{
    ManualMemory& memory = s.memory;
    if (variant == 1) {
        if (memory.Automatic() || s.sdLogging) {
            memory.StopAutomatic();
            s.sdLogging = false;
        } else {
            memory.Store(now);
        }
    } else if (variant == 2) {
        if (memory.Automatic())
            memory.StopAutomatic();
        else
            memory.StartAutomatic(now);
    } else if (variant == 3) {
        s.sdLogging = !s.sdLogging;
    }
}

void PressHoldKey(MeterState& s, int variant, const BatterySample& live)
{
    if (variant == 1)
        s.hold = s.hold == HoldMode::Off ? HoldMode::Hold : HoldMode::Off;
    else if (variant == 2)
        s.hold = HoldMode::AutoHold;
    if (s.hold == HoldMode::Off)
        s.heldSample.reset();
    else if (!s.heldSample)
        s.heldSample = live;
}

void Toggle(bool& flag) { flag = !flag; }

} // namespace

void PressKey(MeterState& s, int key, int variant, const BatterySample& live, SimTime now)
{
    if (s.rangeCode == 0)
        return;
    switch (key) {
    case 1:
        PressMemoryKey(s, variant, now);
        break;
    case 2:
        if (variant == 1 && !StepSetting(s, -1))
            Toggle(s.beeper);
        else if (variant == 2)
            Toggle(s.fahrenheit);
        break;
    case 3:
        if (variant == 1 && !StepSetting(s, +1))
            Toggle(s.zeroAdjusted);
        else if (variant == 2)
            Toggle(s.coarseVoltage);
        break;
    case 4:
        if (s.heldSample)
            s.heldSample = live;
        break;
    case 5:
        if (variant >= 1 && variant <= 3) {
            constexpr NumberFieldMode modes[] = {NumberFieldMode::RecordCount, NumberFieldMode::Time,
                                                 NumberFieldMode::Interval};
            s.numberField = modes[variant - 1];
        }
        break;
    case 6:
        if (variant == 1 && s.numberField == NumberFieldMode::Comparator)
            s.numberField = NumberFieldMode::RecordCount;
        else if (variant == 1)
            Toggle(s.judging);
        else if (variant == 2)
            s.numberField = NumberFieldMode::Comparator;
        break;
    case 7:
        PressHoldKey(s, variant, live);
        break;
    }
}

} // namespace voltaryn::sim
