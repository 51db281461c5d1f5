#include "cli/ReadingRecord.h"

#include <charconv>
#include <cstdio>
#include <sstream>

namespace voltaryn::cli {
namespace {

constexpr const char* ValueNames[] = {"voltage",     "resistance",   "current",       "temperature",
                                      "in_capacity", "out_capacity", "total_capacity"};

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(std::string_view(" \0", 2));
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(std::string_view(" \0", 2)) - first + 1);
}

Value Optional(const std::optional<std::string>& text)
{
    return text ? Value(*text) : Value(nullptr);
}

// "12.63 (V)" as its value and unit; the window's "℃" and "℉" in the display's spelling.
Quantity Bracketed(const std::string& cell)
{
    const std::size_t open = cell.find(" (");
    if (open == std::string::npos || !cell.ends_with(')'))
        return {cell, {}};
    std::string unit = cell.substr(open + 2, cell.size() - open - 3);
    if (unit == "\u2103")
        unit = "°C";
    else if (unit == "\u2109")
        unit = "°F";
    // The minus of a negative value stands before the whole cell, its unit included.
    return {cell.substr(0, open), unit};
}

int TwoDigits(std::string_view text) { return (text[0] - '0') * 10 + (text[1] - '0'); }

} // namespace

Value NumberValue(const std::string& text)
{
    std::string_view digits = Trimmed(text);
    const bool negative = digits.starts_with('-');
    if (negative)
        digits.remove_prefix(1);
    const std::size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : digits.substr(point + 1);
    const auto allDigits = [](std::string_view part) { return part.find_first_not_of("0123456789") == std::string_view::npos; };
    if (whole.empty() || !allDigits(whole) || !allDigits(fraction) || (point != std::string_view::npos && fraction.empty()))
        return nullptr;
    std::string written(whole.substr(std::min(whole.find_first_not_of('0'), whole.size() - 1)));
    if (!fraction.empty())
        written += "." + std::string(fraction);
    double value = 0;
    std::from_chars(written.data(), written.data() + written.size(), value);
    if (negative && value != 0) {
        value = -value;
        written.insert(0, "-");
    }
    return Number{value, written};
}

Record ReadingRecord(const Reading& reading)
{
    Record record{{"no", reading.number},
                  {"time", reading.time},
                  {"day", reading.day == 0 ? Value(nullptr) : Value(static_cast<long long>(reading.day))}};
    for (std::size_t i = 0; i < reading.values.size(); ++i) {
        const Quantity& quantity = reading.values.at(i);
        record.push_back({ValueNames[i], NumberValue(quantity.text)});
        record.push_back({std::string(ValueNames[i]) + "_unit",
                          quantity.unit.empty() ? Value(nullptr) : Value(quantity.unit)});
    }
    record.push_back({"range", Optional(reading.range)});
    record.push_back({"flags", reading.flags ? Value(*reading.flags) : Value(nullptr)});
    return record;
}

Reading ManualReading(const RecordRow& row)
{
    Reading reading;
    reading.number = std::stoll(row.at(0));
    const std::string& stamp = row.at(1);  // "DD-hh:mm:ss", checked before it got here
    reading.day = TwoDigits(stamp);
    reading.time = stamp.substr(3);
    for (std::size_t i = 0; i < reading.values.size(); ++i) {
        const std::string& cell = row.at(i + 2);
        const bool negative = cell.starts_with('-');
        reading.values.at(i) = Bracketed(negative ? cell.substr(1) : cell);
        if (negative)
            reading.values.at(i).text.insert(0, "-");
    }
    return reading;
}

SdReadings::SdReadings(const std::string& startTime, std::string temperatureUnit)
    : temperatureUnit_(std::move(temperatureUnit))
{
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    char slash = 0;
    char secondSlash = 0;
    std::istringstream text(startTime);
    if (text >> year >> slash >> month >> secondSlash >> day && slash == '/' && secondSlash == '/') {
        const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month),
                                               std::chrono::day(day)};
        if (date.ok())
            date_ = std::chrono::sys_days(date);
    }
}

Reading SdReadings::Next(const RecordRow& row)
{
    Reading reading;
    reading.number = std::stoll(row.at(0));
    const std::string timeOfDay(Trimmed(row.at(1)));
    if (date_ && !lastTimeOfDay_.empty() && timeOfDay < lastTimeOfDay_)
        *date_ += std::chrono::days(1);
    lastTimeOfDay_ = timeOfDay;
    reading.time = timeOfDay;
    if (date_) {
        const std::chrono::year_month_day date(*date_);
        char text[16];
        std::snprintf(text, sizeof text, "%04d-%02u-%02uT", static_cast<int>(date.year()),
                      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
        reading.time.insert(0, text);
        reading.day = static_cast<int>(static_cast<unsigned>(date.day()));
    }
    const char* units[] = {"V", "mOhm", "A", temperatureUnit_.c_str(), "Ah", "Ah", "Ah"};
    for (std::size_t i = 0; i < reading.values.size(); ++i)
        reading.values.at(i) = {row.size() > i + 2 ? row[i + 2] : std::string(), units[i]};
    return reading;
}

} // namespace voltaryn::cli
