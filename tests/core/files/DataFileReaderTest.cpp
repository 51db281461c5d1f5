#include "files/DataFileReader.h"
#include "files/ListExport.h"

#include "TempFile.h"

#include <gmock/gmock.h>

#include <numeric>

namespace voltaryn {
namespace {

using testing::HasSubstr;

TEST(DataFileReaderTest, TitlesComeFromTheHeaderLine)
{
    struct Case {
        std::string text;
        std::optional<std::string> range;
        std::optional<std::string> temperature;
    };
    const std::vector<Case> cases = {
        {"No.s\tTime\tV\t40 mOhm\tAmp\tCelsius\tIn-Cap \tOut-Cap \tT-Cap \r\n1\r\n", "40 mOhm", "Celsius"},
        {"No.s\tTime\tV\t400 mOhm\tAmp\tFahrenheih\tIn-Cap \tOut-Cap \tT-Cap ", "400 mOhm", "Fahrenheit"},
        {"No.s\tTime\tV\t(m)Ohm\tAmp\tTemp\tIn-Cap(m)Ah\tOut-Cap(m)Ah\tT-Cap(m)Ah\t\r\n", std::nullopt, "Fahrenheit"},
        {"40 Ohm\t4 Ohm\tcelsius\r\n", "4 Ohm", "Fahrenheit"},  // ranges tried in order; case counts
        {"", std::nullopt, std::nullopt},
    };
    for (const auto& [text, range, temperature] : cases) {
        const DataFile data = ParseDataFile(text);
        EXPECT_EQ(data.rangeTitle, range) << text;
        EXPECT_EQ(data.temperatureTitle, temperature) << text;
    }
}

TEST(DataFileReaderTest, ItemsBecomeRowsOfAtMostNineCells)
{
    struct Case {
        const char* what;
        std::string text;
        std::vector<RecordRow> rows;
    };
    const std::vector<Case> cases = {
        {"blanks removed", "H\r\n1\t 12.63 \t5.41 (m)\r\n", {{"1", "12.63", "5.41(m)"}}},
        {"a comma splits an item", "H,1\t2,3\r\n4\r\n", {{"1", "2"}, {"3"}, {"4"}}},
        {"last line without CR LF", "H\r\n1\t2\r\n3\t4", {{"1", "2"}, {"3", "4"}}},
        {"bare LF", "H\n1\n2\n", {{"1"}, {"2"}}},
        {"bare CR", "H\r1\t2\r3\r", {{"1", "2"}, {"3"}}},
        {"mixed line ends", "H\r\n1\r2\n3\r\n\r\n", {{"1"}, {"2"}, {"3"}, {}}},
        {"fields beyond the ninth dropped", "H\r\n1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\r\n",
         {{"1", "2", "3", "4", "5", "6", "7", "8", "9"}}},
        {"trailing TAB adds no cell", "H\r\n1\t2\t\r\n1\t \r\n", {{"1", "2"}, {"1"}}},
        {"empty fields kept", "H\r\n1\t\t3\r\n\r\n", {{"1", "", "3"}, {}}},
    };
    for (const auto& [what, text, rows] : cases) {
        std::vector<int> progress;
        const DataFile data = ParseDataFile(text, [&](int record) { progress.push_back(record); });
        EXPECT_EQ(data.rows, rows) << what;
        std::vector<int> everyRecord(rows.size());
        std::iota(everyRecord.begin(), everyRecord.end(), 1);
        EXPECT_EQ(progress, everyRecord) << what;
    }
}

TEST(DataFileReaderTest, ReadsUtf8AsItIsAndOtherBytesAsWindows1252)
{
    const std::vector<std::pair<std::string, RecordRow>> cases = {
        {"24.0\xC2\xB0" "C", {"24.0°C"}},
        {"24.0\xB0" "C\t\x80", {"24.0°C", "€"}},
        {"\xC2\xB0\t\xB0", {"Â°", "°"}},  // one 8-bit byte makes the whole file 8-bit
        {"\xC0\xB0", {"À°"}},              // an overlong form is not UTF-8
        {"\xE2\x82", {"â‚"}},              // nor a sequence cut short
    };
    for (const auto& [bytes, cells] : cases)
        EXPECT_EQ(ParseDataFile("H\r\n" + bytes).rows, std::vector<RecordRow>{cells}) << bytes;
}

TEST(DataFileReaderTest, WarnsOfAFileThatIsNoDataFileButReadsItAllTheSame)
{
    const std::string titles = "No.s\tTime\tV\t(m)Ohm\tAmp\tTemp\tIn-Cap(m)Ah\tOut-Cap(m)Ah\tT-Cap(m)Ah\t\r\n";
    const std::string record = "1\t10:00:02\t12.63\t05.41\t-2.000\t24.0\t0000(m)\t0002(m)\t-0002(m)\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t rows;
        const char* warning;  // a part of it; empty for none
    };
    const std::vector<Case> cases = {
        {"a list export", titles + record, 1, ""},
        {"an export of an empty list", titles, 0, ""},
        {"records under a foreign header", "Battery 7\r\n" + record, 1, ""},
        {"a recording with bare CR line ends",
         "No.s\tTime\tV\t4 Ohm\tAmp\tCelsius\tIn-Cap \tOut-Cap \tT-Cap \r" + record, 1, ""},
        {"a letter", "Dear meter\r\nplease record.\r\n", 1, "no line of nine TAB-separated fields"},
        {"an empty file", "", 0, "no line of nine TAB-separated fields"},
        {"a picture", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), 3, "not a text file"},
        {"control characters", titles + std::string(40, '\x01') + record, 1, "not a text file"},
    };
    for (const auto& [what, bytes, rows, warning] : cases) {
        const DataFile data = ParseDataFile(bytes);
        EXPECT_EQ(data.rows.size(), rows) << what;
        if (*warning == '\0')
            EXPECT_EQ(data.warning, "") << what;
        else
            EXPECT_THAT(data.warning, HasSubstr(warning)) << what;
    }
}

TEST(DataFileReaderTest, ReadsBackWhatTheListExportWrote)
{
    const RecordTable table{
        {"No.s", "Time", "V", "40 mOhm", "Amp", "Celsius", "In-Cap", "Out-Cap", "T-Cap"},
        {{"1", "10:00:02", "12.63", "05.41", "-2.000", "24.0°C", "0000(m)", "0002(m)", "-0002(m)"},
         {"2", "10:00:04", "-OL", "--", "-2.000", "75.2°F", "0000(m)", "0002(m)", "-0002(m)"}},
    };
    TempFile file("round-trip.txt");
    ASSERT_TRUE(SaveGridFile(file.Path(), table).Ok());

    const DataFile data = ReadDataFile(file.Path());
    EXPECT_TRUE(data.status.Ok()) << data.status.error;
    EXPECT_EQ(data.rangeTitle, "40 mOhm");
    EXPECT_EQ(data.temperatureTitle, "Celsius");
    EXPECT_EQ(data.rows, table.rows);
}

TEST(DataFileReaderTest, ReportsAFileThatCannotBeRead)
{
    const std::vector<std::pair<std::filesystem::path, const char*>> cases = {
        {std::filesystem::path(testing::TempDir()) / "no-such-file.txt", "No such file or directory"},
        {testing::TempDir(), "Is a directory"},
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
