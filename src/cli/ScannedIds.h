#pragma once

#include <deque>
#include <string>

namespace voltaryn::cli {

// Cell IDs typed or scanned on the standard input while a command runs: a barcode scanner types
// the ID and Enter. Reading never waits; each complete line is one ID, taken in turn.
class ScannedIds {
public:
    // Takes what has arrived so far, without waiting.
    void Read();
    // The oldest ID not yet taken; empty when none waits.
    std::string Take();

private:
    std::string partial_;
    std::deque<std::string> ready_;
    bool ended_ = false;
};

} // namespace voltaryn::cli
