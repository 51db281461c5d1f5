#pragma once

#include "protocol/Protocol.h"
#include "sim/BatteryModel.h"
#include "sim/CellBench.h"
#include "sim/MeterState.h"
#include "sim/SdCard.h"
#include "sim/SimClock.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace voltaryn::sim {

// The meter's side of the protocol: takes one output report (report id in byte 0) and answers
// with one input report, or with nothing for the commands the meter does not answer.
class SimulatedMeter {
public:
    static constexpr std::string_view Identification = protocol::MeterIdentification;

    // The meter starts with DefaultRecords manual records, and with a card holding four
    // recordings of the days before, one of them 5000 records long.
    static constexpr int DefaultRecords = 12;

    explicit SimulatedMeter(SimClock clock = [] { return std::chrono::system_clock::now(); });
    // The manual memory reads the display through this meter, so the meter stays where it is.
    SimulatedMeter(const SimulatedMeter&) = delete;
    SimulatedMeter& operator=(const SimulatedMeter&) = delete;

    std::optional<protocol::Report> Handle(std::span<const std::uint8_t> bytes);

    // Knobs for the user of the demo and for tests.
    // The rotary switch, 0 (OFF) and 1..6; other codes are clamped. A cell bench turns it itself.
    void SetRangeCode(int code);
    int RangeCode() const { return state_.rangeCode; }
    void SetFahrenheit(bool fahrenheit) { state_.fahrenheit = fahrenheit; }
    bool Fahrenheit() const { return state_.fahrenheit; }
    // The seven characters the meter identifies itself with; a shorter text is padded with code 0.
    void SetIdentification(std::string_view identification) { identification_ = identification; }
    // Puts another battery under test; its test cycle starts now. Ends a cell bench.
    void SetBattery(const BatteryProfile& profile);
    // Puts the probes on a cell bench instead: the stream of cells `seed` gives, from now on, or,
    // given `daysStored`, the recheck of the cells it stored that many days before. The bench
    // turns the range switch from then on, and the probes are zero-adjusted first, as an operator
    // does before sorting.
    void SetCellBench(std::uint64_t seed, std::optional<int> daysStored = std::nullopt);
    // Puts the probes on a walk along the battery string `seed` of `blocks` blocks (1 to
    // strings::MostBlocks), from now on, aged to the meter's clock; its bench turns the switch and
    // the probes are zero-adjusted first, as for the cell bench.
    void SetStringBench(std::uint64_t seed, int blocks);
    // The bench the probes are on, for what really lies between them.
    const std::optional<CellBench>& Bench() const { return bench_; }
    void SetLeadsReversed(bool reversed) { state_.leadsReversed = reversed; }
    // Replaces the manual memory with `count` readings (at most 32767) stored once a minute during
    // an earlier test of the present battery that ended now.
    void FillMemory(int count);
    // The SD card, for its knobs: present or not, its size, files and block faults.
    SdCard& Card() { return card_; }

private:
    using Report = protocol::Report;
    class Request;

    std::optional<Report> HandleCommand(const Request& request, SimTime now);
    Report Transfer(const Request& request);
    Report Answer(const Request& request, SimTime now) const;
    std::optional<Report> Apply(const Request& request, SimTime now);
    Report IdentificationReply() const;
    void FillDemoCard();
    void PutProbesOn(CellBench bench);
    BatterySample LiveSample(SimTime now) const;
    BatterySample ShownSample(SimTime now) const;
    DisplayMoment MomentAt(const BatterySample& shown, SimTime at) const;

    SimClock clock_;
    std::string identification_{Identification};
    BatteryProfile profile_ = LeadAcid12V;
    BatteryModel battery_;
    std::optional<CellBench> bench_;
    MeterState state_;
    SdCard card_;
};

} // namespace voltaryn::sim
