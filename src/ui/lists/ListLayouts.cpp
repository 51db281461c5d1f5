#include "ui/lists/ListLayouts.h"

#include "memory/ManualDownload.h"
#include "recording/RecordingFile.h"

namespace voltaryn {
namespace {

const QStringList SaveAndPrint = {"Save", "Print"};

// The columns of a list whose titles are those of the files it saves, with their width samples.
std::vector<ListColumn> Columns(const RecordRow& titles, const std::vector<QString>& widthSamples)
{
    std::vector<ListColumn> columns;
    columns.reserve(titles.size());
    for (std::size_t c = 0; c < titles.size(); ++c)
        columns.push_back({titles[c], widthSamples.at(c)});
    return columns;
}

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
            Columns(RecordingTitles(range, tempUnit), {" 000000 ", "HH:NN:SS", "999999", "A400 mOhm", "999999",
                                                       "AAA999999A", "AOutCapUnit", "AAOutCapUnit", "AOutCapUnit"})};
}

ListLayout ManualListLayout()
{
    return {"ManualList", "Manual List", {"save", "Print"},
            Columns(ManualListTitles(), {" 000000 ", "AA-HH:NN:SS", "9999AAA99A", "A4AA00 mOhm", "AAAAAAAA",
                                         "AAAAAAA", "AOutCapUnitA", "AAOutCapUnitA", "AOutCapUnitA"})};
}

ListLayout DataListLayout(const std::string& range, const std::string& tempUnit)
{
    return {"DataList", "Data List", SaveAndPrint,
            Columns(RecordingTitles(range, tempUnit),
                    {" 000000000 ", "AAAHH:NN:SS", "99AAAAA9999", "A4AAA00 mOhm", "9AAA9AA999A9", "AAA99A9999A",
                     "AOutCapUnitAAA", "AAOutCapUnitAAA", "AOutCapUnitAAA"})};
}

ListLayout FileListLayout(const std::string& range, const std::string& tempUnit)
{
    return {"FileList", "File List", {"Plot", "Print"},
            {{"No.s", " 000000 "}, {"Time", "HH:NN:SS"}, {"V", "99999999"}, {range, "A400 mOhm"},
             {"Amp", "99999999"}, {tempUnit, "AAA999999A"}, {"In-Cap", "AOutCapUnit"},
             {"Out-Cap", "AAOutCapUnit"}, {"T-Cap", "AOutCapUnit"}}};
}

} // namespace voltaryn
