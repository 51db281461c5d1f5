#pragma once

#include <chrono>
#include <functional>

namespace voltaryn {

// A moment on the PC's clock, in local time.
struct LocalTime {
    int year = 2000;   // four digits
    int month = 1;     // 1..12
    int day = 1;       // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;

    int SecondOfDay() const { return hour * 3600 + minute * 60 + second; }
};

// The PC clock as the program reads it; tests inject their own.
using PcClock = std::function<LocalTime()>;

// The system clock in the local time zone.
LocalTime SystemLocalTime();
// A moment of the system clock in the local time zone, to the second.
LocalTime LocalTimeAt(std::chrono::system_clock::time_point moment);

} // namespace voltaryn
