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

} // namespace
} // namespace voltaryn
