#include "cells/MeterCapacity.h"

#include <gtest/gtest.h>

namespace voltaryn::cells {
namespace {

struct CapacityCase {
    const char* shown;
    bool milli;
    bool connected;
    std::optional<double> milliAmpHours;
};

TEST(MeterCapacity, TheOutRowIsReadInMilliAmpHoursWhateverItsUnit)
{
    const CapacityCase cases[] = {
        {"2875", true, true, 2875.0},
        {"2.875", false, true, 2875.0},
        {"0.025", false, true, 25.0},  // rounded once, not 24.999...
        {"12.5", false, true, 12500.0},
        {"0", true, true, 0.0},
        {"OL", false, true, std::nullopt},
        {"", true, true, std::nullopt},
        {"2875", true, false, std::nullopt},  // the texts a disconnected meter left behind
    };
    for (const CapacityCase& c : cases) {
        MeterReading reading;
        reading.MeterConnected = c.connected;
        reading.CapacityText = {"999", c.shown, "111"};
        reading.CapMilli = {!c.milli, c.milli, !c.milli};
        EXPECT_EQ(OutCapacityMilliAmpHours(reading), c.milliAmpHours) << c.shown << (c.milli ? " mAh" : " Ah");
    }
}

} // namespace
} // namespace voltaryn::cells
