// The Inspection window over the simulated string: a walk through its clicks and keys, stored and
// judged as voltaryn-cli inspect does it.
#include "support/PanelHarness.h"

#include "common/FileSizeLimit.h"
#include "store/StoreError.h"
#include "ui/cells/CaptureTile.h"
#include "ui/strings/StringChartView.h"
#include "ui/strings/TrendChartView.h"
#include "ui/strings/WalkController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTranslator>

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
    QStringList Header()
    {
        QStringList header;
        for (int column = 0; column < Table().columnCount(); ++column)
            header << Table().horizontalHeaderItem(column)->text();
        return header;
    }
};

template <typename T>
T& Field(QDialog& dialog, const char* name)
{
    T* field = dialog.findChild<T*>(name);
    EXPECT_NE(field, nullptr) << name;
    return *field;
}

bool Accepts(QDialog& dialog)
{
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
}

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

// A string is made in the window at a new site, refused while its figures are, and edited once
// inspected (its layout then stays); a year on, its next inspection is compared with the one before,
// or with none; a block marked missing is a row of its own.
TEST_F(WalkWindowTest, AStringIsMadeEditedAndItsInspectionsCompared)
{
    OpenWindow();
    EXPECT_EQ(Child<QLabel>("walkNotice")->text(),
              QStringLiteral("The database holds no battery string yet: add one with New String…"));
    dialogs.modal = [](QDialog& dialog) {
        Field<QComboBox>(dialog, "stringSite").setCurrentText(QStringLiteral("Plant"));
        EXPECT_EQ(Field<QLabel>(dialog, "stringProblem").text(), QStringLiteral("the string name is empty"));
        EXPECT_FALSE(Accepts(dialog));
        Field<QLineEdit>(dialog, "stringName").setText(QStringLiteral("Bank"));
        Field<QSpinBox>(dialog, "stringBlocks").setValue(2);
        EXPECT_EQ(Field<QSpinBox>(dialog, "stringCells").value(), 6) << "a 12 V VRLA block's cells";
        Field<QComboBox>(dialog, "stringNominal").setCurrentIndex(1);
        EXPECT_EQ(Field<QSpinBox>(dialog, "stringCells").value(), 3) << "a 6 V block's";
        Field<QComboBox>(dialog, "stringNominal").setCurrentIndex(2);
        Field<QSpinBox>(dialog, "stringCells").setValue(3);
        EXPECT_TRUE(Field<QLabel>(dialog, "stringProblem").text().startsWith(QStringLiteral("the block's cells do not make")));
        EXPECT_FALSE(Accepts(dialog));
        Field<QSpinBox>(dialog, "stringCells").setValue(6);
        Field<QComboBox>(dialog, "stringChemistry").setCurrentText(QStringLiteral("VLA"));
        EXPECT_EQ(Field<QSpinBox>(dialog, "stringCells").value(), 6) << "cells set by the user stay";
        EXPECT_EQ(Field<QLabel>(dialog, "stringHint").text(), QStringLiteral("Site \"Plant\" is new: it is added with the string."));
        EXPECT_EQ(Field<QTableWidget>(dialog, "stringPolicies").rowCount(), 5) << "the built-in policies";
        ASSERT_TRUE(Accepts(dialog));
        dialog.accept();
    };
    ClickAndWait("walkNewString");
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("String Inspection — Plant / Bank"));
    EXPECT_EQ(Child<QComboBox>("walkAgainst")->count(), 1) << "a first inspection has none to compare with";
    dialogs.modal = [](QDialog& dialog) {
        Field<QLineEdit>(dialog, "stringName").setText(QStringLiteral("Bank"));
        EXPECT_EQ(Field<QLabel>(dialog, "stringProblem").text(), QStringLiteral("Site \"Plant\" has a string \"Bank\" already"));
        EXPECT_FALSE(Accepts(dialog));
        dialog.reject();
    };
    ClickAndWait("walkNewString");
    // Another station adds the string first: the store's refusal is shown and what was typed is offered again.
    Store()->AddString({QStringLiteral("Plant"), QStringLiteral("Spare"), 2, 12, QStringLiteral("vrla"), 6, false});
    QStringList offered;
    dialogs.modal = [&offered](QDialog& dialog) {
        offered << Field<QLineEdit>(dialog, "stringName").text();
        if (offered.size() == 1) {
            Field<QLineEdit>(dialog, "stringName").setText(QStringLiteral("Spare"));
            dialog.accept();
        } else {
            dialog.reject();
        }
    };
    ClickAndWait("walkNewString");
    EXPECT_EQ(offered, QStringList({QString(), QStringLiteral("Spare")}));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.takeFirst(), QStringLiteral("Site \"Plant\" has a string \"Spare\" already"));
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("String Inspection — Plant / Bank")) << "the walk stays where it was";
    TakeOne();
    TakeOne();
    EXPECT_EQ(Headline(), QStringLiteral("Walk done"));

    // A year on: installed date and policies change, the layout stays; a policy file the core
    // refuses changes nothing.
    now += std::chrono::days{365};
    const QString refused = cellsFolder.filePath("refused.json");
    const QString tight = cellsFolder.filePath("tight.json");
    for (const auto& [file, text] : {std::pair{refused, R"({"policies": [{"rule": "baseline", "warnPercent": 60}]})"},
                                     std::pair{tight, R"({"policies": [{"name": "tight", "rule": "baseline", "warnPercent": 10, "failPercent": 20}]})"}}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
    }
    dialogs.modal = [&](QDialog& dialog) {
        EXPECT_FALSE(Field<QSpinBox>(dialog, "stringBlocks").isEnabled()) << "an inspected string keeps its blocks";
        Field<QCheckBox>(dialog, "stringInstalledKnown").setChecked(true);
        Field<QDateEdit>(dialog, "stringInstalled").setDate(QDate(2020, 5, 1));
        dialogs.openFileName = refused;
        Field<QPushButton>(dialog, "stringPolicyFile").click();
        EXPECT_EQ(Field<QTableWidget>(dialog, "stringPolicies").rowCount(), 5);
        dialogs.openFileName = tight;
        Field<QPushButton>(dialog, "stringPolicyFile").click();
        EXPECT_EQ(Field<QTableWidget>(dialog, "stringPolicies").rowCount(), 1);
        dialog.accept();
    };
    ClickAndWait("walkEditString");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("is not a policy file: policy 1 (\"baseline\"): \"warnPercent\" is above \"failPercent\"")))
        << dialogs.messages[0].toStdString();
    {
        auto store = Store();
        const std::optional<store::StringInfo> edited = store->FindString(QStringLiteral("Plant"), QStringLiteral("Bank"));
        ASSERT_TRUE(edited);
        EXPECT_EQ(edited->installed, QDate(2020, 5, 1));
        EXPECT_TRUE(edited->policiesJson.contains(QStringLiteral("tight")));
        store::StringInfo longer = *edited;
        longer.blocks = 3;
        EXPECT_THROW(store->EditString(longer), store::StoreError) << "the store keeps an inspected layout too";
    }

    // The new inspection beside last year's: a column of its values and the difference, thin bars in the chart.
    EXPECT_EQ(Child<QComboBox>("walkAgainst")->count(), 2);
    EXPECT_EQ(Child<QComboBox>("walkAgainst")->currentIndex(), 1) << "the latest earlier inspection";
    TakeOne();
    EXPECT_EQ(Header().last(), QStringLiteral("Difference"));
    EXPECT_EQ(Header()[6], QStringLiteral("tight"));
    EXPECT_FALSE(Table().item(0, 7)->text().isEmpty()) << "block 1 a year before";
    EXPECT_TRUE(Child<StringChartView>("stringChart")->Chart().bars[0].againstPercent);
    emit Child<QComboBox>("walkAgainst")->activated(0);
    EXPECT_FALSE(Header().contains(QStringLiteral("Difference")));
    EXPECT_FALSE(Child<StringChartView>("stringChart")->Chart().bars[0].againstPercent);
    AfterStore([this] { Key(Qt::Key_Space); });
    ASSERT_EQ(Table().rowCount(), 2);
    EXPECT_EQ(Table().item(1, 0)->text(), QStringLiteral("Block 2"));
    EXPECT_EQ(Table().item(1, 5)->text(), QStringLiteral("missing"));
}

// In German, a walk cut short goes on where it stopped: a reading a full disk refused is expected
// again, and the window opened again goes on with the same inspection, its places read kept.
TEST_F(WalkWindowTest, AWalkCutShortByAFullDiskOrAClosedWindowGoesOnWhereItStoppedInGerman)
{
    // German for as long as the test runs, however it ends.
    struct German {
        QTranslator translator;
        German() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
        ~German()
        {
            QCoreApplication::removeTranslator(&translator);
            QLocale::setDefault(QLocale::c());
        }
    } german;
    ASSERT_TRUE(german.translator.load(QStringLiteral("voltaryn_de"), VOLTARYN_TRANSLATIONS_DIR));
    QCoreApplication::installTranslator(&german.translator);
    {
        auto store = Store();
        store->AddSite({QStringLiteral("Werk")});
        store->AddString({QStringLiteral("Werk"), QStringLiteral("USV"), 3, 12, QStringLiteral("vrla"), 6, true});
    }
    OpenWindow();
    EXPECT_EQ(Child<QLabel>("walkNotice")->text(), QStringLiteral("Eine neue Prüfung dieses Strangs beginnt."));
    EXPECT_EQ(Headline(), QStringLiteral("Block 1 von 3"));
    TakeOne();
    EXPECT_EQ(Headline(), QStringLiteral("Verbinder 1 → 2"));
    EXPECT_TRUE(Child<QLabel>("tileCaption")->text().startsWith(QStringLiteral("Zuletzt: Block 1 +0,0 %")))
        << Child<QLabel>("tileCaption")->text().toStdString();
    {
        const FileSizeLimit full(512);  // the database's pages are written anywhere in its files
        TakeOne();
    }
    EXPECT_EQ(Headline(), QStringLiteral("Verbinder 1 → 2")) << "the strap the store refused is expected again";
    EXPECT_FALSE(Child<QLabel>("walkNotice")->text().isEmpty());
    EXPECT_EQ(Table().rowCount(), 1);
    Window().close();
    DeleteClosed();
    ASSERT_EQ(Controls().Window(), nullptr);
    OpenWindow();
    EXPECT_EQ(Child<QLabel>("walkNotice")->text(), QStringLiteral("Die heutige Prüfung dieses Strangs geht weiter."));
    EXPECT_EQ(Headline(), QStringLiteral("Verbinder 1 → 2"));
    EXPECT_EQ(Table().rowCount(), 1);
}

} // namespace
} // namespace voltaryn::testing
