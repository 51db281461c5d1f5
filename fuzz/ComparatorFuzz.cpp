// Comparator entries as the meter sends them: one payload decoded, shown as its grid row and
// encoded again, and the whole table loaded from a meter that answers with the input's scripted
// replies.
#include "FuzzInput.h"
#include "FuzzTarget.h"
#include "ScriptedMeter.h"

#include "settings/ComparatorLoad.h"

namespace {

using namespace voltaryn;

// Bits 4..7 of the second flag byte carry nothing.
constexpr std::uint8_t SecondFlagBits = 0x0F;

void CheckPayload(const ComparatorPayload& payload)
{
    const ComparatorEntry entry = DecodeComparatorEntry(payload);
    for (const std::string& cell : ComparatorRow(1, entry))
        fuzz::Expect(!cell.empty(), "every cell of a row shows something");
    ComparatorPayload carried = payload;
    carried[9] &= SecondFlagBits;
    fuzz::Expect(EncodeComparatorEntry(entry) == carried, "an entry encodes to the payload it came from");
}

} // namespace

VOLTARYN_FUZZ_TARGET(Comparator)
{
    ComparatorPayload payload{};
    std::copy_n(data, std::min(size, payload.size()), payload.begin());
    CheckPayload(payload);

    fuzz::FuzzInput input(data, size);
    fuzz::ScriptedMeter meter(input);
    MeterCommands commands(meter.link);
    fuzz::NoEvents pump;
    ComparatorTable table;
    int rows = 0;
    const ComparatorLoadResult result = LoadComparatorTable(commands, table, pump, [&](const ComparatorRowTexts& row) {
        fuzz::Expect(row[0] == std::to_string(++rows), "rows arrive in entry order");
    });
    fuzz::Expect(result.entriesRead == rows, "every entry read gives a row");
    return 0;
}
