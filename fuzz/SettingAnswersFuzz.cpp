// An answer typed into the toolbar's input boxes, as each box reads it.
#include "FuzzInput.h"
#include "FuzzTarget.h"

#include "settings/SettingAnswers.h"

VOLTARYN_FUZZ_TARGET(SettingAnswers)
{
    using namespace voltaryn;
    using fuzz::Expect;
    const std::string_view text = fuzz::AsText({data, size});

    const NumberAnswer pc = PcSamplingAnswer(text);
    if (pc.kind == NumberAnswer::Kind::Value)
        Expect(pc.value >= 1 && pc.value <= 86400, "the PC interval stays within 1..86400");
    const NumberAnswer meter = MeterIntervalAnswer(text);
    if (meter.kind == NumberAnswer::Kind::Value)
        Expect(meter.value >= 1 && meter.value <= 255, "the meter interval stays within one byte");
    Expect(pc.kind == meter.kind, "both intervals read a text alike");

    const AverageAnswer average = AverageNumberAnswer(text);
    Expect(average.value == 2 || average.value == 4 || average.value == 8 || average.value == 16,
           "averaging is off, 4, 8 or 16");
    AverageDefaultText(average.value);
    return 0;
}
