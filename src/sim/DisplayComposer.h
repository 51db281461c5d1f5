#pragma once

#include "protocol/Protocol.h"
#include "sim/MeterState.h"

namespace voltaryn::sim {

// The display packet for the meter's present state. `shown` is the reading on the display (the
// live one, or the one a hold keeps) and `time` the meter's clock.
//
// Every field shows four zero-padded digits with the point where its range puts it: the voltage
// and current fields range themselves to the most decimals that fit, the resistance field follows
// the rotary switch ("4" d.ddd, "40" dd.dd, "400" ddd.d, in mOhm for the first three positions),
// the temperature has one decimal. A value too large for its field shows "OL" without a point.
// Capacity rows show whole mAh up to 9999 and Ah beyond. At OFF the whole display is blank.
protocol::Report ComposeDisplay(const MeterState& state, const BatterySample& shown, const MeterClockBytes& time);

} // namespace voltaryn::sim
