// devices, info and key: which meters there are, which one answers, and its keys.
#include "cli/Commands.h"

#include <cstdio>

namespace voltaryn::cli {
namespace {

std::string Hex4(std::uint16_t id)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04x", id);
    return text;
}

} // namespace

// Lists the meters without talking to them: one may be busy with another recorder. No meter is
// an empty list.
void RunDevices(CommandContext& context, const NoOptions& /*options*/)
{
    for (const HidDeviceInfo& meter : context.meter.Link().MeterInterfaces())
        context.output.Row(
            {{"path", meter.path}, {"vendor_id", Hex4(meter.vendorId)}, {"product_id", Hex4(meter.productId)}});
}

void RunInfo(CommandContext& context, const NoOptions& /*options*/)
{
    MeterAccess& meter = context.meter;
    meter.Connect();
    const MeterReading& reading = meter.Reading();
    const std::string connection = reading.MeterConnected ? "connected" : "disconnected";
    context.output.Line({{"identification", reading.IdentString},
                         {"device", meter.DevicePath()},
                         {"connection", connection},
                         {"range", reading.RangeText}},
                        "Identification: " + reading.IdentString + "\nDevice: " + meter.DevicePath()
                            + "\nConnection: " + connection + "\nRange: " + reading.RangeText);
}

const std::map<std::string, KeyButton>& KeyNames()
{
    static const std::map<std::string, KeyButton> names = {
        {"m", KeyButton::BtnM},
        {"am", KeyButton::BtnAM},
        {"dm", KeyButton::BtnDM},
        {"left", KeyButton::BtnLeft},
        {"beeper", KeyButton::BtnBeeper},
        {"cf", KeyButton::BtnCF},
        {"down", KeyButton::BtnDown},
        {"adj", KeyButton::BtnADJ},
        {"point", KeyButton::BtnDecimalPoint},
        {"up", KeyButton::BtnUp},
        {"read", KeyButton::BtnRead},
        {"right", KeyButton::BtnRight},
        {"time", KeyButton::BtnRealTime},
        {"interval", KeyButton::BtnInterval},
        {"comp-on-off", KeyButton::BtnCompOnOff},
        {"comp", KeyButton::BtnComp},
        {"hold-on-off", KeyButton::BtnHoldOnOff},
        {"hold", KeyButton::BtnHold},
    };
    return names;
}

// A mode key presses as the key pad's button does, after the display it sees; reading the
// display again afterwards tells whether the meter is still there.
void RunKey(CommandContext& context, const KeyOptions& options)
{
    MeterAccess& meter = context.meter;
    meter.Connect();
    const KeyPress press = KeyPressFor(KeyNames().at(options.name), meter.Session().pollLoop.Display().lit);
    meter.Commands().PressKey(press.key, press.variant);
    meter.Refresh();
}

} // namespace voltaryn::cli
