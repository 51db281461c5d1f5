#pragma once

#include <string>

namespace voltaryn {

// The progress text of a download: "Loading=> " and done / total × 100 with two decimals and
// " %", e.g. "Loading=> 50.00 %" for 1 of 2. total must be above 0.
std::string LoadingCaption(int done, int total);

} // namespace voltaryn
