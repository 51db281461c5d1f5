#include "store/GradedCapture.h"

namespace voltaryn::store {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::optional<double> Celsius(const cells::CellCapture& capture)
{
    if (!capture.Temperature || capture.Reading.TemperatureUnit == "°C")
        return capture.Temperature;
    return (*capture.Temperature - 32) * 5 / 9;
}

} // namespace

CaptureInput CapturedReading(const cells::CellCapture& capture)
{
    CaptureInput input;
    input.voltageV = capture.Voltage;
    input.resistanceMohm = capture.ResistanceMilliOhm;
    input.voltageText = Q(capture.Reading.VoltageText);
    input.resistanceText = Q(capture.Reading.ResistanceText);
    input.rangeText = Q(capture.Reading.RangeText);
    input.temperatureC = Celsius(capture);
    return input;
}

CaptureInput GradedCapture(const cells::CellCapture& capture, const cells::GradeTable& grades)
{
    CaptureInput input = CapturedReading(capture);
    input.grade = Q(grades.GradeOf(capture.Voltage, capture.ResistanceMilliOhm).Name);
    return input;
}

} // namespace voltaryn::store
