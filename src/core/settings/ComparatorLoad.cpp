#include "settings/ComparatorLoad.h"

namespace voltaryn {

ComparatorLoadResult LoadComparatorTable(MeterCommands& commands, ComparatorTable& table, EventPump& pump,
                                         const ComparatorRowSink& sink)
{
    ComparatorLoadResult result;
    for (int number = ComparatorTable::FirstEntry; number <= ComparatorTable::LastEntry; ++number) {
        const Answer<ComparatorPayload> answer = commands.ReadComparatorEntry(number);
        if (!answer.Fresh())
            return result;
        table.At(number) = DecodeComparatorEntry(*answer.value);
        sink(ComparatorRow(number, table.At(number)));
        result.entriesRead = number;
        pump.LetEventsRun();
    }
    return result;
}

} // namespace voltaryn
