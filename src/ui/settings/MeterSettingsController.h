#pragma once

#include "ui/common/FeatureContext.h"
#include "ui/panel/ToolbarCommands.h"

namespace voltaryn {

// The meter's settings the toolbar changes: the sampling interval (the PC's or the meter's), the
// average number, the meter's clock, and erasing the meter's automatic records.
class MeterSettingsController {
public:
    explicit MeterSettingsController(const FeatureContext& context) : context_(context) {}

    void Register(ToolbarCommands& toolbar);

private:
    void Sampling();
    void SetPcSampling();
    void SetMeterInterval();
    void AverageNumber();
    void Erase();
    void ClockSetup();
    QWidget* Parent() const { return &context_.mainWindow; }

    FeatureContext context_;
};

} // namespace voltaryn
