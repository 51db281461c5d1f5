#include "app/ProgramOptions.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

TEST(ProgramOptionsTest, ReadsTheDemoSeedAndDaysTheWindowTheDatabaseAndTheFile)
{
    struct Case {
        QStringList arguments;
        bool demo;
        std::optional<std::uint64_t> seed;
        std::optional<int> days;
        bool cells;
        QString file;
        QString error;
    };
    const QString DaysRefused = "--demo-days is a whole number of days from 1 to 3650";
    const Case cases[] = {
        {{}, false, {}, {}, false, "", ""},
        {{"--demo", "run.txt"}, true, {}, {}, false, "run.txt", ""},
        {{"--demo-cells"}, true, 1, {}, false, "", ""},
        {{"--demo-cells", "--cells"}, true, 1, {}, true, "", ""},
        {{"--demo-cells", "7", "list.csv"}, true, 7, {}, false, "list.csv", ""},
        {{"--demo-cells=12"}, true, 12, {}, false, "", ""},
        {{"--demo-cells=x"}, true, 0, {}, false, "", "the seed of --demo-cells is a whole number"},
        {{"--demo-cells", "--demo-days", "14"}, true, 1, 14, false, "", ""},
        {{"--demo-days=3650", "--demo-cells=7"}, true, 7, 3650, false, "", ""},
        {{"--demo-cells", "--demo-days=0"}, true, 1, 0, false, "", DaysRefused},
        {{"--demo-cells", "--demo-days", "3651"}, true, 1, 3651, false, "", DaysRefused},
        {{"--demo-cells", "--demo-days", "two"}, true, 1, 0, false, "", DaysRefused},
        {{"--demo-days", "14"}, false, {}, 14, false, "", "--demo-days needs --demo-cells"},
    };
    for (const Case& c : cases) {
        const ProgramOptions options = ReadProgramOptions(QStringList{"voltaryn"} + c.arguments);
        const QString shown = c.arguments.join(' ');
        EXPECT_EQ(options.demo, c.demo) << shown.toStdString();
        EXPECT_EQ(options.cellSeed, c.seed) << shown.toStdString();
        EXPECT_EQ(options.storageDays, c.days) << shown.toStdString();
        EXPECT_EQ(options.openCellSorting, c.cells) << shown.toStdString();
        EXPECT_EQ(options.file, c.file) << shown.toStdString();
        EXPECT_EQ(options.error, c.error) << shown.toStdString();
    }
    EXPECT_EQ(ReadProgramOptions({"voltaryn", "--db", "postgresql://line/cells"}).storeAddress, "postgresql://line/cells");
}

// --demo-string puts a string on the probes as --demo-cells puts cells, the two never together;
// --demo-blocks sizes it.
TEST(ProgramOptionsTest, ReadsTheDemoStringAndItsBlocks)
{
    struct Case {
        QStringList arguments;
        std::optional<std::uint64_t> seed;
        int blocks;
        QString error;
    };
    const QString BlocksRefused = "--demo-blocks is a whole number of blocks from 1 to 1000";
    const Case cases[] = {
        {{"--demo-string"}, 1, 24, ""},
        {{"--demo-string", "9", "--demo-blocks", "1000"}, 9, 1000, ""},
        {{"--demo-blocks=1", "--demo-string=3"}, 3, 1, ""},
        {{"--demo-string=x"}, 0, 24, "the seed of --demo-string is a whole number"},
        {{"--demo-string", "--demo-blocks", "0"}, 1, 0, BlocksRefused},
        {{"--demo-string", "--demo-blocks", "1001"}, 1, 1001, BlocksRefused},
        {{"--demo-cells", "--demo-blocks", "12"}, {}, 12, "--demo-blocks needs --demo-string"},
        {{"--demo-cells", "--demo-string"}, 1, 24,
         "--demo-cells and --demo-string exclude each other: the probes are on cells or on a string"},
        {{"--demo-string", "--demo-days", "14"}, 1, 24, "--demo-days needs --demo-cells"},
    };
    for (const Case& c : cases) {
        const ProgramOptions options = ReadProgramOptions(QStringList{"voltaryn"} + c.arguments);
        const std::string shown = c.arguments.join(' ').toStdString();
        EXPECT_TRUE(options.demo) << shown;
        EXPECT_EQ(options.stringSeed, c.seed) << shown;
        EXPECT_EQ(options.stringBlocks, c.blocks) << shown;
        EXPECT_EQ(options.error, c.error) << shown;
    }
}

} // namespace
} // namespace voltaryn
