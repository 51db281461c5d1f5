#pragma once

// The walk of a string that captures itself: each settled capture goes to the place the walk
// expects, and the walk moves on. Which kind of place a capture is follows from its voltage: the
// probes across a strap read almost nothing, across a block its voltage. A technician who skips a
// strap lands on the next block; the strap stays empty. A block marked missing is passed over, and
// so are the straps on either side of it. A pure state machine: the caller stores what it takes.
#include "strings/StringModel.h"

#include <optional>
#include <set>
#include <variant>
#include <vector>

namespace voltaryn::strings {

// A reading under this is a strap's.
inline constexpr double StrapVoltsBelow = 0.5;

// Why a capture is not taken; nothing is stored for it.
enum class WalkRefusal {
    StrapVoltage,     // a strap's reading where a block is expected
    BlockVoltage,     // a block's reading where a strap is retested
    TooHighForBlock,  // above MostBlockVolts()
    NoVoltage,        // the meter showed overload
    Reversed,         // a block's voltage the wrong way round: the probes are on the wrong posts
    Done,             // the walk is over: retest or go to a block
};
// In English, one line: "strap's reading where block 3 is expected: place the probes on block 3".
std::string WalkRefusalText(WalkRefusal refusal, std::optional<Place> expected);

struct Taken {
    Place place;
    bool skippedStrap = false;  // the strap before the block was passed over
};

class InspectionWalk {
public:
    // `filled`: the places that hold a reading or a missing mark already, `missing` the blocks
    // marked missing; the walk starts at the first place it expects.
    InspectionWalk(const StringLayout& layout, const std::vector<Place>& filled = {},
                   const std::vector<Place>& missing = {});

    // The place the next capture goes to; empty once the walk is over.
    std::optional<Place> Expected() const;
    bool Done() const { return !Expected(); }
    // A settled capture of `volts`: where it goes, the walk then at the next empty place after it.
    std::variant<Taken, WalkRefusal> Take(std::optional<double> volts);
    // The place before the expected one: its next capture replaces its reading.
    void Back();
    // Passes over the expected place; returns it when it is a block, to be marked missing (a
    // strap passed over stays empty).
    std::optional<Place> Skip();
    // The next capture goes to `place`, then the walk goes on where it was; false for a place the
    // string does not have.
    bool Retest(Place place);
    // The walk goes on at block `block`; false for one the string does not have.
    bool GoTo(int block);
    bool IsFilled(Place place) const { return filled_.contains(place); }

private:
    void MoveOnFrom(std::size_t index);
    // Whether the walk stops at the place: empty, and not a strap beside a block marked missing.
    bool Awaits(Place place) const;

    StringLayout layout_;
    std::vector<Place> order_;
    std::set<Place> filled_;
    std::set<int> missing_;  // blocks
    std::size_t next_ = 0;  // index into order_; order_.size(): the walk is over
    std::optional<Place> retest_;
};

} // namespace voltaryn::strings
