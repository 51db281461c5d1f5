#include "support/PanelHarness.h"

#include "ui/common/NumberField.h"
#include "ui/graphs/DetailGraphWindow.h"
#include "ui/graphs/GraphSettingsDialog.h"
#include "ui/graphs/LiveGraphWindow.h"

#include <QPlainTextEdit>
#include <QProcess>

#include <algorithm>

#include <qcustomplot.h>

namespace voltaryn::testing {
namespace {

const QColor Teal(0, 128, 128);

// The first page of a PDF as the printer would put it on paper, at a low resolution.
QImage PdfPage(const QString& pdf)
{
    QProcess render;
    render.start("pdftoppm", {"-r", "30", "-f", "1", "-l", "1", "-png", "-singlefile", pdf, pdf});
    render.waitForFinished();
    return QImage(pdf + ".png");
}

bool HasColour(const QImage& image, const QColor& colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

class LiveGraphTest : public PanelHarness {
protected:
    LiveGraphTest() { Rotation(); }

    GraphSettingsDialog* Settings(const char* name = "AllGraph") const
    {
        return panel.findChild<GraphSettingsDialog*>(name);
    }
    // Confirms a settings dialog, which then goes.
    static void Confirm(GraphSettingsDialog* settings)
    {
        ASSERT_NE(settings, nullptr);
        settings->findChild<QPushButton*>("CmdOK")->click();
        DeleteClosed();
    }
    void StartGraph(const char* check)
    {
        Click("Graph");
        Settings()->findChild<QCheckBox*>(check)->setChecked(true);
        Confirm(Settings());
    }
    // Clicks the live graph and confirms the detail settings it opens.
    DetailGraphWindow* OpenDetail()
    {
        QTest::mouseClick(&Graph()->Plot(), Qt::LeftButton);
        Confirm(Settings("GraphDetail"));
        return panel.findChild<DetailGraphWindow*>("RealTimeGraph");
    }
    LiveGraphWindow* Graph() const { return panel.findChild<LiveGraphWindow*>("RealTimeAll"); }
    static QStringList LegendShown(const QWidget* window)
    {
        QStringList shown;
        for (const QLabel* label : window->findChildren<QLabel*>())
            if (label->objectName().startsWith("Lbl") && label->isVisibleTo(window))
                shown << label->text();
        return shown;
    }
};

// Asked twice, the settings dialog and then the graph window each exist once.
TEST_F(LiveGraphTest, OnlyTheCheckedChannelIsChartedAndARangeChangeEndsTheGraph)
{
    Click("Graph");
    Click("Graph");
    ASSERT_EQ(panel.findChildren<GraphSettingsDialog*>().size(), 1);
    EXPECT_EQ(Settings()->findChild<NumberField*>("AxisMaxO")->Value(), 420) << "400 mOhm range";
    EXPECT_FALSE(Settings()->findChild<QWidget*>("AxisMaxA")->isVisibleTo(Settings()));
    // A channel's box shows and hides its two fields and their labels.
    const char* fields[] = {"AxisMaxO", "AxisMinO", "LblMaxO", "LblMinO"};
    for (const bool checked : {true, false}) {
        Settings()->findChild<QCheckBox*>("CkOhm")->setChecked(checked);
        for (const char* field : fields)
            EXPECT_EQ(Settings()->findChild<QWidget*>(field)->isVisibleTo(Settings()), checked) << field;
    }
    Settings()->findChild<QCheckBox*>("CkA")->setChecked(true);
    EXPECT_TRUE(Settings()->findChild<QWidget*>("AxisMaxA")->isVisibleTo(Settings()));
    Confirm(Settings());

    ASSERT_EQ(panel.findChildren<LiveGraphWindow*>().size(), 1);
    EXPECT_TRUE(app.Graphs().Live().Running());
    EXPECT_EQ(LegendShown(Graph()), QStringList{"Ampere"});
    QCustomPlot& plot = Graph()->Plot();
    const auto shown = [](const QCPAxis* axis) { return axis->visible(); };
    EXPECT_EQ(std::ranges::count_if(plot.axisRect()->axes(QCPAxis::atLeft), shown), 1) << "one axis on the left";

    app.Graphs().Sample();
    app.Graphs().Sample();
    EXPECT_EQ(plot.graph(1)->dataCount(), 2) << "the current plot";
    EXPECT_EQ(plot.graph(0)->dataCount(), 0) << "the voltage plot is off";
    EXPECT_EQ(app.Graphs().State().GraphSampleIndex, 2);

    Click("Graph");  // nothing while the graph runs
    EXPECT_EQ(Settings(), nullptr);

    meter.SetRangeCode(4);
    Rotation();
    app.Graphs().Sample();
    DeleteClosed();
    EXPECT_EQ(Graph(), nullptr);
    EXPECT_FALSE(app.Graphs().Live().Running());

    // OK with no channel checked says why.
    Click("Graph");
    for (QCheckBox* box : Settings()->findChildren<QCheckBox*>())
        box->setChecked(false);
    dialogs.messages.clear();
    Confirm(Settings());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.front().contains("No channel is checked"));
}

TEST_F(LiveGraphTest, TheDetailGraphDrawsTheHistoryWithItsModesRangeFieldsAndReset)
{
    StartGraph("CkOhm");
    EXPECT_EQ(OpenDetail(), nullptr) << "nothing recorded yet";
    EXPECT_EQ(Settings("GraphDetail"), nullptr);

    for (int i = 0; i < 120; ++i)
        app.Graphs().Sample();
    OpenDetail();
    DetailGraphWindow* detail = OpenDetail();  // a second click replaces the detail graph
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(panel.findChildren<DetailGraphWindow*>().size(), 1);
    EXPECT_EQ(LegendShown(detail), QStringList{"Ohm"});
    EXPECT_EQ(detail->Graph().xAxis->range(), QCPRange(1, 120));
    EXPECT_EQ(detail->Graph().graph(3)->dataCount(), 120);
    EXPECT_EQ(detail->Graph().graph(0)->dataCount(), 0);

    auto* modes = detail->findChild<QComboBox*>("Combo1");
    EXPECT_EQ(modes->currentText(), "Normal");
    EXPECT_EQ(detail->findChild<QPlainTextEdit*>("txtDescription")->toPlainText(), "Normal mode");
    EXPECT_EQ(modes->count(), 7);
    EXPECT_TRUE(detail->Cursors().Visible());
    detail->ChooseTrackMode(modes->findText("PanXY"));
    EXPECT_TRUE(detail->Cursors().Visible());
    detail->ChooseTrackMode(modes->findText("ZoomX"));
    EXPECT_FALSE(detail->Cursors().Visible());
    EXPECT_EQ(detail->Cursors().Count(), 2);

    // A new horizontal minimum waits for the next change of a maximum.
    detail->findChild<NumberField*>("AxisMin(1)")->SetValue(50);
    EXPECT_EQ(detail->Graph().xAxis->range(), QCPRange(1, 120));
    detail->findChild<NumberField*>("AxisMax(1)")->SetValue(100);
    EXPECT_EQ(detail->Graph().xAxis->range(), QCPRange(50, 100));

    app.Graphs().State().DetailAxisLimits[AxisChannel::Resistance].Max = 7;
    detail->findChild<QPushButton*>("CmdReset")->click();
    DeleteClosed();
    EXPECT_EQ(panel.findChild<DetailGraphWindow*>("RealTimeGraph"), nullptr);
    ASSERT_NE(Settings("GraphDetail"), nullptr);
    EXPECT_EQ(Settings("GraphDetail")->findChild<NumberField*>("AxisMaxO")->Value(), 7);
}

// The resistance fields take the decimals of the range the live graph started with, in both
// settings dialogs and in the detail graph when its vertical fields act on the resistance axis.
TEST_F(LiveGraphTest, ResistanceFieldsShowTheDecimalsOfTheGraphsRange)
{
    meter.SetRangeCode(4);  // "4 Ohm"
    Rotation();
    StartGraph("CkOhm");
    app.Graphs().Sample();
    Graph()->findChild<QAction*>("Resize")->trigger();
    DeleteClosed();
    ASSERT_NE(Settings(), nullptr);
    EXPECT_EQ(Settings()->findChild<NumberField*>("AxisMaxO")->findChild<QLineEdit*>()->text(), "4.200");
    Settings()->findChild<NumberField*>("AxisMaxO")->stepBy(-1);
    EXPECT_EQ(Settings()->findChild<NumberField*>("AxisMaxO")->Value(), 4.199f);

    Confirm(Settings());
    app.Graphs().Sample();
    QTest::mouseClick(&Graph()->Plot(), Qt::LeftButton);
    ASSERT_NE(Settings("GraphDetail"), nullptr);
    EXPECT_EQ(Settings("GraphDetail")->findChild<NumberField*>("AxisMinO")->findChild<QLineEdit*>()->text(), "0.000");
    DetailGraphWindow* detail = OpenDetail();  // the second click raises the open settings
    ASSERT_NE(detail, nullptr);
    EXPECT_TRUE(panel.findChildren<GraphSettingsDialog*>("GraphDetail").isEmpty());
    EXPECT_EQ(detail->findChild<NumberField*>("AxisMax(2)")->findChild<QLineEdit*>()->text(), "4.199");
}

TEST_F(LiveGraphTest, PrintingGoesToTheChosenPrinterOnWhiteAndLeavesTheWindowAsItWas)
{
    StartGraph("CkV");
    app.Graphs().Sample();
    QWidget* detail = OpenDetail();
    ASSERT_NE(detail, nullptr);
    const std::pair<QWidget*, std::function<void()>> windows[] = {
        {Graph(), [this] { Graph()->findChild<QAction*>("Print")->trigger(); }},
        {detail, [detail] { detail->findChild<QPushButton*>("CmdPrint")->click(); }},
    };
    for (const auto& [window, print] : windows) {
        QTemporaryDir folder;
        dialogs.printToPdf = folder.filePath("graph.pdf");
        dialogs.onPrinter = [](QPrinter&) { return false; };  // cancelled
        print();
        EXPECT_FALSE(QFile::exists(dialogs.printToPdf));

        dialogs.onPrinter = nullptr;
        print();
        const QImage page = PdfPage(dialogs.printToPdf);
        const std::string name = window->objectName().toStdString();
        ASSERT_FALSE(page.isNull()) << name;
        EXPECT_FALSE(HasColour(page, Teal)) << name;
        EXPECT_EQ(window->palette().color(QPalette::Window), Teal);
        for (const QWidget* hidden : {window->findChild<QWidget*>("Toolbar1"), window->findChild<QWidget*>("FrmGraphic")})
            EXPECT_TRUE(hidden == nullptr || hidden->isVisibleTo(window)) << name;
    }
}

} // namespace
} // namespace voltaryn::testing
