#include "support/PanelHarness.h"

#include "ui/graphs/DetailGraphWindow.h"
#include "ui/graphs/GraphSettingsDialog.h"
#include "ui/graphs/LiveGraphWindow.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <qcustomplot.h>

namespace voltaryn {
namespace {

using namespace testing;

class LiveGraphTest : public PanelHarness {
protected:
    LiveGraphTest() { Rotation(); }

    GraphSettingsDialog* Settings(const char* name = "AllGraph") const
    {
        return panel.findChild<GraphSettingsDialog*>(name);
    }
    void StartGraph(const char* check)
    {
        Click("Graph");
        Settings()->findChild<QCheckBox*>(check)->setChecked(true);
        Settings()->findChild<QPushButton*>("CmdOK")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed settings
    }
    // Clicks the live graph and confirms the detail settings it opens.
    DetailGraphWindow* OpenDetail()
    {
        QTest::mouseClick(&Graph()->Plot(), Qt::LeftButton);
        GraphSettingsDialog* detail = Settings("GraphDetail");
        EXPECT_NE(detail, nullptr);
        detail->findChild<QPushButton*>("CmdOK")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return panel.findChild<DetailGraphWindow*>("RealTimeGraph");
    }
    LiveGraphWindow* Graph() const { return panel.findChild<LiveGraphWindow*>("RealTimeAll"); }
    static QStringList LegendShown(const QWidget* window)
    {
        QStringList shown;
        for (const QLabel* label : window->findChildren<QLabel*>())
            if (label->isVisibleTo(window))
                shown << label->text();
        return shown;
    }
};

TEST_F(LiveGraphTest, OnlyTheCheckedChannelIsChartedAndARangeChangeEndsTheGraph)
{
    Click("Graph");
    ASSERT_NE(Settings(), nullptr);
    EXPECT_EQ(Settings()->findChild<QDoubleSpinBox*>("AxisMaxO")->value(), 420) << "400 mOhm range";
    EXPECT_FALSE(Settings()->findChild<QWidget*>("AxisMaxA")->isVisibleTo(Settings()));
    Settings()->findChild<QCheckBox*>("CkA")->setChecked(true);
    EXPECT_TRUE(Settings()->findChild<QWidget*>("AxisMaxA")->isVisibleTo(Settings()));
    Settings()->findChild<QPushButton*>("CmdOK")->click();

    ASSERT_NE(Graph(), nullptr);
    EXPECT_TRUE(app.State().graphs.RealTimeGraphActive);
    EXPECT_EQ(LegendShown(Graph()), QStringList{"Ampere"});
    QCustomPlot& plot = Graph()->Plot();
    int axesShown = 0;
    for (QCPAxis* axis : plot.axisRect()->axes(QCPAxis::atLeft))
        axesShown += axis->visible() ? 1 : 0;
    EXPECT_EQ(axesShown, 1);

    Graph()->Tick();
    Graph()->Tick();
    EXPECT_EQ(plot.graph(1)->dataCount(), 2) << "the current plot";
    EXPECT_EQ(plot.graph(0)->dataCount(), 0) << "the voltage plot is off";
    EXPECT_EQ(app.State().graphs.GraphSampleIndex, 2);

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed settings
    Click("Graph");  // nothing while the graph runs
    EXPECT_EQ(Settings(), nullptr);

    meter.SetRangeCode(4);
    Rotation();
    Graph()->Tick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Graph(), nullptr);
    EXPECT_FALSE(app.State().graphs.RealTimeGraphActive);
}

TEST_F(LiveGraphTest, TheDetailGraphDrawsEverySampleRecordedSoFar)
{
    StartGraph("CkOhm");
    EXPECT_EQ(OpenDetail(), nullptr) << "nothing recorded yet";
    EXPECT_EQ(Settings("GraphDetail"), nullptr);

    for (int i = 0; i < 120; ++i)
        Graph()->Tick();
    DetailGraphWindow* detail = OpenDetail();
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(LegendShown(detail), QStringList{"Ohm"});
    const QCPRange samples = detail->Plot().xAxis->range();
    EXPECT_EQ(samples.lower, 1);
    EXPECT_EQ(samples.upper, 120);
    EXPECT_EQ(detail->Plot().graph(3)->dataCount(), 120);
    EXPECT_EQ(detail->Plot().graph(0)->dataCount(), 0);

    OpenDetail();  // a second click replaces the detail graph
    EXPECT_EQ(panel.findChildren<DetailGraphWindow*>().size(), 1);
}

TEST_F(LiveGraphTest, PrintGoesToTheChosenPrinterAndLeavesTheWindowAsItWas)
{
    StartGraph("CkV");
    QTemporaryDir folder;
    dialogs.printToPdf = folder.filePath("graph.pdf");
    dialogs.onPrinter = [](QPrinter&) { return false; };  // cancelled
    Graph()->findChild<QAction*>("Print")->trigger();
    EXPECT_FALSE(QFile::exists(dialogs.printToPdf));

    dialogs.onPrinter = nullptr;
    Graph()->findChild<QAction*>("Print")->trigger();
    EXPECT_GT(QFileInfo(dialogs.printToPdf).size(), 1000);
    EXPECT_TRUE(Graph()->findChild<QToolBar*>("Toolbar1")->isVisibleTo(Graph()));
    EXPECT_EQ(Graph()->Plot().palette().color(QPalette::Window), QColor(0, 128, 128));
}

} // namespace
} // namespace voltaryn
