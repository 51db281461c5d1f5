#include "store/QueueExport.h"

namespace voltaryn::store {

std::vector<CellField> QueuedFieldsOf(const QueuedCapture& queued, bool everything)
{
    const CaptureInput& capture = queued.capture;
    std::vector<CellField> fields{
        {"batch", capture.batch},
        {"label", capture.label},
        {"time", capture.measuredUtc.toUTC().toString(Qt::ISODateWithMs)},
        {"station", capture.station},
        {"grade", capture.grade},
        {"kind", capture.kind == MeasurementKind::Recheck ? QStringLiteral("recheck") : QStringLiteral("sort")},
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
