// The Inspection window over the simulated string: a walk through its clicks and keys, stored and
// judged as voltaryn-cli inspect does it.
#include "support/PanelHarness.h"

#include "ui/cells/CaptureTile.h"
#include "ui/strings/StringChartView.h"
#include "ui/strings/TrendChartView.h"
#include "ui/strings/WalkController.h"

#include <QFileInfo>
#include <QLabel>
#include <QTableWidget>

namespace voltaryn::testing {
namespace {

using namespace std::chrono_literals;

class WalkWindowTest : public StoreWindowHarness<WalkController, &Application::StringWalk> {
protected:
    WalkWindowTest() : StoreWindowHarness("Strings") { meter.SetStringBench(3, 4); }

    QString Headline() { return Child<QLabel>("tileGrade")->text(); }
    QTableWidget& Table() { return *Child<QTableWidget>("walkReadings"); }
    // Polls a poll period apart until the walk expects another place than now, then lets the store answer.
    void TakeOne()
    {
        const QString before = Headline();
        for (int poll = 0; poll < 3000 && Headline() == before; ++poll) {
            now += 100ms;
            app.Poll();
        }
        ASSERT_NE(Headline(), before) << "no capture";
        WaitForStore();
    }
    void Key(int key) { QTest::keyClick(&Window(), static_cast<Qt::Key>(key)); }
};

// Block 1 and its strap are taken as the probes meet them; Space marks block 2 missing and the
// walk passes over the straps beside it; Backspace goes back a place, whose next reading replaces
// the last; a block chosen with the arrow keys shows its trend and is retested with Return. The tile names the place
// next and shows the last reading's verdict; the chart's bars are the table's blocks.
TEST_F(WalkWindowTest, AWalkTakesEachPlaceAndItsKeysMoveIt)
{
    {
        auto store = Store();
        store->AddSite({QStringLiteral("Plant")});
        store->AddString({QStringLiteral("Plant"), QStringLiteral("UPS"), 4, 12, QStringLiteral("vrla"), 6, true,
                          QDate(2021, 1, 1)});
    }
    OpenWindow();
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("String Inspection — Plant / UPS"));
    EXPECT_EQ(Headline(), QStringLiteral("Block 1 of 4"));
    TakeOne();
    EXPECT_EQ(Headline(), QStringLiteral("Strap 1 → 2"));
    EXPECT_TRUE(Child<QLabel>("tileCaption")->text().startsWith(QStringLiteral("Last: Block 1 +0.0 % Pass")))
        << Child<QLabel>("tileCaption")->text().toStdString() << ": a first inspection is its own baseline";
    TakeOne();
    EXPECT_EQ(Headline(), QStringLiteral("Block 2 of 4"));
    AfterStore([this] { Key(Qt::Key_Space); });
    EXPECT_EQ(Headline(), QStringLiteral("Block 3 of 4")) << "the straps beside a missing block are passed over";
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Headline(), QStringLiteral("Strap 2 → 3"));
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Headline(), QStringLiteral("Block 2 of 4"));
    TakeOne();  // block 2 after all
    TakeOne();
    TakeOne();
    TakeOne();
    TakeOne();
    EXPECT_EQ(Headline(), QStringLiteral("Walk done"));
    Key(Qt::Key_Right);
    // The block chosen shows its trend: one inspection is too few for a line.
    ASSERT_TRUE(Child<TrendChartView>("trendChart")->Trend());
    EXPECT_EQ(Child<TrendChartView>("trendChart")->Trend()->block, 1);
    EXPECT_EQ(Child<TrendChartView>("trendChart")->Trend()->points.size(), 1u);
    EXPECT_TRUE(Child<QLabel>("trendForecast")->text().startsWith(QStringLiteral("Too few inspections")));
    Key(Qt::Key_Return);
    EXPECT_EQ(Headline(), QStringLiteral("Block 1 of 4"));
    TakeOne();
    EXPECT_EQ(Headline(), QStringLiteral("Walk done"));

    ASSERT_EQ(Table().rowCount(), 7) << "4 blocks and 3 straps";
    const report::StringChart& chart = Child<StringChartView>("stringChart")->Chart();
    ASSERT_EQ(chart.bars.size(), 4u);
    int blockRow = 0;
    for (int row = 0; row < Table().rowCount(); ++row) {
        if (!Table().item(row, 0)->text().startsWith(QStringLiteral("Block")))
            continue;
        const report::BlockBar& bar = chart.bars[static_cast<std::size_t>(blockRow++)];
        EXPECT_EQ(Table().item(row, 0)->text(), QStringLiteral("Block %1").arg(bar.block));
        EXPECT_EQ(Table().item(row, 5)->text().toLower().toStdString(), strings::VerdictName(bar.verdict));
    }
    // The report of the inspection, as voltaryn-cli inspection-report writes it.
    dialogs.saveFileName = cellsFolder.filePath("walk.pdf");
    AfterStore([this] { Click("walkReport"); });
    EXPECT_EQ(Child<QLabel>("walkNotice")->text(), QStringLiteral("Wrote the inspection's report to %1.").arg(dialogs.saveFileName));
    EXPECT_GT(QFileInfo(dialogs.saveFileName).size(), 10000);

    auto store = Store();
    const std::vector<store::InspectionInfo> inspections = store->Inspections(QStringLiteral("Plant"), QStringLiteral("UPS"));
    ASSERT_EQ(inspections.size(), 1u);
    // Block 1 twice, block 2 missing then read, three straps, blocks 3 and 4.
    EXPECT_EQ(store->InspectionReadings(inspections[0].id).size(), 9u);
}

} // namespace
} // namespace voltaryn::testing
