#pragma once

#include "meter/MeterReading.h"

#include <optional>
#include <string>

namespace voltaryn {

// What makes a reading's value texts something no display can show, naming the field and quoting
// its text ("voltage field shows \"9?.?\""); none when every value field holds only characters a
// display field can show. The desktop program shows such a reading as it comes; a script refuses it.
std::optional<std::string> ReadingProblem(const MeterReading& reading);

} // namespace voltaryn
