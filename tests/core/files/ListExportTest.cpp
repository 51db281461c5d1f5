// Lists saved as files, and files read back as lists.
#include "files/AtomicFile.h"
#include "files/CsvFormat.h"
#include "files/DataFileReader.h"
#include "files/FileTypeName.h"
#include "files/ListExport.h"

#include "common/CaseFile.h"
#include "common/TempFolder.h"

#include <gmock/gmock.h>

#include <fstream>
#include <functional>
#include <map>
#include <numeric>

namespace voltaryn {
namespace {

using ::testing::HasSubstr;

TEST(ListExportTest, WritesEachCellWithATabAndEachLineWithCrLf)
{
    const testing::TempFolder folder;
    const std::filesystem::path file = folder / "export.txt";
    for (const testing::TestCase& c : testing::ReadCases("export.txt")) {
        const RecordTable table{c.Rows("header").front(), c.Rows("row")};
        std::vector<int> progress;
        const FileStatus status = SaveGridFile(file, table, [&](int row) { progress.push_back(row); });
        EXPECT_TRUE(status.Ok()) << c.name << ": " << status.error;
        EXPECT_EQ(testing::FileBytes(file), c.Text("file")) << c.name;
        std::vector<int> everyRow(table.rows.size() + 1);
        std::iota(everyRow.begin(), everyRow.end(), 0);
        EXPECT_EQ(progress, everyRow) << c.name;
    }
}

TEST(ListExportTest, AListSavedAsCsvReadsBackWithTheSameCells)
{
    const testing::TempFolder folder;
    const RecordTable table{{"No.s", "Time", "V", "40 mOhm", "Amp", "Celsius"},
                            {{"1", "10:00:01", "12.63", "5.41(m)", "-2.000", "24.0 °C"},
                             {"2", "say \"hi\"", "1,5", "two\r\nlines", "", "°F"},
                             {"3", "=SUM(A1)", "-OL", "@x"},
                             {"4"}}};
    const std::filesystem::path file = folder / "list.CSV";
    ASSERT_TRUE(SaveGridFile(file, table).Ok());
    const std::string bytes = testing::FileBytes(file);
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBFNo.s,Time,V,40 mOhm,Amp,Celsius\r\n1,10:00:01,")) << bytes;
    EXPECT_NE(bytes.find("2,\"say \"\"hi\"\"\",\"1,5\",\"two\r\nlines\",,°F\r\n3,'=SUM(A1),'-OL,'@x,,\r\n4,,,,,\r\n"),
              std::string::npos)
        << bytes;

    const DataFile read = ReadDataFile(file);
    EXPECT_EQ(std::tuple(read.status.Ok(), read.rangeTitle, read.temperatureTitle), std::tuple(true, "40 mOhm", "Celsius"));
    RecordTable padded = table;
    for (RecordRow& row : padded.rows)
        row.resize(table.header.size());
    EXPECT_EQ(read.rows, padded.rows);
}

// A text that a spreadsheet would run as a formula is kept text by a leading ', in CSV cells as in
// tab-separated output and copied rows; numbers stay numbers, with a decimal comma too. A cell is
// quoted where it holds its file's separator.
TEST(ListExportTest, NoCsvCellStartsAFormula)
{
    const std::tuple<const char*, const char*, const char*, const char*> cells[] = {
        // text, guarded, CSV cell written with commas, with semicolons
        {"=1+2", "'=1+2", "'=1+2", "'=1+2"}, {"+1+2", "'+1+2", "'+1+2", "'+1+2"}, {"-1+2", "'-1+2", "'-1+2", "'-1+2"},
        {"@SUM(A1:A9)", "'@SUM(A1:A9)", "'@SUM(A1:A9)", "'@SUM(A1:A9)"}, {"\tx", "'\tx", "'\tx", "'\tx"},
        {"\rx", "'\rx", "\"'\rx\"", "\"'\rx\""},
        {"=HYPERLINK(\"http://x\",\"y\")", "'=HYPERLINK(\"http://x\",\"y\")",
         "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\"", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
        {"-2.008", "-2.008", "-2.008", "-2.008"}, {"-1e-05", "-1e-05", "-1e-05", "-1e-05"}, {"-.5", "-.5", "-.5", "-.5"},
        {"-2,5", "-2,5", "\"-2,5\"", "-2,5"}, {"-2,5,1", "'-2,5,1", "\"'-2,5,1\"", "'-2,5,1"},
        {"-inf", "'-inf", "'-inf", "'-inf"}, {"-", "'-", "'-", "'-"}, {"a=1", "a=1", "a=1", "a=1"},
        {"a;b", "a;b", "a;b", "\"a;b\""}, {"'=x", "'=x", "'=x", "'=x"}, {"", "", "", ""},
    };
    for (const auto& [text, guarded, comma, semicolon] : cells) {
        EXPECT_EQ(FormulaGuarded(text), guarded) << text;
        EXPECT_EQ(CsvCell(text), comma) << text;
        EXPECT_EQ(CsvCell(text, ';'), semicolon) << text;
    }
}

// Saved or read, a file that cannot be is told by its path and the reason, and nothing throws.
TEST(ListExportTest, AFileThatCannotBeWrittenOrReadIsToldByPathAndReason)
{
    const RecordTable table{{"No.s"}, {{"1"}}};
    using Use = std::function<FileStatus(const std::filesystem::path&)>;
    const Use save = [&table](const std::filesystem::path& path) { return SaveDataListFile(path, table); };
    const Use read = [](const std::filesystem::path& path) { return ReadDataFile(path).status; };
    const std::filesystem::path temp = ::testing::TempDir();
    const std::tuple<Use, std::filesystem::path, const char*> cases[] = {  // how, the file, the reason
        {save, temp / "no-such-folder" / "list.txt", "No such file or directory"},
        {save, "/dev/full", "No space left on device"},
        {read, temp / "no-such-file.txt", "No such file or directory"},
        {read, temp, "Is a directory"},
    };
    for (const auto& [use, path, reason] : cases) {
        FileStatus status;
        EXPECT_NO_THROW(status = use(path));
        EXPECT_FALSE(status.Ok()) << path;
        EXPECT_THAT(status.error, ::testing::AllOf(HasSubstr(path.string()), HasSubstr(reason)));
    }
}

// A save replaces the file whole or not at all: one that fails leaves the old file and no
// temporary file beside it; one that succeeds replaces it, keeping its permissions.
TEST(ListExportTest, AFailedSaveLeavesTheOldFile)
{
    const testing::TempFolder folder;
    const std::filesystem::path file = folder / "list.txt";
    const auto fails = [&file](std::FILE* out) {
        std::fputs("half a li", out);
        return FileError("write", file, ENOSPC);
    };
    const auto writes = [](std::FILE* out) {
        std::fputs("new\n", out);
        return FileStatus{};
    };
    using Case = std::tuple<std::function<FileStatus(std::FILE*)>, const char*, bool>;  // write, file left, replaced
    for (const auto& [write, left, replaced] : {Case{fails, "old\n", false}, Case{writes, "new\n", true}}) {
        { std::ofstream(file) << "old\n"; }
        std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
        EXPECT_EQ(ReplaceFile(file, write).Ok(), replaced);
        EXPECT_EQ(testing::FileBytes(file), left);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1);
        EXPECT_EQ(std::filesystem::status(file).permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }
}

TEST(ListExportTest, TheSavedNameGetsTheFileTypesExtensionWhenItLacksIt)
{
    const std::vector<testing::TestCase> cases = testing::ReadCases("file_type_names.txt");
    ASSERT_EQ(cases.size(), 8u);
    for (const testing::TestCase& c : cases)
        EXPECT_EQ(WithFileTypeExtension(c.Text("name"), c.Text("type")), c.Text("saved")) << c.name;
}

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
