#pragma once

#include "meter/MeterSession.h"
#include "recording/Recorder.h"
#include "recording/SamplingSettings.h"
#include "ui/common/FeatureContext.h"
#include "ui/panel/ToolbarCommands.h"

namespace voltaryn {

// The toolbar's Sampling: the choice between the PC's sampling time, which paces the recorder,
// and the meter's own interval, and the one chosen set. It keeps the choice and the interval last
// read from or sent to the meter.
class SamplingController {
public:
    SamplingController(const FeatureContext& context, MeterSession& meter, Recorder& recorder)
        : context_(context), meter_(meter), recorder_(recorder)
    {
    }

    void Register(ToolbarCommands& toolbar);
    const SamplingSettings& Settings() const { return sampling_; }
    SamplingSettings& Settings() { return sampling_; }

private:
    void Sampling();
    void SetPcSampling();
    void SetMeterInterval();
    QWidget* Parent() const { return &context_.mainWindow; }

    FeatureContext context_;
    MeterSession& meter_;
    Recorder& recorder_;
    SamplingSettings sampling_;
};

} // namespace voltaryn
