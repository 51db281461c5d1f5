#include "sim/SimulatedMeter.h"

#include "sim/DisplayComposer.h"
#include "sim/KeyPad.h"

#include <algorithm>
#include <utility>

namespace voltaryn::sim {
namespace {

using namespace protocol;

constexpr std::chrono::minutes FilledRecordSpacing{1};

// The demo card's recordings: how many days before the start each began, how many records it
// holds, and at what interval.
struct DemoRecording {
    int daysBefore;
    int records;
    std::chrono::seconds interval;
};
constexpr DemoRecording DemoRecordings[] = {
    {4, 120, std::chrono::seconds{1}},
    {3, 5000, std::chrono::seconds{2}},
    {2, 600, std::chrono::seconds{10}},
    {1, 3, std::chrono::seconds{60}},
};

Report ReplyWith(std::span<const std::uint8_t> fromByteOne)
{
    Report reply{};
    std::copy(fromByteOne.begin(), fromByteOne.end(), reply.begin() + 1);
    return reply;
}

// A number as the meter sends it: low byte in byte 1, high byte in byte 2.
Report ValueReply(int value)
{
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
    return ReplyWith(bytes);
}

// A comparator entry's payload in bytes 2..11.
Report ComparatorReply(const ComparatorPayload& payload)
{
    Report reply{};
    std::copy(payload.begin(), payload.end(), reply.begin() + 2);
    return reply;
}

bool IsAverageNumber(int value) { return value == 2 || value == 4 || value == 8 || value == 16; }

} // namespace

// The request bytes; a byte past the end of a short request reads as 0.
class SimulatedMeter::Request {
public:
    explicit Request(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint8_t operator[](std::size_t i) const { return i < bytes_.size() ? bytes_[i] : 0; }

private:
    std::span<const std::uint8_t> bytes_;
};

SimulatedMeter::SimulatedMeter(SimClock clock) : clock_(std::move(clock)), battery_(profile_, clock_())
{
    state_.memory.SetDisplaySource([this](SimTime at) { return MomentAt(ShownSample(at), at); });
    FillMemory(DefaultRecords);
    FillDemoCard();
}

void SimulatedMeter::SetRangeCode(int code) { state_.rangeCode = std::clamp(code, 0, 6); }

void SimulatedMeter::SetBattery(const BatteryProfile& profile)
{
    profile_ = profile;
    battery_ = BatteryModel(profile, clock_());
    bench_.reset();
}

void SimulatedMeter::SetCellBench(std::uint64_t seed, std::optional<int> daysStored)
{
    PutProbesOn(CellBench(seed, clock_(), daysStored));
}

void SimulatedMeter::SetStringBench(std::uint64_t seed, int blocks)
{
    PutProbesOn(CellBench(BatteryString(seed, blocks), clock_()));
}

void SimulatedMeter::PutProbesOn(CellBench bench)
{
    bench_.emplace(std::move(bench));
    state_.zeroAdjusted = true;
    state_.rangeCode = bench_->RangeCodeAt(bench_->Start());
}

void SimulatedMeter::FillMemory(int count)
{
    const int kept = std::clamp(count, 0, ManualMemory::MaxCount);
    const SimTime first = clock_() - kept * FilledRecordSpacing;
    const BatteryModel earlier(profile_, first);
    state_.memory.Fill(kept, [&](SimTime at) { return MomentAt(earlier.SampleAt(at), at); }, first,
                       FilledRecordSpacing);
}

void SimulatedMeter::FillDemoCard()
{
    const SimTime now = clock_();
    int number = 0;
    for (const DemoRecording& r : DemoRecordings)
        card_.AddFile({number++, now - std::chrono::days{r.daysBefore}, r.interval, r.records});
}

std::optional<Report> SimulatedMeter::Handle(std::span<const std::uint8_t> bytes)
{
    const Request request(bytes);
    const SimTime now = clock_();
    if (bench_)
        state_.rangeCode = bench_->RangeCodeAt(now);
    state_.memory.Advance(now, std::chrono::seconds(state_.intervalSeconds));
    switch (request[1]) {
    case CommandClass:
        return HandleCommand(request, now);
    case DisplayClass:
        return ComposeDisplay(state_, ShownSample(now), state_.clock.At(now));
    case TransferClass:
        return Transfer(request);
    default:
        return std::nullopt;  // not a request of this meter
    }
}

std::optional<Report> SimulatedMeter::HandleCommand(const Request& request, SimTime now)
{
    switch (request[2]) {
    case IdentificationGroup:
        return IdentificationReply();
    case KeyGroup:
        PressKey(state_, request[3], request[4], LiveSample(now), now);
        return std::nullopt;
    case QueryGroup:
        return Answer(request, now);
    case SettingGroup:
        return Apply(request, now);
    default:
        return std::nullopt;
    }
}

// Transfers are always answered; an unknown one gets a blank report.
Report SimulatedMeter::Transfer(const Request& request)
{
    switch (request[2]) {
    case SdSummaryTransfer:
        return card_.SummaryReply();
    case SdBlockTransfer:
        return card_.BlockReply(request[3]);
    case SdFileTransfer:
        return card_.ChunkReply(request[3], request[4] == SdFirstChunk);
    case ManualRecordTransfer:  // the record numbered by bytes 3 (low) and 4 (high)
        return state_.memory.RecordReply(request[3] + 256 * request[4]);
    default:
        return Report{};
    }
}

// Queries are always answered; one the meter does not know gets a blank report.
Report SimulatedMeter::Answer(const Request& request, SimTime now) const
{
    switch (request[3]) {
    case ClockQuery:
        return ReplyWith(state_.clock.At(now));
    case IntervalQuery:
        return ValueReply(state_.intervalSeconds);
    case RecordCountQuery:
        return ValueReply(state_.memory.Count());
    case RangeQuery:
        return ValueReply(state_.rangeCode);
    case AverageQuery:
        return ValueReply(state_.averageNumber);
    case ComparatorQuery:
        return ComparatorReply(state_.comparators.Payload(request[4]));
    default:
        return Report{};
    }
}

// Settings are not answered, except the deletion of one SD card file. Values the meter does not
// have (interval 0, averaging 3, 31 February) are ignored.
std::optional<Report> SimulatedMeter::Apply(const Request& request, SimTime now)
{
    switch (request[3]) {
    case ClockSetting:
        state_.clock.Set({request[4], request[5], request[6], request[7], request[8], request[9]}, now);
        break;
    case IntervalSetting:
        if (request[4] >= 1)
            state_.intervalSeconds = request[4];
        break;
    case ClearMemorySetting:
        state_.memory.Clear();
        break;
    case SdDeleteSetting:
        if (request[4] == SdDeleteOneFile) {
            card_.DeleteFile(request[5]);
            return Report{};
        }
        if (request[4] == SdDeleteAllFiles)
            card_.DeleteAll();
        break;
    case AverageSetting:
        if (IsAverageNumber(request[4]))
            state_.averageNumber = request[4];
        break;
    case ComparatorSetting:  // entry number in byte 4, its payload in bytes 5..14
        state_.comparators.Store(request[4], {request[5], request[6], request[7], request[8], request[9],
                                              request[10], request[11], request[12], request[13], request[14]});
        break;
    }
    return std::nullopt;
}

Report SimulatedMeter::IdentificationReply() const
{
    Report reply{};
    const std::size_t length = std::min<std::size_t>(identification_.size(), 7);
    std::copy_n(identification_.begin(), length, reply.begin() + 1);
    return reply;
}

BatterySample SimulatedMeter::LiveSample(SimTime now) const
{
    return bench_ ? bench_->ShownAt(now) : battery_.SampleAt(now);
}

BatterySample SimulatedMeter::ShownSample(SimTime now) const
{
    return state_.heldSample ? *state_.heldSample : LiveSample(now);
}

DisplayMoment SimulatedMeter::MomentAt(const BatterySample& shown, SimTime at) const
{
    const MeterClockBytes time = state_.clock.At(at);
    return {ComposeDisplay(state_, shown, time), time};
}

} // namespace voltaryn::sim
