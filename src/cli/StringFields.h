#pragma once

#include "cli/Output.h"
#include "store/StringTypes.h"
#include "strings/Verdicts.h"

namespace voltaryn::cli {

// A reading of a string as inspect prints it and readings lists it: its place and figures, its
// reference (a block's baseline, a strap's first reading) and change against it, its verdict and
// each policy's. `verdict` is none for a block marked missing.
Record StringReadingRecord(const std::string& site, const std::string& string, Value inspection,
                           const store::StringReading& reading, const strings::ReadingVerdict* verdict);
// The same in a line of text: "block 17  13.52 V  5.21 mOhm  +34.2 % vs baseline  warn".
std::string StringReadingText(const store::StringReading& reading, const strings::ReadingVerdict* verdict);

} // namespace voltaryn::cli
