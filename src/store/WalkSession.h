#pragma once

// One walk of a string as every surface runs it: today's inspection of the string goes on where it
// stopped, else a new one begins; each reading taken is addressed to its place, and once the
// store has it the inspection is judged again with it in force.
#include "store/StringJudging.h"
#include "strings/StringWalk.h"

#include <map>

namespace voltaryn::store {

class WalkSession {
public:
    // `nowUtc` dates a new inspection; an inspection begun on the same local day goes on, its
    // places filled as the store (and this station's queue) holds them.
    WalkSession(JudgedString judged, const QDateTime& nowUtc, std::optional<double> ambientC, const QString& notes);

    const JudgedString& Judged() const { return judged_; }
    strings::InspectionWalk& Walk() { return walk_; }
    const strings::InspectionWalk& Walk() const { return walk_; }
    // Whether an inspection of today went on; its id is 0 while it waits in the queue.
    bool Resumed() const { return resumed_; }
    qint64 InspectionId() const { return inspectionId_; }
    bool IsMissing(strings::Place place) const;

    // `reading` (a captured one, or none for a missing mark) addressed to `place` of this inspection.
    CaptureInput InputFor(strings::Place place, bool missing, CaptureInput reading) const;
    // What the store did with `input`: the place's reading is now in force, and a block marked
    // missing or read again is so in the walk as well.
    void Recorded(const CaptureInput& input, const CaptureReceipt& receipt);

    // The walk starts again at the first place it awaits, after places were marked missing.
    void StartAtFirstEmpty();

    // This inspection's verdicts, every place judged so far against the string's history.
    strings::InspectionVerdicts Verdicts() const;
    // The verdict of `place` among `verdicts`; none for a place not read.
    static const strings::ReadingVerdict* VerdictOf(const strings::InspectionVerdicts& verdicts, strings::Place place);

private:
    strings::InspectionRecord& Record() { return judged_.records.back(); }
    std::vector<strings::Place> Places(bool missingOnly) const;

    JudgedString judged_;  // its last record is this inspection's
    InspectionTarget target_;
    std::map<strings::Place, bool> filled_;  // whether marked missing
    strings::InspectionWalk walk_;
    bool resumed_ = false;
    qint64 inspectionId_ = 0;
};

} // namespace voltaryn::store
