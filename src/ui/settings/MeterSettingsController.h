#pragma once

#include "common/LocalTime.h"
#include "meter/MeterSession.h"
#include "recording/Recorder.h"
#include "ui/common/FeatureContext.h"
#include "ui/panel/ToolbarCommands.h"

namespace voltaryn {

// The meter's settings the toolbar changes: the average number, the meter's clock, and erasing
// the meter's automatic records.
class MeterSettingsController {
public:
    MeterSettingsController(const FeatureContext& context, MeterSession& meter, const Recorder& recorder,
                            PcClock pcClock)
        : context_(context), meter_(meter), recorder_(recorder), pcClock_(std::move(pcClock))
    {
    }

    void Register(ToolbarCommands& toolbar);

private:
    void AverageNumber();
    void Erase();
    void ClockSetup();
    QWidget* Parent() const { return &context_.mainWindow; }

    FeatureContext context_;
    MeterSession& meter_;
    const Recorder& recorder_;
    PcClock pcClock_;
};

} // namespace voltaryn
