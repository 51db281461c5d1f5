#pragma once

#include "sim/MeterState.h"

namespace voltaryn::sim {

// One press of the meter's key 1..7 in the given variant:
//   1  v1 store one reading, or stop automatic memory and SD logging while either runs;
//      v2 automatic memory on/off; v3 SD logging ("Auto Data") on/off
//   2  v1 beeper on/off, or down in a setting mode; v2 C/F
//   3  v1 zero adjustment on/off, or up in a setting mode; v2 one voltage decimal less/more
//   4  read: while a hold is on, take a fresh reading and hold that one
//   5  v1 back to the record count; v2 clock (TIME); v3 interval setting (INTV)
//   6  v1 leave COMP, or else judging on/off; v2 comparator entry setting (COMP)
//   7  v1 leave AUTO-HOLD, or else HOLD on/off; v2 AUTO-HOLD
// Unknown keys and variants, and every key while the switch stands at OFF, do nothing.
// `live` is the reading a hold takes.
void PressKey(MeterState& state, int key, int variant, const BatterySample& live, SimTime now);

} // namespace voltaryn::sim
