#include "files/DataFileReader.h"

#include "common/CaseFile.h"

#include <gmock/gmock.h>

#include <functional>
#include <map>
#include <numeric>

namespace voltaryn {
namespace {

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

} // namespace
} // namespace voltaryn
