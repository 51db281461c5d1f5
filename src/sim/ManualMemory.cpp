#include "sim/ManualMemory.h"

#include "protocol/StatusBit.h"

#include <algorithm>

namespace voltaryn::sim {
namespace {

using Report = protocol::Report;

constexpr std::size_t FirstIndicatorByte = 4;
constexpr std::size_t FirstGroupByte = 12;
constexpr std::size_t GroupCharacters = 28;  // display characters 1..28
constexpr std::size_t FirstStampByte = 45;
constexpr std::size_t FirstDisplayCharacterByte = 9;

// Bit n of record byte b, counted over the indicator bytes.
constexpr int RecordBit(int byte, int bit) { return (byte - static_cast<int>(FirstIndicatorByte)) * 8 + bit; }

// The display's 21 point bits, 1.1 to 3.5, land on record bits 4.1 to 6.5 in the same order.
constexpr std::uint64_t PointBits = ((std::uint64_t{1} << 21) - 1) << 1;

struct CopiedBit {
    int recordBit;
    StatusBit lit;
};

constexpr CopiedBit SignsAndUnits[] = {
    {RecordBit(6, 6), StatusBit::HighONeg}, {RecordBit(6, 7), StatusBit::HighVNeg},
    {RecordBit(7, 0), StatusBit::LowVNeg},  {RecordBit(7, 1), StatusBit::Cap2Neg},
    {RecordBit(7, 3), StatusBit::UnitC},    {RecordBit(7, 4), StatusBit::UnitF},
    {RecordBit(10, 7), StatusBit::LcdVm},   {RecordBit(11, 0), StatusBit::LcdOhmm},
};

constexpr StatusBit CapacityMilli[] = {StatusBit::Lcdm0, StatusBit::Lcdm1, StatusBit::Lcdm2};
constexpr StatusBit CapacityFirstPoint[] = {StatusBit::Cap0Dec1, StatusBit::Cap1Dec1, StatusBit::Cap2Dec1};

std::uint8_t PackedDecimal(std::uint8_t value) { return static_cast<std::uint8_t>(((value / 10) << 4) | (value % 10)); }

std::uint64_t Bit(int index) { return std::uint64_t{1} << index; }

Report Freeze(const DisplayMoment& moment)
{
    const Report& display = moment.display;
    std::uint64_t raw = 0;
    for (std::size_t byte = 1; byte <= 8; ++byte)
        raw |= std::uint64_t{display[byte]} << ((byte - 1) * 8);
    const StatusBits lit(raw);

    std::uint64_t bits = raw & PointBits;
    for (const CopiedBit& copied : SignsAndUnits)
        if (lit[copied.lit])
            bits |= Bit(copied.recordBit);
    const bool milli = std::all_of(std::begin(CapacityMilli), std::end(CapacityMilli),
                                   [&](StatusBit m) { return lit[m]; });
    if (milli) {
        bits |= Bit(RecordBit(9, 2));
    } else {
        // A point bit has the same number in both layouts (see PointBits).
        for (std::size_t row = 0; row < 3; ++row)
            if (lit[CapacityMilli[row]])
                bits |= Bit(static_cast<int>(CapacityFirstPoint[row]));
    }

    Report record{};
    for (std::size_t i = 0; i < 8; ++i)
        record[FirstIndicatorByte + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    std::copy_n(display.begin() + FirstDisplayCharacterByte, GroupCharacters, record.begin() + FirstGroupByte);
    for (std::size_t i = 0; i < 4; ++i)
        record[FirstStampByte + i] = PackedDecimal(moment.clock[2 + i]);  // day, hour, minute, second
    return record;
}

} // namespace

void ManualMemory::Store(SimTime now)
{
    if (Count() < Capacity)
        records_.push_back(Freeze(source_(now)));
}

void ManualMemory::Fill(int count, const DisplaySource& source, SimTime first, std::chrono::seconds step)
{
    records_.clear();
    const int kept = std::clamp(count, 0, MaxCount);
    records_.reserve(static_cast<std::size_t>(kept));
    for (int i = 0; i < kept; ++i)
        records_.push_back(Freeze(source(first + i * step)));
}

protocol::Report ManualMemory::RecordReply(int number) const
{
    return number >= 1 && number <= Count() ? records_[static_cast<std::size_t>(number - 1)] : Report{};
}

void ManualMemory::StartAutomatic(SimTime now) { lastAutomaticStore_ = now; }

void ManualMemory::StopAutomatic() { lastAutomaticStore_.reset(); }

void ManualMemory::Advance(SimTime now, std::chrono::seconds interval)
{
    if (!lastAutomaticStore_ || now <= *lastAutomaticStore_)
        return;
    const std::int64_t due = (now - *lastAutomaticStore_) / interval;
    const std::int64_t stored = std::min<std::int64_t>(due, Capacity - Count());
    for (std::int64_t i = 1; i <= stored; ++i)
        Store(*lastAutomaticStore_ + i * interval);
    *lastAutomaticStore_ += due * interval;
}

} // namespace voltaryn::sim
