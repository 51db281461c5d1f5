#include "app/ProgramOptions.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

TEST(ProgramOptionsTest, ReadsTheDemoSeedTheWindowTheDatabaseAndTheFile)
{
    struct Case {
        QStringList arguments;
        bool demo;
        std::optional<std::uint64_t> seed;
        bool cells;
        QString file;
        QString error;
    };
    const Case cases[] = {
        {{}, false, {}, false, "", ""},
        {{"--demo", "run.txt"}, true, {}, false, "run.txt", ""},
        {{"--demo-cells"}, true, 1, false, "", ""},
        {{"--demo-cells", "--cells"}, true, 1, true, "", ""},
        {{"--demo-cells", "7", "list.csv"}, true, 7, false, "list.csv", ""},
        {{"--demo-cells=12"}, true, 12, false, "", ""},
        {{"--demo-cells=x"}, true, 0, false, "", "the seed of --demo-cells is a whole number"},
    };
    for (const Case& c : cases) {
        const ProgramOptions options = ReadProgramOptions(QStringList{"voltaryn"} + c.arguments);
        const QString shown = c.arguments.join(' ');
        EXPECT_EQ(options.demo, c.demo) << shown.toStdString();
        EXPECT_EQ(options.cellSeed, c.seed) << shown.toStdString();
        EXPECT_EQ(options.openCellSorting, c.cells) << shown.toStdString();
        EXPECT_EQ(options.file, c.file) << shown.toStdString();
        EXPECT_EQ(options.error, c.error) << shown.toStdString();
    }
    EXPECT_EQ(ReadProgramOptions({"voltaryn", "--db", "postgresql://line/cells"}).storeAddress, "postgresql://line/cells");
}

} // namespace
} // namespace voltaryn
