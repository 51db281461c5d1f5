#include "files/ListExport.h"

#include "common/TempFolder.h"

#include <gmock/gmock.h>

#include <numeric>

namespace voltaryn {
namespace {

using ::testing::HasSubstr;

TEST(ListExportTest, WritesEachCellWithATabAndEachLineWithCrLf)
{
    struct Case {
        const char* what;
        RecordTable table;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"header only",
         {{"No.s", "Time", "V", "(m)Ohm", "Amp", "Temp", "In-Cap(m)Ah", "Out-Cap(m)Ah", "T-Cap(m)Ah"}, {}},
         "No.s\tTime\tV\t(m)Ohm\tAmp\tTemp\tIn-Cap(m)Ah\tOut-Cap(m)Ah\tT-Cap(m)Ah\t\r\n"},
        {"rows", {{"No.s", "V"}, {{"1", "12.63"}, {"2", "-OL"}}}, "No.s\tV\t\r\n1\t12.63\t\r\n2\t-OL\t\r\n"},
        {"rows shorter than the header", {{"A", "B", "C"}, {{"1"}, {}}}, "A\tB\tC\t\r\n1\t\t\t\r\n\t\t\t\r\n"},
        {"cells kept as UTF-8", {{"°C"}, {{"24.0 °C"}}}, "\xC2\xB0" "C\t\r\n24.0 \xC2\xB0" "C\t\r\n"},
    };
    for (const auto& [what, table, bytes] : cases) {
        const testing::TempFolder folder;
        const std::filesystem::path file = folder / "export.txt";
        std::vector<int> progress;
        const FileStatus status = SaveGridFile(file, table, [&](int row) { progress.push_back(row); });
        EXPECT_TRUE(status.Ok()) << what << ": " << status.error;
        EXPECT_EQ(testing::FileBytes(file), bytes) << what;
        std::vector<int> everyRow(table.rows.size() + 1);
        std::iota(everyRow.begin(), everyRow.end(), 0);
        EXPECT_EQ(progress, everyRow) << what;
    }
}

TEST(ListExportTest, ReportsAFileThatCannotBeWritten)
{
    const RecordTable table{{"No.s"}, {{"1"}}};
    const std::vector<std::pair<std::filesystem::path, const char*>> cases = {
        {std::filesystem::path(::testing::TempDir()) / "no-such-folder" / "list.txt", "No such file or directory"},
        {"/dev/full", "No space left on device"},
    };
    for (const auto& [path, reason] : cases) {
        FileStatus status;
        EXPECT_NO_THROW(status = SaveDataListFile(path, table));
        EXPECT_FALSE(status.Ok()) << path;
        EXPECT_THAT(status.error, HasSubstr(path.string()));
        EXPECT_THAT(status.error, HasSubstr(reason));
    }
}

} // namespace
} // namespace voltaryn
