#include "strings/StringWalk.h"

#include <algorithm>

namespace voltaryn::strings {

std::string WalkRefusalText(WalkRefusal refusal, std::optional<Place> expected)
{
    const std::string place = expected ? PlaceText(*expected) : std::string("no place");
    switch (refusal) {
    case WalkRefusal::StrapVoltage:
        return "a strap's reading where " + place + " is expected: place the probes on " + place;
    case WalkRefusal::BlockVoltage:
        return "a block's reading where " + place + " is retested: place the probes across " + place;
    case WalkRefusal::TooHighForBlock: return "too high a voltage for a block of this string";
    case WalkRefusal::NoVoltage: return "no voltage shown: place the probes again";
    case WalkRefusal::Reversed: return "the probes are the wrong way round: red on the block's + post";
    case WalkRefusal::Done: return "the walk is over: retest a place or go to a block";
    }
    return {};
}

InspectionWalk::InspectionWalk(const StringLayout& layout, const std::vector<Place>& filled,
                               const std::vector<Place>& missing)
    : layout_(layout), order_(WalkOrder(layout)), filled_(filled.begin(), filled.end())
{
    for (const Place place : missing) {
        filled_.insert(place);
        missing_.insert(place.number);
    }
    next_ = static_cast<std::size_t>(std::ranges::find_if(order_, [this](Place place) { return Awaits(place); }) -
                                     order_.begin());
}

bool InspectionWalk::Awaits(Place place) const
{
    if (IsFilled(place))
        return false;
    return place.kind == PlaceKind::Block || (!missing_.contains(place.number) && !missing_.contains(place.number + 1));
}

std::optional<Place> InspectionWalk::Expected() const
{
    if (retest_)
        return retest_;
    return next_ < order_.size() ? std::optional(order_[next_]) : std::nullopt;
}

std::variant<Taken, WalkRefusal> InspectionWalk::Take(std::optional<double> volts)
{
    const std::optional<Place> expected = Expected();
    if (!expected)
        return WalkRefusal::Done;
    if (!volts)
        return WalkRefusal::NoVoltage;
    if (*volts <= -StrapVoltsBelow)
        return WalkRefusal::Reversed;
    const bool strapVolts = *volts < StrapVoltsBelow;
    if (!strapVolts && *volts > MostBlockVolts(layout_))
        return WalkRefusal::TooHighForBlock;
    const bool strapExpected = expected->kind == PlaceKind::Strap;
    if (strapVolts && !strapExpected)
        return WalkRefusal::StrapVoltage;
    if (retest_) {
        if (!strapVolts && strapExpected)
            return WalkRefusal::BlockVoltage;
        retest_.reset();
        filled_.insert(*expected);
        if (expected->kind == PlaceKind::Block)
            missing_.erase(expected->number);
        return Taken{*expected};
    }
    // A block where a strap is expected: the strap was passed over, and this is the next block.
    Taken taken{*expected};
    if (strapExpected && !strapVolts)
        taken = {Place{PlaceKind::Block, expected->number + 1}, true};
    filled_.insert(taken.place);
    if (taken.place.kind == PlaceKind::Block)
        missing_.erase(taken.place.number);
    MoveOnFrom(static_cast<std::size_t>(std::ranges::find(order_, taken.place) - order_.begin()));
    return taken;
}

void InspectionWalk::MoveOnFrom(std::size_t index)
{
    next_ = index + 1;
    while (next_ < order_.size() && !Awaits(order_[next_]))
        ++next_;
}

void InspectionWalk::Back()
{
    retest_.reset();
    next_ = next_ == 0 ? 0 : next_ - 1;
}

std::optional<Place> InspectionWalk::Skip()
{
    const std::optional<Place> expected = Expected();
    if (!expected)
        return std::nullopt;
    if (retest_) {
        retest_.reset();
        return std::nullopt;
    }
    std::optional<Place> missing;
    if (expected->kind == PlaceKind::Block) {
        filled_.insert(*expected);
        missing_.insert(expected->number);
        missing = expected;
    }
    MoveOnFrom(next_);
    return missing;
}

bool InspectionWalk::Retest(Place place)
{
    if (!HasPlace(layout_, place))
        return false;
    retest_ = place;
    return true;
}

bool InspectionWalk::GoTo(int block)
{
    if (!HasPlace(layout_, {PlaceKind::Block, block}))
        return false;
    retest_.reset();
    next_ = static_cast<std::size_t>(std::ranges::find(order_, Place{PlaceKind::Block, block}) - order_.begin());
    return true;
}

} // namespace voltaryn::strings
