#include "cells/PackFault.h"

#include <cstdio>

namespace voltaryn::cells {
namespace {

std::string VoltsText(double volts)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g V", volts);
    return text;
}

std::string Counted(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + (count == 1 ? one : many);
}

} // namespace

std::string PackFaultText(const PackFault& fault)
{
    using Reason = PackFault::Reason;
    switch (fault.reason) {
    case Reason::ShapeNotPositive:
        return "S and P must be positive, not " + std::to_string(fault.series) + "S" + std::to_string(fault.parallel) + "P";
    case Reason::SpreadNegative: return "the voltage spread inside a group must be 0 V or more";
    case Reason::DuplicateId: return "cell ID \"" + fault.cellId + "\" appears more than once";
    case Reason::CellUnusable:
        return "cell \"" + fault.cellId + "\" needs a capacity above 0 mAh and a resistance above 0 mOhm";
    case Reason::TooFewCells:
        return "needs " + std::to_string(fault.needed) + " cells, " + std::to_string(fault.available) +
               " are eligible: " + std::to_string(fault.needed - fault.available) + " missing";
    case Reason::TooFewGroups:
        return "needs " + Counted(fault.needed, " group of ", " groups of ") +
               Counted(static_cast<std::size_t>(fault.parallel), " cell within ", " cells within ") +
               VoltsText(fault.spreadV) + ", the eligible cells make " + std::to_string(fault.available);
    case Reason::CellsNotListed: return "the pack holds cells that are not in the list";
    case Reason::CellNotInPack: return "cell \"" + fault.cellId + "\" is not in the pack";
    case Reason::SparesNotListed: return "the pack's spares hold cells that are not in the list";
    case Reason::NoSpare: return "no spare cell is left";
    case Reason::NoSpareFits: return "no spare cell keeps the failed cell's group within the voltage spread";
    case Reason::SnakeTooWide:
        return "the snake deal puts cells more than " + VoltsText(fault.spreadV) + " apart into one group";
    }
    return "no pack";
}

} // namespace voltaryn::cells
