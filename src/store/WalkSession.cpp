#include "store/WalkSession.h"

#include <QUuid>

#include <algorithm>

namespace voltaryn::store {

WalkSession::WalkSession(JudgedString judged, const QDateTime& nowUtc, std::optional<double> ambientC,
                         const QString& notes)
    : judged_(std::move(judged)),
      target_{judged_.string.site, judged_.string.name, {}, nowUtc, ambientC, notes, {}, false},
      walk_(judged_.layout)
{
    const QDate today = nowUtc.toLocalTime().date();
    const std::vector<InspectionInfo>& inspections = judged_.inspections;
    if (!inspections.empty() && inspections.back().startedUtc.toLocalTime().date() == today) {
        const InspectionInfo& latest = inspections.back();
        resumed_ = true;
        inspectionId_ = latest.id;
        target_.inspectionUuid = latest.uuid;
        target_.startedUtc = latest.startedUtc;
        target_.ambientC = latest.ambientC;
        target_.notes = latest.notes;
        for (const StringReading& reading : judged_.readings)
            if (reading.inspectionUuid == latest.uuid)
                filled_[reading.place] = reading.missing;
        StartAtFirstEmpty();
        return;
    }
    target_.inspectionUuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    judged_.records.push_back(EmptyRecord(judged_.string, nowUtc, ambientC));
}

std::vector<strings::Place> WalkSession::Places(bool missingOnly) const
{
    std::vector<strings::Place> places;
    places.reserve(filled_.size());
    for (const auto& [place, missing] : filled_)
        if (missing || !missingOnly)
            places.push_back(place);
    return places;
}

void WalkSession::StartAtFirstEmpty()
{
    walk_ = strings::InspectionWalk(judged_.layout, Places(false), Places(true));
}

bool WalkSession::IsMissing(strings::Place place) const
{
    const auto found = filled_.find(place);
    return found != filled_.end() && found->second;
}

CaptureInput WalkSession::InputFor(strings::Place place, bool missing, CaptureInput reading) const
{
    reading.batch.clear();
    reading.inspection = target_;
    reading.inspection->place = place;
    reading.inspection->missing = missing;
    return reading;
}

void WalkSession::Recorded(const CaptureInput& input, const CaptureReceipt& receipt)
{
    if (receipt.inspectionId != 0)
        inspectionId_ = receipt.inspectionId;
    const strings::Place place = input.inspection->place;
    const bool missing = input.inspection->missing;
    filled_[place] = missing;
    auto& places = place.kind == strings::PlaceKind::Strap ? Record().straps : Record().blocks;
    places[static_cast<std::size_t>(place.number - 1)] =
        missing ? std::nullopt : std::optional(strings::Reading{input.voltageV, input.resistanceMohm, input.temperatureC});
    judged_.readings.push_back({inspectionId_, target_.inspectionUuid, input.clientUuid, place, missing, input.station,
                                input.operatorName, input.measuredUtc, input.voltageV, input.resistanceMohm,
                                input.voltageText, input.resistanceText, input.rangeText, input.temperatureC});
    judged_.Rebase();
}

strings::InspectionVerdicts WalkSession::Verdicts() const
{
    return judged_.Judge(judged_.records.back());
}

const strings::ReadingVerdict* WalkSession::VerdictOf(const strings::InspectionVerdicts& verdicts, strings::Place place)
{
    const auto found = std::ranges::find(verdicts.readings, place, &strings::ReadingVerdict::place);
    return found == verdicts.readings.end() ? nullptr : &*found;
}

} // namespace voltaryn::store
