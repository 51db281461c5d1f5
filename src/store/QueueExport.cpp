#include "store/QueueExport.h"

namespace voltaryn::store {

std::vector<CellField> QueuedFieldsOf(const QueuedCapture& queued, bool everything)
{
    const CaptureInput& capture = queued.capture;
    // A string reading names its string where a capture names its batch, and its place's number
    // where a capture names its cell.
    const std::optional<InspectionTarget>& target = capture.inspection;
    QString kind = capture.kind == MeasurementKind::Recheck ? QStringLiteral("recheck") : QStringLiteral("sort");
    if (target)
        kind = target->missing ? QStringLiteral("missing") : PlaceKindText(target->place.kind);
    std::vector<CellField> fields{
        {"batch", target ? target->site + " / " + target->string : capture.batch},
        {"label", target ? QString::number(target->place.number) : capture.label},
        {"time", capture.measuredUtc.toUTC().toString(Qt::ISODateWithMs)},
        {"station", capture.station},
        {"grade", capture.grade},
        {"kind", kind},
        {"state", queued.setAsideReason.isEmpty() ? QStringLiteral("waiting") : QStringLiteral("set aside")},
        {"reason", queued.setAsideReason}};
    if (everything)
        fields.insert(fields.end(), {{"operator", capture.operatorName},
                                     {"voltage_v", Measured(capture.voltageV)},
                                     {"resistance_mohm", Measured(capture.resistanceMohm)},
                                     {"range", capture.rangeText},
                                     {"temperature_c", Measured(capture.temperatureC)},
                                     {"uuid", capture.clientUuid}});
    return fields;
}

std::string QueueExport(const std::vector<QueuedCapture>& queue, bool json)
{
    std::string text = json ? std::string() : CsvHeaderOf(QueuedFieldsOf({}, true));
    for (const QueuedCapture& queued : queue)
        text += json ? JsonLineOf(QueuedFieldsOf(queued, true)) : CsvLineOf(QueuedFieldsOf(queued, true));
    return text;
}

} // namespace voltaryn::store
