#include "common/LocalTime.h"

#include <ctime>

namespace voltaryn {

LocalTime SystemLocalTime() { return LocalTimeAt(std::chrono::system_clock::now()); }

LocalTime LocalTimeAt(std::chrono::system_clock::time_point moment)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

} // namespace voltaryn
