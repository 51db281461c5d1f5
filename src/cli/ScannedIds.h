#pragma once

#include <deque>
#include <ostream>
#include <string>

namespace voltaryn::cli {

// Cell IDs typed or scanned on the standard input while a command runs: a barcode scanner types
// the ID and Enter. Reading never waits; each complete line is one ID, taken in turn, as
// NormalCellId spells it. A line the name rule refuses is told on `told` at once, so that it can
// be scanned again before its cell is placed, and is not taken.
class ScannedIds {
public:
    explicit ScannedIds(std::ostream& told) : told_(told) {}

    // Takes what has arrived so far, without waiting.
    void Read();
    // The oldest ID not yet taken; empty when none waits.
    std::string Take();

private:
    void Add(const std::string& line);

    std::ostream& told_;
    std::string partial_;
    std::deque<std::string> ready_;
    bool ended_ = false;
};

} // namespace voltaryn::cli
