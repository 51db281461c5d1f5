#include "sim/DisplayComposer.h"

#include "protocol/DisplayPacket.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace voltaryn::sim {
namespace {

using Report = protocol::Report;

constexpr double TestLeadOhms = 0.0002;  // what zero adjustment takes off the resistance
constexpr int FieldMaximum = 9999;       // four digits

// Status bits and display characters of one packet. Display characters start blank; the number
// field's first character and the lower field's first digit start as code 0, which the meter
// sends for a digit it leaves out.
class PacketWriter {
public:
    PacketWriter()
    {
        for (int i = 1; i <= static_cast<int>(DisplayPacket::CharCount); ++i)
            Char(i) = ' ';
        Char(31) = 0;
        Char(36) = 0;
    }

    void Light(StatusBit bit, bool on = true) { bits_.Set(bit, on); }

    // Writes text into the display characters from `first` (numbered from 1) on.
    void Put(int first, std::string_view text)
    {
        for (char c : text)
            Char(first++) = static_cast<std::uint8_t>(c);
    }

    void LeaveOut(int position) { Char(position) = 0; }

    Report Finish()
    {
        const std::uint64_t raw = bits_.Raw();
        for (std::size_t byte = 1; byte <= 8; ++byte)
            report_[byte] = static_cast<std::uint8_t>(raw >> ((byte - 1) * 8));
        return report_;
    }

private:
    std::uint8_t& Char(int i) { return report_.at(8 + static_cast<std::size_t>(i)); }

    StatusBits bits_;
    Report report_{};
};

StatusBit Offset(StatusBit bit, int steps) { return static_cast<StatusBit>(static_cast<int>(bit) + steps); }

// Where a four-digit field sits: its first display character and its point after digit 1.
struct FieldPlace {
    int firstChar;
    StatusBit firstPoint;
};

FieldPlace PlaceOf(NumericField field)
{
    const int i = static_cast<int>(field);
    return {1 + 4 * i, Offset(StatusBit::HighODec1, 3 * i)};
}

FieldPlace CapacityPlace(int row) { return {17 + 4 * row, Offset(StatusBit::Cap0Dec1, 3 * row)}; }

std::string ZeroPadded(long value, std::size_t width)
{
    std::string text(width, '0');
    for (auto digit = text.rbegin(); digit != text.rend() && value > 0; ++digit, value /= 10)
        *digit = static_cast<char>('0' + value % 10);
    return text;
}

// The magnitude in units of the last shown decimal, when it fits four digits.
std::optional<long> FieldCount(double magnitude, int decimals)
{
    const double count = std::round(magnitude * std::pow(10.0, decimals));
    if (!(count <= FieldMaximum))  // also catches NaN
        return std::nullopt;
    return static_cast<long>(count);
}

// The most decimals, three down to one, with which the magnitude fits four digits.
std::optional<int> AutoDecimals(double magnitude)
{
    for (int decimals = 3; decimals >= 1; --decimals)
        if (FieldCount(magnitude, decimals))
            return decimals;
    return std::nullopt;
}

void PutValue(PacketWriter& w, FieldPlace place, double magnitude, std::optional<int> decimals)
{
    const std::optional<long> count = decimals ? FieldCount(magnitude, *decimals) : std::nullopt;
    if (!count) {
        w.Put(place.firstChar, " OL ");
        return;
    }
    w.Put(place.firstChar, ZeroPadded(*count, 4));
    if (*decimals > 0)
        w.Light(Offset(place.firstPoint, 3 - *decimals));
}

void PutVoltage(PacketWriter& w, double volts, bool coarse)
{
    std::optional<int> decimals = AutoDecimals(std::abs(volts));
    if (decimals && coarse)
        decimals = std::max(1, *decimals - 1);
    PutValue(w, PlaceOf(NumericField::Voltage), std::abs(volts), decimals);
    w.Light(StatusBit::HighONeg, volts < 0);
    w.Light(StatusBit::UnitV);
}

void PutResistance(PacketWriter& w, int rangeCode, double ohms)
{
    const bool milli = rangeCode <= 3;
    const int decimals = 3 - (rangeCode - 1) % 3;
    PutValue(w, PlaceOf(NumericField::Resistance), milli ? ohms * 1000 : ohms, decimals);
    w.Light(StatusBit::LcdOhmm, milli);
    w.Light(StatusBit::UnitOhm);
}

void PutCurrent(PacketWriter& w, double amps)
{
    PutValue(w, PlaceOf(NumericField::Current), std::abs(amps), AutoDecimals(std::abs(amps)));
    w.Light(StatusBit::HighVNeg, amps < 0);
    w.Light(StatusBit::UnitA);
}

void PutTemperature(PacketWriter& w, double celsius, bool fahrenheit)
{
    const double value = fahrenheit ? celsius * 9 / 5 + 32 : celsius;
    PutValue(w, PlaceOf(NumericField::Temperature), std::abs(value), 1);
    w.Light(StatusBit::LowVNeg, value < 0);
    w.Light(fahrenheit ? StatusBit::UnitF : StatusBit::UnitC);
}

void PutCapacity(PacketWriter& w, int row, double ampHours)
{
    const double milliAmpHours = std::abs(ampHours) * 1000;
    const bool milli = FieldCount(milliAmpHours, 0).has_value();
    if (milli)
        PutValue(w, CapacityPlace(row), milliAmpHours, 0);
    else
        PutValue(w, CapacityPlace(row), std::abs(ampHours), AutoDecimals(std::abs(ampHours)));
    w.Light(Offset(StatusBit::Lcdm0, row), milli);
}

void PutCapacities(PacketWriter& w, const BatterySample& shown)
{
    const double total = shown.inAh - shown.outAh;
    PutCapacity(w, 0, shown.inAh);
    PutCapacity(w, 1, shown.outAh);
    PutCapacity(w, 2, total);
    w.Light(StatusBit::Cap2Neg, total < 0);
    w.Light(StatusBit::LcdAh);
    w.Light(StatusBit::LcdCapLabels);
}

// Two characters and the separate leading "1" of 100.
void PutPercentage(PacketWriter& w, double percent)
{
    const long whole = std::clamp(std::lround(percent), 0L, 100L);
    w.Light(StatusBit::LblPercent2, whole == 100);
    w.Put(29, ZeroPadded(whole % 100, 2));
    w.Light(StatusBit::LcdPercent);
}

// The three-digit number field, its leading digit left out below 100.
void PutNumberField(PacketWriter& w, int number)
{
    w.Put(31, ZeroPadded(number, 3));
    if (number < 100)
        w.LeaveOut(31);
}

void PutNumberFields(PacketWriter& w, const MeterState& s, const MeterClockBytes& time)
{
    switch (s.numberField) {
    case NumberFieldMode::RecordCount:
        w.Light(StatusBit::LcdNo);
        PutNumberField(w, s.memory.Count());
        break;
    case NumberFieldMode::Comparator:
        w.Light(StatusBit::LcdCompUp);
        w.Light(StatusBit::LcdNo);
        PutNumberField(w, s.comparatorNo);
        break;
    case NumberFieldMode::Time:  // hour ":" minute in the two small fields
        w.Light(StatusBit::LcdTime);
        w.Light(StatusBit::DPoint1);
        w.Put(34, ZeroPadded(time[3], 2));
        w.Put(36, ZeroPadded(time[4], 2));
        break;
    case NumberFieldMode::Interval:  // "SEt" and the seconds in characters 35 to 37
        w.Light(StatusBit::LcdIntv);
        w.Put(31, "SEt");
        w.Put(35, ZeroPadded(s.intervalSeconds, 3));
        break;
    }
}

void PutVerdict(PacketWriter& w, Verdict verdict)
{
    w.Light(StatusBit::LcdPass, verdict == Verdict::Pass);
    w.Light(StatusBit::LcdWarning, verdict == Verdict::Warning);
    w.Light(StatusBit::LcdFail, verdict == Verdict::Fail);
}

void PutAnnunciators(PacketWriter& w, const MeterState& s)
{
    w.Light(StatusBit::LcdAuto);  // automatic power-off is always armed
    w.Light(StatusBit::LcdOADJ, s.zeroAdjusted);
    w.Light(StatusBit::LcdHOLD, s.hold == HoldMode::Hold);
    w.Light(StatusBit::LcdAUTOHOLD, s.hold == HoldMode::AutoHold);
    w.Light(StatusBit::LcdAM, s.memory.Automatic());
    w.Light(StatusBit::LcdAvg, s.averageNumber != 2);
    w.Light(StatusBit::LcdBi, s.beeper);
    w.Light(StatusBit::LcdSqR, s.sdLogging);
}

} // namespace

Report ComposeDisplay(const MeterState& s, const BatterySample& shown, const MeterClockBytes& time)
{
    PacketWriter w;
    if (s.rangeCode < 1 || s.rangeCode > 6)
        return w.Finish();

    const double volts = s.leadsReversed ? -shown.volts : shown.volts;
    const double ohms = shown.ohms + (s.zeroAdjusted ? 0 : TestLeadOhms);
    PutVoltage(w, volts, s.coarseVoltage);
    PutResistance(w, s.rangeCode, ohms);
    PutCurrent(w, shown.amps);
    PutTemperature(w, shown.celsius, s.fahrenheit);
    PutCapacities(w, shown);
    PutPercentage(w, shown.chargePercent);
    PutNumberFields(w, s, time);
    PutAnnunciators(w, s);
    if (s.judging)
        PutVerdict(w, Judge(s.comparators.Limits(s.comparatorNo), ohms, volts));
    return w.Finish();
}

} // namespace voltaryn::sim
