#include "cells/PackOffer.h"

#include <algorithm>

namespace voltaryn::cells {

LeftOut WhyLeftOut(const PackCell& cell, const CellStanding& standing, const PackChoice& choice)
{
    // A rejected cell is told as rejected whatever grades were chosen: the reject is no grade to tick.
    if (standing.rejected)
        return LeftOut::Rejected;
    if (!choice.grades.empty() && std::ranges::find(choice.grades, cell.grade) == choice.grades.end())
        return LeftOut::NotChosen;
    if (standing.packed)
        return LeftOut::InPack;
    if (standing.suspect && !choice.includeSuspects)
        return LeftOut::Suspect;
    if (!(cell.capacity > 0))
        return LeftOut::NoCapacity;
    if (!(cell.resistance > 0))
        return LeftOut::NoResistance;
    return LeftOut::Usable;
}

void PackOffer::Offer(PackCell cell, const CellStanding& standing, const PackChoice& choice)
{
    const LeftOut why = WhyLeftOut(cell, standing, choice);
    if (why == LeftOut::Usable)
        cells.push_back(std::move(cell));
    else
        ++leftOut.at(static_cast<std::size_t>(why));
}

std::string PackOffer::LeftOutText() const
{
    static constexpr std::array<const char*, LeftOutReasons> Reasons{"",
                                                                     "of other grades",
                                                                     "rejected",
                                                                     "in a saved pack",
                                                                     "suspected of self-discharge",
                                                                     "without a capacity",
                                                                     "without a resistance"};
    std::string text;
    for (std::size_t why = 1; why < Reasons.size(); ++why)
        if (leftOut.at(why) > 0)
            text += (text.empty() ? "left out: " : ", ") + std::to_string(leftOut.at(why)) + " " + Reasons.at(why);
    return text;
}

} // namespace voltaryn::cells
