#include "ui/lists/ListLayouts.h"

namespace voltaryn {
namespace {

const QStringList SaveAndPrint = {"Save", "Print"};

} // namespace

RecordRow ListLayout::Titles() const
{
    RecordRow titles;
    for (const ListColumn& column : columns)
        titles.push_back(column.title);
    return titles;
}

ListLayout RealTimeListLayout(const std::string& range, const std::string& tempUnit)
{
    return {"RealTimeList", "Real Time List", SaveAndPrint,
            {{"No.s", " 000000 "}, {"Time", "HH:NN:SS"}, {"V", "999999"}, {range, "A400 mOhm"},
             {"Amp", "999999"}, {tempUnit, "AAA999999A"}, {"In-Cap ", "AOutCapUnit"},
             {"Out-Cap ", "AAOutCapUnit"}, {"T-Cap ", "AOutCapUnit"}}};
}

ListLayout ManualListLayout()
{
    return {"ManualList", "Manual List", {"save", "Print"},
            {{"No.s", " 000000 "}, {"Time", "AA-HH:NN:SS"}, {"V", "9999AAA99A"}, {"(m)Ohm", "A4AA00 mOhm"},
             {"Amp", "AAAAAAAA"}, {"Temp", "AAAAAAA"}, {"In-Cap(m)Ah", "AOutCapUnitA"},
             {"Out-Cap(m)Ah", "AAOutCapUnitA"}, {"T-Cap(m)Ah", "AOutCapUnitA"}}};
}

ListLayout DataListLayout(const std::string& range, const std::string& tempUnit)
{
    return {"DataList", "Data List", SaveAndPrint,
            {{"No.s", " 000000000 "}, {"Time", "AAAHH:NN:SS"}, {"V", "99AAAAA9999"}, {range, "A4AAA00 mOhm"},
             {"Amp", "9AAA9AA999A9"}, {tempUnit, "AAA99A9999A"}, {"In-Cap ", "AOutCapUnitAAA"},
             {"Out-Cap ", "AAOutCapUnitAAA"}, {"T-Cap ", "AOutCapUnitAAA"}}};
}

ListLayout FileListLayout(const std::string& range, const std::string& tempUnit)
{
    return {"FileList", "File List", {"Plot", "Print"},
            {{"No.s", " 000000 "}, {"Time", "HH:NN:SS"}, {"V", "99999999"}, {range, "A400 mOhm"},
             {"Amp", "99999999"}, {tempUnit, "AAA999999A"}, {"In-Cap", "AOutCapUnit"},
             {"Out-Cap", "AAOutCapUnit"}, {"T-Cap", "AOutCapUnit"}}};
}

} // namespace voltaryn
