#include "cells/MeterCapacity.h"

#include <gtest/gtest.h>

namespace voltaryn::cells {
namespace {

TEST(MeterCapacity, TheOutRowIsReadInMilliAmpHoursWhateverItsUnit)
{
    // The out-capacity row shown, whether in mAh, whether the meter is connected, the capacity read.
    const std::tuple<const char*, bool, bool, std::optional<double>> cases[] = {
        {"2875", true, true, 2875.0},
        {"2.875", false, true, 2875.0},
        {"0.025", false, true, 25.0},  // rounded once, not 24.999...
        {"12.5", false, true, 12500.0},
        {"0", true, true, 0.0},
        {"OL", false, true, std::nullopt},
        {"", true, true, std::nullopt},
        {"2875", true, false, std::nullopt},  // the texts a disconnected meter left behind
    };
    for (const auto& [shown, milli, connected, milliAmpHours] : cases) {
        MeterReading reading;
        reading.MeterConnected = connected;
        reading.CapacityText = {"999", shown, "111"};
        reading.CapMilli = {!milli, milli, !milli};
        EXPECT_EQ(OutCapacityMilliAmpHours(reading), milliAmpHours) << shown << (milli ? " mAh" : " Ah");
    }
}

} // namespace
} // namespace voltaryn::cells
