#include "memory/ManualRecord.h"

#include "text/CharacterCodes.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace voltaryn {
namespace {

constexpr int FirstIndicatorByte = 4;
constexpr std::size_t FirstStampByte = 45;
constexpr std::size_t RecordLength = 49;

// Reply bytes 0..48, the part of a reply that carries the record.
using RecordBytes = std::array<std::uint8_t, RecordLength>;

// An indicator bit as the layout names it: bit n of reply byte b.
struct BitAt {
    int byte;
    int bit;
};

// The eight indicator bytes of a reply.
class Indicators {
public:
    explicit Indicators(const RecordBytes& record)
    {
        for (std::size_t i = 0; i < 8; ++i)
            bits_ |= std::uint64_t{record[FirstIndicatorByte + i]} << (8 * i);
    }

    bool operator[](BitAt at) const
    {
        return ((bits_ >> ((at.byte - FirstIndicatorByte) * 8 + at.bit)) & 1U) != 0;
    }

private:
    std::uint64_t bits_ = 0;
};

// The value fields by name, in the order of ValueFields.
constexpr const char* ValueNames[] = {"voltage", "resistance", "current", "temperature", "in-capacity",
                                      "out-capacity", "total capacity"};

const char* VoltageUnit(const Indicators& on) { return on[{10, 7}] ? " (mV)" : " (V)"; }
const char* ResistanceUnit(const Indicators& on) { return on[{11, 0}] ? " (mOhm)" : " (Ohm)"; }
const char* CurrentUnit(const Indicators&) { return " (A)"; }
const char* CapacityUnit(const Indicators& on) { return on[{9, 2}] ? " (mAh)" : " (Ah)"; }

const char* TemperatureUnit(const Indicators& on)
{
    if (on[{7, 3}])
        return " (\u2103)";
    return on[{7, 4}] ? " (\u2109)" : "";
}

struct ValueField {
    std::size_t firstChar;
    BitAt firstPoint;  // the points after the 2nd and 3rd character are the next two bits
    std::optional<BitAt> minus;
    const char* (*unit)(const Indicators&);
};

constexpr ValueField ValueFields[] = {
    {12, {4, 1}, BitAt{6, 6}, VoltageUnit},
    {16, {4, 4}, std::nullopt, ResistanceUnit},
    {20, {4, 7}, BitAt{6, 7}, CurrentUnit},
    {24, {5, 2}, BitAt{7, 0}, TemperatureUnit},
    {28, {5, 5}, std::nullopt, CapacityUnit},
    {32, {6, 0}, std::nullopt, CapacityUnit},
    {36, {6, 3}, BitAt{7, 1}, CapacityUnit},
};

BitAt Following(BitAt at, int steps)
{
    const int index = at.byte * 8 + at.bit + steps;
    return {index / 8, index % 8};
}

std::string RecordCharacter(std::uint8_t code) { return code == 0 ? std::string() : CharacterFromCode(code); }

std::string DecodeValue(const ValueField& field, const RecordBytes& record, const Indicators& on)
{
    std::optional<int> pointAfter;
    for (int position = 1; position <= 3 && !pointAfter; ++position)
        if (on[Following(field.firstPoint, position - 1)])
            pointAfter = position;

    std::string text;
    for (int position = 1; position <= 4; ++position) {
        text += RecordCharacter(record[field.firstChar + static_cast<std::size_t>(position) - 1]);
        if (pointAfter == position)
            text += '.';
    }
    text += field.unit(on);
    if (field.minus && on[*field.minus])
        text.insert(0, "-");
    return text;
}

bool IsPackedDecimal(std::uint8_t byte) { return (byte >> 4) <= 9 && (byte & 0x0F) <= 9; }

int PackedValue(std::uint8_t byte) { return (byte >> 4) * 10 + (byte & 0x0F); }

// The time stamp as its bytes read in hexadecimal: packed decimal written out so is the decimal
// number itself, 0x59 reads 59.
std::string StampText(const RecordBytes& record)
{
    const std::uint8_t* stamp = &record[FirstStampByte];
    char text[16];
    std::snprintf(text, sizeof text, "%02X-%02X:%02X:%02X", stamp[0], stamp[1], stamp[2], stamp[3]);
    return text;
}

std::string DecodeTimeStamp(const RecordBytes& record)
{
    const std::uint8_t* stamp = &record[FirstStampByte];
    const bool valid = std::all_of(stamp, stamp + 4, IsPackedDecimal);
    return valid ? StampText(record) : "invalid time " + StampText(record);
}

RecordBytes RecordOf(std::span<const std::uint8_t> reply)
{
    RecordBytes record{};
    std::copy_n(reply.begin(), std::min(reply.size(), RecordLength), record.begin());
    return record;
}

} // namespace

bool RequestManualRecord(MeterLink& link, int number)
{
    link.SetRequest({protocol::TransferClass, protocol::ManualRecordTransfer,
                     static_cast<std::uint8_t>(number % 256), static_cast<std::uint8_t>(number / 256), 0});
    return link.SendAndReceive();
}

ManualRecordTexts DecodeManualRecord(std::span<const std::uint8_t> reply)
{
    const RecordBytes record = RecordOf(reply);
    const Indicators on(record);

    ManualRecordTexts texts;
    texts[0] = DecodeTimeStamp(record);
    for (std::size_t i = 0; i < std::size(ValueFields); ++i)
        texts[i + 1] = DecodeValue(ValueFields[i], record, on);
    return texts;
}

std::optional<std::string> ManualRecordProblem(std::span<const std::uint8_t> reply)
{
    const RecordBytes record = RecordOf(reply);
    for (std::size_t i = 0; i < std::size(ValueFields); ++i)
        for (std::size_t c = 0; c < 4; ++c)
            if (const std::uint8_t code = record[ValueFields[i].firstChar + c]; !IsDisplayCharacter(static_cast<char>(code))) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "0x%02X", code);
                return "its " + std::string(ValueNames[i]) + " field holds code " + hex;
            }
    const std::uint8_t* stamp = &record[FirstStampByte];
    const bool packed = std::all_of(stamp, stamp + 4, IsPackedDecimal);
    if (!packed || PackedValue(stamp[0]) < 1 || PackedValue(stamp[0]) > 31 || PackedValue(stamp[1]) > 23
        || PackedValue(stamp[2]) > 59 || PackedValue(stamp[3]) > 59)
        return "its time stamp " + StampText(record) + " is no time";
    return std::nullopt;
}

} // namespace voltaryn
