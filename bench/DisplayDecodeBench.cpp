// Cost of one display poll on the PC side: the display request through the link, the split of
// the reply into status bits and characters, and the decode into the reading and the indicators.
#include "link/MeterCommands.h"
#include "meter/DisplayDecoder.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace voltaryn {
namespace {

// A meter that answers every request at once with the same display packet.
class ConstantDisplayBackend : public HidBackend {
public:
    ConstantDisplayBackend()
    {
        const std::uint8_t status[] = {0, 0x04, 0x84, 0x22, 0x4a, 0x26, 0x68, 0x02, 0x02};
        std::copy(std::begin(status), std::end(status), reply_.begin());
        const std::string chars = "12340123052325.300123456007887 1207510";
        std::copy(chars.begin(), chars.begin() + 37, reply_.begin() + 9);
    }
    std::vector<HidDeviceInfo> enumerate() override
    {
        return {{"bench", MeterLink::MeterVendorId, MeterLink::MeterProductId}};
    }
    bool open(const std::string&) override { return true; }
    bool write(std::span<const std::uint8_t>) override { return true; }
    ReadResult read(std::span<std::uint8_t> buffer, int) override
    {
        std::copy(reply_.begin(), reply_.end(), buffer.begin());
        return ReadResult::Data;
    }
    void close() override {}

private:
    MeterLink::Report reply_{};
};

void BM_ReadAndDecodeDisplay(benchmark::State& state)
{
    ConstantDisplayBackend backend;
    MeterLink link(backend);
    MeterCommands commands(link);
    MeterReading reading;
    for (auto _ : state) {
        PanelDisplay panel = DecodeDisplay(*commands.ReadDisplay().value, reading);
        benchmark::DoNotOptimize(panel);
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(BM_ReadAndDecodeDisplay);

} // namespace
} // namespace voltaryn
