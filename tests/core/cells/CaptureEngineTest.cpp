#include "cells/CaptureEngine.h"
#include "cells/MeterCapacity.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace voltaryn::cells {
namespace {

using std::chrono::milliseconds;

struct Poll {
    std::string ohms;
    std::string volts = "3.712";
    std::string range = "40 mOhm";
    bool hold = false;
};

ProbeReading Probes(const Poll& poll)
{
    return {.VoltageText = poll.volts, .ResistanceText = poll.ohms, .RangeText = poll.range,
            .TemperatureText = "23.5", .TemperatureUnit = "°C", .Hold = poll.hold};
}

// One letter per step: o open, 1..9 settling with that many agreeing readings, C captured,
// w waiting for lift, U the step that told an unstable contact, L a cell lifted too early.
char Letter(const CaptureStep& step)
{
    if (step.Problem != CaptureProblem::None)
        return step.Problem == CaptureProblem::UnstableContact ? 'U' : 'L';
    if (step.State == CaptureState::Settling)
        return static_cast<char>('0' + step.Agreeing);
    return step.State == CaptureState::Open ? 'o' : step.State == CaptureState::Captured ? 'C' : 'w';
}

struct Sequence {
    const char* name;
    std::vector<Poll> polls;
    std::string steps;                  // the letter of each poll's step
    std::vector<std::string> captures;  // "ohms@volts" of each capture, in order
    CaptureOptions options = {};
};

std::vector<Poll> Repeat(const Poll& poll, std::size_t times) { return std::vector<Poll>(times, poll); }

std::vector<Poll> Join(std::initializer_list<std::vector<Poll>> parts)
{
    std::vector<Poll> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Resistance that keeps falling 0.5 mOhm a poll: never two readings within 1 %.
std::vector<Poll> Drift(int polls)
{
    std::vector<Poll> drift;
    for (int i = 0; i < polls; ++i)
        drift.push_back({std::to_string(30.0 - 0.5 * i).substr(0, 5)});
    return drift;
}

const Poll Open{"OL", "0.000"};

TEST(CaptureEngine, SequencesOfPolls)
{
    CaptureOptions window;
    window.MinVoltage = 0.5;
    window.MaxVoltage = 4.5;
    const std::vector<Sequence> sequences = {
        {"bounce, settle, rest, lift",
         {Open, {""}, {"30.12", "3.650"}, {"26.5"}, {"24.31", "3.711"}, {"24.30"}, {"24.33", "3.713"}, {"24.32"}, Open,
          Open},
         "o01112Cwoo", {"24.31@3.711"}},
        {"drift until the timeout, then settled but never captured",
         Join({Drift(20), Repeat({"24.31"}, 4), Repeat(Open, 2)}),
         std::string(17, '1') + "U" + std::string(6, 'w') + "oo", {}},
        {"lifted before settling, then placed again",
         {Open, {"24.31"}, {"24.30"}, Open, {"24.50"}, {"24.51"}, {"24.52"}}, "o12L12C", {"24.51@3.712"}},
        {"a bounce off the scale is a touch that starts the agreeing readings afresh",
         {{"OL", "2.104"}, {"24.31"}, {"", "3.100"}, {"24.31"}, {"24.31"}, {"24.31"}}, "01012C", {"24.31@3.712"}},
        {"open probes may show a few millivolts", {{"OL", "2.104"}, {"OL", "0.004"}, {"OL", "0.004"}}, "0Lo", {}},
        // The last touch at 1800 ms is lifted early; one at 2100 ms was held long enough.
        {"lifted while drifting: early before HeldLongEnough, unstable after",
         Join({Drift(7), {Open}, Drift(8), {Open}}), "1111111" "L" "11111111" "U", {}},
        {"a range change restarts settling",
         {{"24.3", "3.712", "400 mOhm"}, {"24.3", "3.712", "400 mOhm"}, {"24.31"}, {"24.30"}, {"24.31"}}, "1212C",
         {"24.31@3.712"}},
        {"HOLD settles at once, also on the first reading",
         {{"30.12"}, {"24.31", "3.712", "40 mOhm", true}, {"24.31", "3.712", "40 mOhm", true}, Open, Open,
          {"18.20", "3.600", "40 mOhm", true}},
         "1CwooC", {"24.31@3.712", "18.20@3.600"}},
        {"one reading off the scale is a bounce, not a lift; two are, and so is one of open probes",
         Join({Repeat({"24.31"}, 3), {{"OL"}}, Repeat({"24.31"}, 3), Repeat({"OL"}, 2), Repeat({"24.31"}, 3), {Open},
               Repeat({"24.31"}, 3)}),
         "12Cwwwwwo12Co12C", {"24.31@3.712", "24.31@3.712", "24.31@3.712"}},
        {"voltage outside the window reads as no cell, with the resistance or without",
         Join({Repeat({"0.05", "0.003"}, 2), {{"OL", "0.300"}, {"24.31", "12.60"}, {"OL", "12.60"}},
               Repeat({"24.31"}, 3)}),
         "ooooo12C", {"24.31@3.712"}, window},
        {"without a window a dead cell is captured", Repeat({"95.10", "0.012"}, 3), "12C", {"95.10@0.012"}},
        {"a negative or unranged resistance or an unreadable voltage is never captured",
         {{"-999.9"}, {"24.31", "3.712", ""}, {"24.31", "OL"}, {"-999.9"}}, "00L0", {}},
        // One digit (0.01) is wider than 1 % of 0.52 and decides; two digits are too far.
        {"small resistances agree within one digit",
         {{"0.52"}, {"0.53"}, {"0.52"}, Open, Open, {"0.52"}, {"0.54"}, {"0.52"}}, "12Coo111", {"0.52@3.712"}},
        // 0.2 % of 3.712 V is 7.4 mV: 3.722 is too far from 3.712, 3.712 and 3.722 are close
        // enough to 3.719.
        {"voltages agree within 0.2 %",
         {{"24.31", "3.712"}, {"24.32", "3.722"}, {"24.33", "3.712"}, {"24.34", "3.719"}}, "111C", {"24.33@3.712"}},
    };
    for (const Sequence& sequence : sequences) {
        CaptureEngine engine(sequence.options);
        std::string steps;
        std::vector<std::string> captures;
        for (std::size_t i = 0; i < sequence.polls.size(); ++i) {
            const CaptureStep step = engine.Feed(milliseconds(300 * i), Probes(sequence.polls[i]));
            steps += Letter(step);
            EXPECT_EQ(engine.State(), step.State) << sequence.name << ", poll " << i;
            if (step.Capture)
                captures.push_back(step.Capture->Reading.ResistanceText + "@" + step.Capture->Reading.VoltageText);
        }
        EXPECT_EQ(steps, sequence.steps) << sequence.name;
        EXPECT_EQ(captures, sequence.captures) << sequence.name;
    }
}

TEST(CaptureEngine, CaptureConvertsTheRangeToMilliOhms)
{
    const std::tuple<const char*, const char*, double> rows[] = {  // range, display, milliohms
        {"4 mOhm", "0.512", 0.512}, {"400 mOhm", "125.3", 125.3}, {"4 Ohm", "0.025", 25},
        {"40 Ohm", "1.23", 1230},   {"400 Ohm", "12.5", 12500},
    };
    for (const auto& [range, ohms, milliOhms] : rows) {
        CaptureEngine engine;
        const ProbeReading probes = Probes({ohms, "3.712", range, true});
        const CaptureStep step = engine.Feed(milliseconds(1234), probes);
        ASSERT_TRUE(step.Capture) << range;
        const CellCapture& c = *step.Capture;
        EXPECT_EQ(std::tuple(c.ResistanceMilliOhm, c.Voltage, c.Temperature, c.At, c.Reading),
                  std::tuple(milliOhms, 3.712, 23.5, milliseconds(1234), probes)) << range;
    }
}

TEST(CaptureEngine, ReadsProbesFromTheLiveReading)
{
    MeterReading reading;
    reading.MeterConnected = true;
    reading.VoltageText = "3.712";
    reading.ResistanceText = "24.31";
    reading.RangeText = "40 mOhm";
    reading.TemperatureText = "74.3";
    reading.TempIsCelsius = false;
    const std::vector<std::string_view> autoHold = {"AUTO-HOLD"};
    const std::vector<std::string_view> held = {"AUTO-HOLD", "HOLD"};
    EXPECT_EQ(ReadProbes(reading, autoHold), (ProbeReading{"3.712", "24.31", "40 mOhm", "74.3", "°F", false}));
    EXPECT_TRUE(ReadProbes(reading, held).Hold);
    reading.MeterConnected = false;
    EXPECT_EQ(ReadProbes(reading, held), ProbeReading{});
}

TEST(MeterCapacity, TheOutRowIsReadInMilliAmpHoursWhateverItsUnit)
{
    // The out-capacity row shown, whether in mAh, whether the meter is connected, the capacity read.
    const std::tuple<const char*, bool, bool, std::optional<double>> cases[] = {
        {"2875", true, true, 2875.0}, {"2.875", false, true, 2875.0},
        {"0.025", false, true, 25.0},  // rounded once, not 24.999...
        {"12.5", false, true, 12500.0}, {"0", true, true, 0.0}, {"OL", false, true, std::nullopt}, {"", true, true, std::nullopt},
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

TEST(DisplayNumber, ReadsDecimalTextsExactly)
{
    const std::tuple<const char*, std::int64_t, int> numbers[] = {  // text, mantissa, decimals
        {"24.31", 2431, 2}, {" 3.712 ", 3712, 3}, {"-0.005", -5, 3}, {"240", 240, 0}, {".5", 5, 1}};
    for (const auto& [text, mantissa, decimals] : numbers) {
        const std::optional<DisplayNumber> number = ReadDisplayNumber(text);
        ASSERT_TRUE(number) << text;
        EXPECT_EQ(std::pair(number->Mantissa, number->Decimals), std::pair(mantissa, decimals)) << text;
    }
    EXPECT_EQ(ReadDisplayNumber("24.31")->Digit, 0.01);
    for (const char* text : {"OL", "-OL", "", "   ", "-", ".", "1.2.3", "3,7", "+1", "0L.0"})
        EXPECT_FALSE(ReadDisplayNumber(text)) << '"' << text << '"';
}

} // namespace
} // namespace voltaryn::cells
