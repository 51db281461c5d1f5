#pragma once

#include <string>
#include <vector>

namespace voltaryn {

// One row of a record list: its cells as text, left to right.
using RecordRow = std::vector<std::string>;

// A record list as the lists show it and data files hold it: a header row of column
// titles, then the records.
struct RecordTable {
    RecordRow header;
    std::vector<RecordRow> rows;
};

} // namespace voltaryn
