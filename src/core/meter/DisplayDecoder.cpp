#include "meter/DisplayDecoder.h"

#include <optional>

namespace voltaryn {
namespace {

struct NumericFieldLayout {
    NumericField field;
    int firstChar;
    StatusBit firstPoint;  // the field's three point bits follow each other
    std::optional<StatusBit> sign;
    std::string MeterReading::*text;
};

constexpr NumericFieldLayout NumericFields[] = {
    {NumericField::Voltage, 1, StatusBit::HighODec1, StatusBit::HighONeg, &MeterReading::VoltageText},
    {NumericField::Resistance, 5, StatusBit::LowODec1, std::nullopt, &MeterReading::ResistanceText},
    {NumericField::Current, 9, StatusBit::HighVDec1, StatusBit::HighVNeg, &MeterReading::CurrentText},
    {NumericField::Temperature, 13, StatusBit::LowVDec1, StatusBit::LowVNeg, &MeterReading::TemperatureText},
};

struct CapacityRowLayout {
    int firstChar;
    StatusBit firstPoint;
    StatusBit milli;
};

constexpr CapacityRowLayout CapacityRows[] = {
    {17, StatusBit::Cap0Dec1, StatusBit::Lcdm0},
    {21, StatusBit::Cap1Dec1, StatusBit::Lcdm1},
    {25, StatusBit::Cap2Dec1, StatusBit::Lcdm2},
};

StatusBit Next(StatusBit bit, int steps) { return static_cast<StatusBit>(static_cast<int>(bit) + steps); }

std::array<std::string, 4> FourChars(const DisplayPacket& packet, int first)
{
    return {packet.DisplayChar(first), packet.DisplayChar(first + 1), packet.DisplayChar(first + 2),
            packet.DisplayChar(first + 3)};
}

std::array<bool, 3> ThreePoints(const StatusBits& bits, StatusBit first)
{
    return {bits[first], bits[Next(first, 1)], bits[Next(first, 2)]};
}

bool IsCodeZero(const std::string& c) { return c.size() == 1 && c[0] == '\0'; }

// The number a one-character text starts with, as the meter's lower field shows it: a digit
// stays that digit, anything else reads as 0.
std::string LeadingNumber(const std::string& c)
{
    return c.size() == 1 && c[0] >= '0' && c[0] <= '9' ? c : "0";
}

void DecodeTemperatureUnit(const StatusBits& bits, MeterReading& reading)
{
    if (bits[StatusBit::UnitF]) {
        reading.TempUnitText = "Fahrenheih";
        reading.TempIsCelsius = false;
    } else if (bits[StatusBit::UnitC]) {
        reading.TempUnitText = "Celsius";
        reading.TempIsCelsius = true;
    } else {
        reading.TempUnitText.clear();
    }
}

void DecodeNumberFields(const DisplayPacket& packet, MeterReading& reading)
{
    const auto c = [&](int i) -> const std::string& { return packet.DisplayChar(i); };
    reading.PercentText[1] = c(29);
    reading.PercentText[0] = c(30);
    reading.RecordNoText = (IsCodeZero(c(31)) ? std::string(" ") : c(31)) + c(32) + c(33);
    reading.HHText = c(34) + c(35);
    if (reading.IntervalOn && reading.RecordNoText == "SEt")
        reading.LLText = c(35) + c(36) + c(37);
    else if (IsCodeZero(c(36)))
        reading.LLText = " " + c(37);
    else
        reading.LLText = LeadingNumber(c(36)) + c(37);
}

} // namespace

std::string ComposeReading(bool sign, const std::array<std::string, 4>& d, const std::array<bool, 3>& points)
{
    std::string text;
    if (points[0])
        text = d[0] + "." + d[1] + d[2] + d[3];
    else if (points[1])
        text = d[0] + d[1] + "." + d[2] + d[3];
    else if (points[2])
        text = d[0] + d[1] + d[2] + "." + d[3];
    return sign ? "-" + text : text;
}

std::string ComposeCapacity(const std::array<std::string, 4>& d, const std::array<bool, 3>& points)
{
    if (points[2])
        return d[0] + d[1] + d[2] + "." + d[3];
    if (points[1])
        return d[0] + d[1] + "." + d[2] + d[3];
    if (points[0])
        return d[0] + "." + d[1] + d[2] + d[3];
    return d[0] + d[1] + d[2] + d[3];
}

PanelDisplay DecodeDisplay(const DisplayPacket& packet, MeterReading& reading)
{
    const StatusBits& bits = packet.DisplayFlags;
    PanelDisplay panel;
    panel.lit = bits;

    reading.AutoMemoryOn = bits[StatusBit::LcdAM];
    reading.IntervalOn = bits[StatusBit::LcdIntv];
    reading.CapAh = bits[StatusBit::LcdAh];
    DecodeTemperatureUnit(bits, reading);

    for (const NumericFieldLayout& layout : NumericFields) {
        auto& digits = panel.digits[static_cast<std::size_t>(layout.field)];
        digits = FourChars(packet, layout.firstChar);
        const bool sign = layout.sign && bits[*layout.sign];
        reading.*layout.text = ComposeReading(sign, digits, ThreePoints(bits, layout.firstPoint));
    }

    for (std::size_t row = 0; row < 3; ++row) {
        const CapacityRowLayout& layout = CapacityRows[row];
        reading.CapacityText[row] =
            ComposeCapacity(FourChars(packet, layout.firstChar), ThreePoints(bits, layout.firstPoint));
        reading.CapMilli[row] = bits[layout.milli];
    }
    if (bits[StatusBit::Cap2Neg])
        reading.CapacityText[2] = "-" + reading.CapacityText[2];

    DecodeNumberFields(packet, reading);
    return panel;
}

} // namespace voltaryn
