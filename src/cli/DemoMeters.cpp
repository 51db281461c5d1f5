#include "cli/DemoMeters.h"

#include <charconv>
#include <limits>
#include <string_view>

namespace voltaryn::cli {
namespace {

using sim::ReplyFault;
using sim::SimulatedHidBackend;
using sim::SimulatedMeter;

constexpr int Always = std::numeric_limits<int>::max();
constexpr int FirstRangeCode = 2;

struct DemoFault {
    std::string_view name;
    bool counted;  // written "name=N"
    void (*inject)(SimulatedMeter& first, SimulatedHidBackend& backend, int count);
};

constexpr DemoFault Faults[] = {
    {"no-meter", false, [](SimulatedMeter&, SimulatedHidBackend& backend, int) { backend.Unplug(); }},
    {"wrong-id", false, [](SimulatedMeter& first, SimulatedHidBackend&, int) { first.SetIdentification("KAV 00X"); }},
    {"no-card", false, [](SimulatedMeter& first, SimulatedHidBackend&, int) { first.Card().SetPresent(false); }},
    {"unplug-after", true,
     [](SimulatedMeter&, SimulatedHidBackend& backend, int count) { backend.UnplugAfter(count); }},
    {"silent-after", true,
     [](SimulatedMeter&, SimulatedHidBackend& backend, int count) {
         backend.InjectFault(ReplyFault::Missing, Always, count);
     }},
    {"garbage-after", true,
     [](SimulatedMeter&, SimulatedHidBackend& backend, int count) {
         backend.InjectFault(ReplyFault::Garbage, Always, count);
     }},
};

// The fault a text names, with its count (0 for a fault without one).
std::optional<std::pair<const DemoFault*, int>> ParseFault(std::string_view text)
{
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    int count = 0;
    if (equals != std::string_view::npos) {
        const std::string_view digits = text.substr(equals + 1);
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
        if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() || count < 0)
            return std::nullopt;
    }
    for (const DemoFault& fault : Faults)
        if (fault.name == name && fault.counted == (equals != std::string_view::npos))
            return std::pair{&fault, count};
    return std::nullopt;
}

} // namespace

std::optional<std::string> DemoFaultError(const std::string& text)
{
    if (ParseFault(text))
        return std::nullopt;
    return "unknown demo fault \"" + text + "\" (known: " + DemoFaultsHelp + ")";
}

DemoMeters::DemoMeters(const DemoOptions& options, const RunClock& clock)
{
    for (int i = 0; i < options.meters; ++i) {
        meters_.push_back(std::make_unique<SimulatedMeter>([&clock] { return clock.Now(); }));
        meters_.back()->SetRangeCode(FirstRangeCode + i);
        if (options.cellSeed)
            meters_.back()->SetCellBench(*options.cellSeed + static_cast<std::uint64_t>(i), options.storageDays);
        if (options.stringSeed)
            meters_.back()->SetStringBench(*options.stringSeed + static_cast<std::uint64_t>(i), options.stringBlocks);
    }
    backend_ = std::make_unique<SimulatedHidBackend>(*meters_.front());
    for (std::size_t i = 1; i < meters_.size(); ++i)
        backend_->AddMeter(*meters_[i]);
    for (const std::string& text : options.faults)
        if (const auto fault = ParseFault(text))
            fault->first->inject(*meters_.front(), *backend_, fault->second);
}

} // namespace voltaryn::cli
