#pragma once

#include <string>
#include <string_view>

namespace voltaryn {

// How an answer typed into one of the toolbar's input boxes turns out. Numbers may be typed with
// a decimal point or a decimal comma, whatever the locale.
struct NumberAnswer {
    enum class Kind {
        NoChange,   // empty answer (also what Cancel gives): change nothing
        Value,      // use value
        NotANumber  // not a number at all: refuse and change nothing
    };
    Kind kind = Kind::NoChange;
    int value = 0;
};

// The PC sampling interval: rounded to the nearest whole second (halves to the even neighbour)
// and kept within 1..86400.
NumberAnswer PcSamplingAnswer(std::string_view text);

// The meter's sampling interval: rounded like the PC interval, 0 becomes 1, and the result is
// kept within the one byte the meter takes (1..255).
NumberAnswer MeterIntervalAnswer(std::string_view text);

// The meter's averaging: 4, 8 or 16 as given; anything else switches averaging off (2). Only
// "OFF", "Off" and "off" do that silently; other answers are reported as an entry error.
struct AverageAnswer {
    bool noChange = false;     // empty answer
    int value = 2;             // what to send to the meter
    bool enterError = false;   // show "Enter Error !!!" first
};
AverageAnswer AverageNumberAnswer(std::string_view text);

// The averaging input box's default text for the meter's current setting.
std::string AverageDefaultText(int averageReply);

} // namespace voltaryn
