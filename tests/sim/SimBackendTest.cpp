#include "SimHarness.h"

#include <gtest/gtest.h>

namespace voltaryn::sim {
namespace {

TEST(SimBackend, GarbageAndShortRepliesStillDecode)
{
    SimHarness sim;
    sim.backend.InjectFault(ReplyFault::Garbage, 20);
    MeterLink::Report previous{};
    for (int i = 0; i < 20; ++i) {
        EXPECT_NO_THROW(sim.Poll());
        EXPECT_NE(sim.link.InputReport(), previous);
        previous = sim.link.InputReport();
    }

    sim.backend.InjectFault(ReplyFault::Short);
    sim.Poll();
    const MeterLink::Report& reply = sim.link.InputReport();
    EXPECT_TRUE(std::all_of(reply.begin() + SimulatedHidBackend::ShortReplyLength, reply.end(),
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(sim.Lit(StatusBit::UnitV));  // the status bytes came through
}

} // namespace
} // namespace voltaryn::sim
