#include "strings/StringWalk.h"

#include <gtest/gtest.h>

#include <sstream>

namespace voltaryn::strings {
namespace {

// Runs a walk's steps — a voltage captured, "-" for overload, back, skip, "goto N", "retest
// block N" / "retest strap N" — and tells what each did, then where the walk stands.
std::string Walk(const StringLayout& layout, const std::vector<Place>& filled, const std::vector<Place>& missing,
                 const std::string& steps)
{
    InspectionWalk walk(layout, filled, missing);
    std::istringstream in(steps);
    std::string out;
    for (std::string step; in >> step;) {
        std::string said;
        if (step == "back") {
            walk.Back();
        } else if (step == "skip") {
            const std::optional<Place> missing = walk.Skip();
            said = missing ? "missing " + PlaceText(*missing) : "passed";
        } else if (step == "goto" || step == "retest") {
            std::string kind = "block";
            int number = 0;
            if (step == "retest")
                in >> kind;
            in >> number;
            const Place place{kind == "strap" ? PlaceKind::Strap : PlaceKind::Block, number};
            said = (step == "goto" ? walk.GoTo(number) : walk.Retest(place)) ? "" : "no " + PlaceText(place);
        } else {
            const std::optional<Place> expected = walk.Expected();
            const auto taken = walk.Take(step == "-" ? std::nullopt : std::optional(std::stod(step)));
            if (const auto* place = std::get_if<Taken>(&taken))
                said = PlaceText(place->place) + (place->skippedStrap ? " (strap passed over)" : "");
            else
                said = WalkRefusalText(std::get<WalkRefusal>(taken), expected);
        }
        if (!said.empty())
            out += said + "; ";
    }
    const std::optional<Place> expected = walk.Expected();
    return out + (expected ? "next " + PlaceText(*expected) : "done");
}

const StringLayout ThreeWithStraps{3, 12, Chemistry::Vrla, 6, true};
const StringLayout ThreeCells{3, 2, Chemistry::Vla, 1, false};
const StringLayout TwoLifepo4Cells{2, 2, Chemistry::Lifepo4, 1, false};

TEST(InspectionWalk, EachCaptureGoesToThePlaceItsVoltageAndTheWalkSay)
{
    const Place block2{PlaceKind::Block, 2};
    const Place strap1{PlaceKind::Strap, 1};
    const struct {
        StringLayout layout;
        std::vector<Place> filled;
        const char* steps;
        const char* told;
        std::vector<Place> missing = {};
    } walks[] = {
        {ThreeWithStraps, {}, "13.5 0.004 13.6 0.003 13.4 13.5",
         "block 1; strap 1→2; block 2; strap 2→3; block 3; the walk is over: retest a place or go to a block; done"},
        // A block where a strap is expected: the strap was passed over.
        {ThreeWithStraps, {}, "13.5 13.6 0.2 13.4",
         "block 1; block 2 (strap passed over); strap 2→3; block 3; done"},
        // A strap where a block is expected, overload, and a voltage no block of 12 V shows.
        {ThreeWithStraps, {}, "0.004 - 18.1 0.49 13.5",
         "a strap's reading where block 1 is expected: place the probes on block 1; no voltage shown: place the "
         "probes again; too high a voltage for a block of this string; a strap's reading where block 1 is expected: "
         "place the probes on block 1; block 1; next strap 1→2"},
        // 2 V cells without straps; a dead cell at 0.6 V still reads as a cell.
        {ThreeCells, {}, "2.21 0.6 2.2", "block 1; block 2; block 3; done"},
        {ThreeCells, {}, "2.7 2.71", "block 1; too high a voltage for a block of this string; next block 2"},
        // A single LiFePO4 cell counts as a 2 V block.
        {TwoLifepo4Cells, {}, "3.35 4.01 3.4", "block 1; too high a voltage for a block of this string; block 2; done"},
        // Reversed probes on a block; a strap may read a little below zero.
        {ThreeWithStraps, {}, "-13.5 13.5 -0.002",
         "the probes are the wrong way round: red on the block's + post; block 1; strap 1→2; next block 2"},
        // Back goes to the place before; its capture replaces it, and the walk goes on where it was.
        {ThreeWithStraps, {}, "13.5 0.004 13.6 back back 0.005 back 13.55",
         "block 1; strap 1→2; block 2; strap 1→2; block 2; next strap 2→3"},
        {ThreeWithStraps, {}, "back back 13.5", "block 1; next strap 1→2"},
        // Skip marks a block missing and passes a strap over; the straps beside a missing block are
        // passed over, also when the walk begins with it missing, and a block's capture there is its.
        {ThreeWithStraps, {}, "13.5 skip skip 0.004 13.4",
         "block 1; passed; missing block 2; a strap's reading where block 3 is expected: place the probes on block 3; "
         "block 3; done"},
        {ThreeWithStraps, {{PlaceKind::Block, 2}}, "13.5 13.4", "block 1; block 3; done", {{PlaceKind::Block, 2}}},
        {ThreeWithStraps, {{PlaceKind::Block, 2}}, "goto 2 13.6 0.004", "block 2; strap 2→3; next block 3",
         {{PlaceKind::Block, 2}}},
        // A retest takes its place's next capture of its kind, then the walk goes on.
        {ThreeWithStraps, {}, "13.5 0.004 retest block 1 0.003 13.52 13.6",
         "block 1; strap 1→2; a strap's reading where block 1 is expected: place the probes on block 1; block 1; "
         "block 2; next strap 2→3"},
        {ThreeWithStraps, {}, "13.5 retest strap 1 13.6 0.004 0.004",
         "block 1; a block's reading where strap 1→2 is retested: place the probes across strap 1→2; strap 1→2; "
         "strap 1→2; next block 2"},
        {ThreeWithStraps, {}, "retest strap 3 retest block 4 goto 0 goto 3 13.5",
         "no strap 3→4; no block 4; no block 0; block 3; done"},
        {ThreeCells, {}, "retest strap 1 goto 2 2.2 2.21 retest block 1 2.19",
         "no strap 1→2; block 2; block 3; block 1; done"},
        // Resumed: at the first empty place, and on past the places filled.
        {ThreeWithStraps, {{PlaceKind::Block, 1}, strap1, {PlaceKind::Block, 3}}, "13.5 0.004",
         "block 2; strap 2→3; done"},
        {ThreeWithStraps, {{PlaceKind::Block, 1}, block2}, "0.004 0.003", "strap 1→2; strap 2→3; next block 3"},
        {ThreeCells, {{PlaceKind::Block, 1}, block2, {PlaceKind::Block, 3}}, "2.2 goto 1 2.2", "the walk is over: retest a place or go to a block; block 1; done"},
    };
    for (const auto& walk : walks)
        EXPECT_EQ(Walk(walk.layout, walk.filled, walk.missing, walk.steps), walk.told) << walk.steps;
}

TEST(StringModel, PlacesGoInTheWalksOrderAndStringsAreCheckedByTheirFigures)
{
    EXPECT_EQ(WalkOrder(ThreeWithStraps),
              (std::vector<Place>{{PlaceKind::Block, 1}, {PlaceKind::Strap, 1}, {PlaceKind::Block, 2},
                                  {PlaceKind::Strap, 2}, {PlaceKind::Block, 3}}));
    EXPECT_LT((Place{PlaceKind::Strap, 1}), (Place{PlaceKind::Block, 2}));
    const std::tuple<int, double, Chemistry, int, std::optional<LayoutFault>> layouts[] = {
        {24, 12, Chemistry::Vrla, 6, std::nullopt}, {0, 12, Chemistry::Vrla, 6, LayoutFault::BlockCount},
        {1001, 2, Chemistry::Vla, 1, LayoutFault::BlockCount}, {24, 4, Chemistry::Vrla, 2, LayoutFault::NominalVolts},
        {24, 12, Chemistry::Vrla, 0, LayoutFault::CellsPerBlock}, {24, 12, Chemistry::Vrla, 13, LayoutFault::CellsPerBlock},
        // The cells make the nominal voltage within half a cell; a 2 V block may be one cell of any kind.
        {24, 12, Chemistry::Vrla, 5, LayoutFault::CellsForNominal}, {24, 12, Chemistry::Nicd, 10, std::nullopt},
        {24, 12, Chemistry::Nicd, 9, LayoutFault::CellsForNominal}, {24, 12, Chemistry::Lifepo4, 4, std::nullopt},
        {24, 12, Chemistry::Lifepo4, 3, LayoutFault::CellsForNominal}, {24, 2, Chemistry::Lifepo4, 1, std::nullopt},
        {24, 2, Chemistry::Nicd, 2, std::nullopt}, {24, 2, Chemistry::Lifepo4, 2, LayoutFault::CellsForNominal}};
    for (const auto& [blocks, volts, chemistry, cells, fault] : layouts)
        EXPECT_EQ(LayoutFaultOf({blocks, volts, chemistry, cells, false}), fault) << blocks << " " << volts << " " << cells;
    const std::tuple<double, Chemistry, int> cells[] = {
        {12, Chemistry::Vrla, 6}, {2, Chemistry::Vla, 1}, {12, Chemistry::Nicd, 10}, {12, Chemistry::Lifepo4, 4},
        {2, Chemistry::Lifepo4, 1}};
    for (const auto& [volts, chemistry, count] : cells)
        EXPECT_EQ(DefaultCellsPerBlock(volts, chemistry), count) << ChemistryName(chemistry);
    for (const Chemistry chemistry : {Chemistry::Vla, Chemistry::Vrla, Chemistry::Nicd, Chemistry::Lifepo4})
        EXPECT_EQ(ChemistryOf(ChemistryName(chemistry)), chemistry);
    EXPECT_EQ(ChemistryOf("agm"), std::nullopt);
}

} // namespace
} // namespace voltaryn::strings
