#include "sim/ComparatorStore.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace voltaryn::sim {
namespace {

using protocol::ComparatorPayload;

// Payload layout: four counts high byte first (high and low resistance, high and low voltage),
// then flag byte 1 (bit 0 high resistance in mOhm, bits 1..3 its points X.XXX, XX.XX, XXX.X,
// bits 4..6 the low resistance's points, bit 7 low resistance in mOhm) and flag byte 2 (bits 0, 1
// the high voltage's points X.XXX, XX.XX, bits 2, 3 the low voltage's).
constexpr std::size_t OhmFlags = 8;
constexpr std::size_t VoltFlags = 9;

constexpr int DemoLowOhmCount = 800;       // 8.00 mOhm at entry 1
constexpr int DemoLowOhmStep = 5;          // 0.05 mOhm tighter per entry
constexpr int DemoOhmSpan = 200;           // the high limit lies 2.00 mOhm above the low one
constexpr std::uint8_t DemoOhmFlags = 0xA5;  // both in mOhm at XX.XX
constexpr int DemoHighVoltCount = 1400;
constexpr int DemoLowVoltCount = 1200;
constexpr std::uint8_t DemoVoltFlags = 0x0A;  // both at XX.XX

bool IsEntry(int number) { return number >= 1 && number <= ComparatorStore::Entries; }

void PutCount(ComparatorPayload& payload, std::size_t at, int count)
{
    payload.at(at) = static_cast<std::uint8_t>(count >> 8);
    payload.at(at + 1) = static_cast<std::uint8_t>(count);
}

bool Bit(std::uint8_t byte, int bit) { return ((byte >> bit) & 1) != 0; }

// A count with the point placed by the first set flag of `flags` bits from `firstBit` on, which
// stand for 3, 2, ... decimals.
double Value(const ComparatorPayload& payload, std::size_t countAt, std::uint8_t byte, int firstBit, int flags)
{
    const int count = payload.at(countAt) * 256 + payload.at(countAt + 1);
    for (int i = 0; i < flags; ++i)
        if (Bit(byte, firstBit + i))
            return count / std::pow(10.0, 3 - i);
    return count;
}

} // namespace

ComparatorStore::ComparatorStore()
{
    for (int number = 1; number <= Entries; ++number) {
        ComparatorPayload& payload = payloads_.at(static_cast<std::size_t>(number - 1));
        const int lowOhms = DemoLowOhmCount - DemoLowOhmStep * (number - 1);
        PutCount(payload, 0, lowOhms + DemoOhmSpan);
        PutCount(payload, 2, lowOhms);
        PutCount(payload, 4, DemoHighVoltCount);
        PutCount(payload, 6, DemoLowVoltCount);
        payload[OhmFlags] = DemoOhmFlags;
        payload[VoltFlags] = DemoVoltFlags;
    }
}

ComparatorPayload ComparatorStore::Payload(int number) const
{
    return IsEntry(number) ? payloads_.at(static_cast<std::size_t>(number - 1)) : ComparatorPayload{};
}

void ComparatorStore::Store(int number, const ComparatorPayload& payload)
{
    if (IsEntry(number))
        payloads_.at(static_cast<std::size_t>(number - 1)) = payload;
}

ComparatorLimits ComparatorStore::Limits(int number) const
{
    const ComparatorPayload p = Payload(number);
    const std::uint8_t ohm = p[OhmFlags];
    const std::uint8_t volt = p[VoltFlags];
    const auto unit = [&](int milliBit) { return Bit(ohm, milliBit) ? 0.001 : 1.0; };
    return {Value(p, 0, ohm, 1, 3) * unit(0), Value(p, 2, ohm, 4, 3) * unit(7), Value(p, 4, volt, 0, 2),
            Value(p, 6, volt, 2, 2)};
}

} // namespace voltaryn::sim
