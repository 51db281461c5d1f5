#pragma once

#include "link/MeterCommands.h"
#include "meter/DisplayDecoder.h"
#include "meter/MeterKeys.h"
#include "sim/SimulatedHidBackend.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace voltaryn::sim {

// Where the simulated meter's clock and the cell bench start in these tests.
inline const SimTime DemoStart = std::chrono::sys_days{std::chrono::year{2024} / 3 / 15} + std::chrono::hours{10};

// The simulated meter driven through the real link, commands and decoder, on a clock that only
// the test moves. It starts connected.
struct SimHarness {
    SimHarness() { commands.IdentifyMeter(); }

    SimTime now = DemoStart;
    SimulatedMeter meter{[this] { return now; }};
    SimulatedHidBackend backend{meter};
    MeterLink link{backend};
    MeterCommands commands{link};
    MeterReading reading;
    PanelDisplay panel;

    void Advance(std::chrono::seconds duration) { now += duration; }

    // One display poll: read the display packet and decode it.
    const MeterReading& Poll()
    {
        panel = DecodeDisplay(*commands.ReadDisplay().value, reading);
        return reading;
    }

    bool Lit(StatusBit bit) const { return panel.lit[bit]; }

    // Clicks a key pad button as the panel does, so its variant follows the last decoded display.
    void Click(KeyButton button)
    {
        const KeyPress press = KeyPressFor(button, panel.lit);
        commands.PressKey(press.key, press.variant);
    }

    // The measured values of the last poll: four numeric fields and three capacity rows.
    std::array<std::string, 7> Values() const
    {
        const MeterReading& r = reading;
        return {r.VoltageText,     r.ResistanceText,  r.CurrentText,    r.TemperatureText,
                r.CapacityText[0], r.CapacityText[1], r.CapacityText[2]};
    }
};

// The demo's 12 V lead-acid battery, about 12.6 V, with the internal resistance given.
inline BatteryProfile LeadAcidWith(double internalOhms)
{
    BatteryProfile battery = LeadAcid12V;
    battery.internalOhms = internalOhms;
    return battery;
}

// Whether text has the shape given, where 'd' stands for any digit and every other character for
// itself: "dd.dd" fits "12.34" but not "1.234".
inline bool HasShape(std::string_view text, std::string_view shape)
{
    return std::equal(text.begin(), text.end(), shape.begin(), shape.end(),
                      [](char t, char s) { return s == 'd' ? t >= '0' && t <= '9' : t == s; });
}

} // namespace voltaryn::sim
