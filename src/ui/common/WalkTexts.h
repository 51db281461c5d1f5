#pragma once

#include "cells/CaptureEngine.h"
#include "strings/StringWalk.h"
#include "strings/Verdicts.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace voltaryn {

// How the windows word a walk of a string: its places, readings, verdicts and refusals.
class WalkTexts {
    Q_DECLARE_TR_FUNCTIONS(WalkTexts)
public:
    // "Block 17", "Strap 17 → 18".
    static QString PlaceName(strings::Place place);
    // "Block 17 of 40"; a strap as PlaceName.
    static QString PlaceHeadline(strings::Place place, int blocks);
    static QString VerdictName(strings::Verdict verdict);
    // A strap's resistance in µΩ, a block's in mΩ.
    static QString ResistanceText(strings::PlaceKind kind, std::optional<double> milliohm);
    static QString VoltageText(std::optional<double> volts);
    // "+34.2 %", or empty.
    static QString ChangeText(std::optional<double> percent);
    // "Place the probes", "Settling 2/3", "Lift the probes".
    static QString StateText(const cells::CaptureStep& step);
    static QString ProblemText(cells::CaptureProblem problem);
    static QString RefusalText(strings::WalkRefusal refusal, std::optional<strings::Place> expected);
};

} // namespace voltaryn
