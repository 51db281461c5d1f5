#include "files/DataFileReader.h"
#include "files/ListExport.h"

#include "common/CaseFile.h"
#include "common/TempFolder.h"

#include <gmock/gmock.h>

#include <functional>
#include <map>
#include <numeric>

namespace voltaryn {
namespace {

using ::testing::HasSubstr;

// What a case of tests/data/reader may expect of the file it reads, besides its rows.
const std::map<std::string, std::function<std::string(const DataFile&)>> Outcomes = {
    {"rows", [](const DataFile& d) { return std::to_string(d.rows.size()); }},
    {"range", [](const DataFile& d) { return d.rangeTitle.value_or("(none)"); }},
    {"temperature", [](const DataFile& d) { return d.temperatureTitle.value_or("(none)"); }},
    {"warning", [](const DataFile& d) { return d.warning; }},
};

TEST(DataFileReaderTest, ReadsEveryRecordedFile)
{
    const std::vector<testing::TestCase> cases = testing::ReadCases("reader");
    ASSERT_GE(cases.size(), 27u);
    for (const testing::TestCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> progress;
        const DataFile data = ParseDataFile(c.Text("file"), [&](int record) { progress.push_back(record); });
        std::vector<int> everyRecord(data.rows.size());
        std::iota(everyRecord.begin(), everyRecord.end(), 1);
        EXPECT_EQ(progress, everyRecord);
        for (const auto& [key, outcome] : Outcomes)
            for (const std::string& text : c.All(key))
                EXPECT_EQ(outcome(data), text) << key;
        if (const std::vector<RecordRow> rows = c.Rows("row"); !rows.empty()) {
            EXPECT_EQ(data.rows, rows);
        }
    }
}

TEST(DataFileReaderTest, ReadsBackWhatTheListExportWrote)
{
    const RecordTable table{
        {"No.s", "Time", "V", "40 mOhm", "Amp", "Celsius", "In-Cap", "Out-Cap", "T-Cap"},
        {{"1", "10:00:02", "12.63", "05.41", "-2.000", "24.0°C", "0000(m)", "0002(m)", "-0002(m)"},
         {"2", "10:00:04", "-OL", "--", "-2.000", "75.2°F", "0000(m)", "0002(m)", "-0002(m)"}},
    };
    const testing::TempFolder folder;
    const std::filesystem::path file = folder / "round-trip.txt";
    ASSERT_TRUE(SaveGridFile(file, table).Ok());

    const DataFile data = ReadDataFile(file);
    EXPECT_TRUE(data.status.Ok()) << data.status.error;
    EXPECT_EQ(data.rangeTitle, "40 mOhm");
    EXPECT_EQ(data.temperatureTitle, "Celsius");
    EXPECT_EQ(data.rows, table.rows);
}

TEST(DataFileReaderTest, ReportsAFileThatCannotBeRead)
{
    const std::vector<std::pair<std::filesystem::path, const char*>> cases = {
        {std::filesystem::path(::testing::TempDir()) / "no-such-file.txt", "No such file or directory"},
        {::testing::TempDir(), "Is a directory"},
    };
    for (const auto& [path, reason] : cases) {
        DataFile data;
        EXPECT_NO_THROW(data = ReadDataFile(path));
        EXPECT_FALSE(data.status.Ok()) << path;
        EXPECT_THAT(data.status.error, HasSubstr(path.string()));
        EXPECT_THAT(data.status.error, HasSubstr(reason));
    }
}

} // namespace
} // namespace voltaryn
