#pragma once

#include "graphs/GraphState.h"
#include "recording/Recorder.h"
#include "recording/SamplingSettings.h"
#include "ui/graphs/GraphsController.h"
#include "ui/packs/PackBuilderWindow.h"

class QSettings;

namespace voltaryn {

// The choices the program keeps between runs besides the windows' places: the recording
// interval, the sampling choice, the graphs' channels and colour scheme, the Pack Builder's S and P. A setting never stored leaves the
// program's own start value; one out of range is not taken.
struct RememberedChoices {
    Recorder& recorder;
    SamplingSettings& sampling;
    GraphState& graphs;
    GraphsController& graphWindows;  // keeps the colour scheme
    PackShape& packShape;
};

void RestoreChoices(const QSettings& settings, const RememberedChoices& choices);
void StoreChoices(QSettings& settings, const RememberedChoices& choices);


} // namespace voltaryn
