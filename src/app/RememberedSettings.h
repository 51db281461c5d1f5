#pragma once

#include "graphs/GraphState.h"
#include "recording/Recorder.h"
#include "recording/SamplingSettings.h"

class QCommandLineOption;
class QCommandLineParser;
class QSettings;

namespace voltaryn {

// The choices the program keeps between runs besides the windows' places: the recording
// interval, the sampling choice and the graphs' channels. A setting never stored leaves the
// program's own start value; one out of range is not taken.
struct RememberedChoices {
    Recorder& recorder;
    SamplingSettings& sampling;
    GraphState& graphs;
};

void RestoreChoices(const QSettings& settings, const RememberedChoices& choices);
void StoreChoices(QSettings& settings, const RememberedChoices& choices);

// --reset-settings: everything remembered is forgotten before the program starts.
QCommandLineOption ResetSettingsOption();
void ResetSettingsIfAsked(const QCommandLineParser& options, QSettings& settings);

} // namespace voltaryn
