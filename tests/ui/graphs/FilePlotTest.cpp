#include "support/PanelHarness.h"

#include "ui/common/NumberField.h"
#include "ui/graphs/PlotWindow.h"

#include <QPlainTextEdit>

#include <qcustomplot.h>

#include <fstream>

namespace voltaryn::testing {
namespace {

// A data file opened into the file list, whose columns the tests plot.
class FilePlotTest : public PanelHarness {
protected:
    FilePlotTest()
    {
        dialogs.openFileName = folder.filePath("bench.txt");
        std::ofstream(dialogs.openFileName.toStdString(), std::ios::binary)
            << "No.s\tTime\tV\t40 mOhm\tAmp\tCelsius\tIn-Cap \tOut-Cap \tT-Cap \r\n"
               "1\t10:00:01\t12.50\t5.41(m)\t-2.000\t24.0\t1.234(mAh)\t0002(m)\t-0002(m)\r\n"
               "2\t10:00:02\t-OL*\t5.41(m)\t-2.000\t24.0\t1.234(mAh)\t0002(m)\t-0002(m)\r\n"
               "3\t10:00:03\t12.40*\t5.41(m)\t-2.000\t24.0\t1.234(mAh)\t0002(m)\t-0002(m)\r\n"
               "4\t10:00:04\t12.30\t5.41(m)\t-2.000\t24.0\t1.234(mAh)\t0002(m)\t-0002(m)\r\n"
               "5\t10:00:05\t12.20*\t5.41(m)\t-2.000\t24.0\t1.234(mAh)\t0002(m)\t-0002(m)\r\n";
        Click("Open");
    }

    void ClickColumn(int column) const { ClickCell(List("FileList")->Grid(), 0, column); }
    PlotWindow* Plot() const { return panel.findChild<PlotWindow*>("Plot"); }
    template <typename T>
    T* In(const char* name) const { return Plot()->findChild<T*>(name); }
    QString ReadOut(const char* name) const { return In<QLabel>(name)->text(); }

    QTemporaryDir folder;
};

// The time column plots nothing, and the Plot button says how to plot.
TEST_F(FilePlotTest, OnlyAValueColumnPlotsWithItsAxesMarkersAndModes)
{
    ClickColumn(1);
    List("FileList")->findChild<QAction*>("Plot")->trigger();
    EXPECT_EQ(dialogs.messages, QStringList({"Invalid, try again!", "Move mouse pointer to the list data then click to plot."}));
    EXPECT_EQ(Plot(), nullptr);

    const QString caption = panel.windowTitle();
    // While the column is read neither the poll nor the recorder runs, and the grid's current row
    // goes through the records.
    QStringList whileReading;
    pump.onEvents = [this, &whileReading] {
        whileReading << QStringLiteral("%1%2 row %3")
                            .arg(Polling() ? "P" : "-", app.Beat().Running(RunTask::RecorderSecond) ? "R" : "-")
                            .arg(List("FileList")->Grid().currentIndex().row());
    };
    ClickColumn(2);
    pump.onEvents = nullptr;
    EXPECT_EQ(whileReading, QStringList({"-- row 0", "-- row 1", "-- row 2", "-- row 3", "-- row 4"}));
    EXPECT_TRUE(app.Beat().Running(RunTask::RecorderSecond));
    ASSERT_NE(Plot(), nullptr);
    EXPECT_EQ(panel.windowTitle(), caption);
    EXPECT_TRUE(Polling());
    QCustomPlot& graph = Plot()->Graph();
    EXPECT_EQ(graph.xAxis->range(), QCPRange(1, 5));
    EXPECT_EQ(graph.yAxis->range(), QCPRange(-67, 67));
    EXPECT_EQ(graph.yAxis->label(), "Volt");
    EXPECT_EQ(ReadOut("Label2"), "Volt :");
    ASSERT_EQ(graph.graph(0)->dataCount(), 5);
    EXPECT_EQ(graph.graph(0)->data()->at(1)->value, 0) << "-OL";
    // The overloaded record carries no pause mark; record 3 pauses, 4 starts, 5 pauses to the end.
    QStringList markers;
    for (int i = 0; i < graph.itemCount(); ++i) {
        if (auto* text = qobject_cast<QCPItemText*>(graph.item(i)))
            markers << text->text();
        else if (auto* point = qobject_cast<QCPItemTracer*>(graph.item(i)))
            markers << QString::number(point->graphKey());
    }
    EXPECT_EQ(markers, QStringList({"3", "Pause", "4", "Start", "5", "Pause"}));

    EXPECT_EQ(In<QComboBox>("Combo1")->currentText(), "Normal");
    EXPECT_EQ(In<QPlainTextEdit>("txtDescription")->toPlainText(), "Normal mode");
    EXPECT_EQ(In<QComboBox>("Combo1")->count(), 8);

    // The range fields apply at once, the minimum too; the cursor starts mid-view.
    In<NumberField>("AxisMax(1)")->SetValue(101);
    In<NumberField>("AxisMin(2)")->SetValue(-2);
    In<NumberField>("AxisMax(2)")->SetValue(2);
    EXPECT_EQ(graph.xAxis->range(), QCPRange(1, 101));
    Plot()->ChooseTrackMode(1);
    EXPECT_EQ(In<QPlainTextEdit>("txtDescription")->toPlainText(),
              "Drag the cursor with your mouse to get X and Y position.");
    EXPECT_EQ(Plot()->Cursors().Count(), 1);
    EXPECT_EQ(ReadOut("XPosition"), "51");
    EXPECT_EQ(ReadOut("YPosition"), "0.000000000");
    Plot()->ChooseTrackMode(3);  // PanX
    EXPECT_EQ(Plot()->Cursors().Count(), 0);

    In<QPushButton>("CmdReset")->click();
    EXPECT_EQ(graph.xAxis->range(), QCPRange(1, 5));
    EXPECT_EQ(graph.yAxis->range(), QCPRange(-67, 67));

    ClickColumn(6);  // the same window, another column: mAh in Ah, the axis from the first record
    EXPECT_EQ(panel.findChildren<PlotWindow*>().size(), 1);
    EXPECT_DOUBLE_EQ(graph.graph(0)->data()->at(0)->value, 0.001234);
    EXPECT_FLOAT_EQ(static_cast<float>(graph.yAxis->range().upper), 9.999F);

    // Printing starts from the normal mode without cursors, even when the printer is cancelled.
    Plot()->ChooseTrackMode(1);
    In<QPushButton>("CmdPrint")->click();
    EXPECT_EQ(In<QComboBox>("Combo1")->currentText(), "Normal");
    EXPECT_EQ(Plot()->Cursors().Count(), 0);
    dialogs.printToPdf = folder.filePath("plot.pdf");
    In<QPushButton>("CmdPrint")->click();
    EXPECT_GT(QFileInfo(dialogs.printToPdf).size(), 1000);
    EXPECT_TRUE(In<QWidget>("FrmGraphic")->isVisibleTo(Plot()));
}

// A drag across the plot in each track mode: what moves (the horizontal axis "x", the vertical "y"),
// by panning ("P") or by zooming to the dragged rectangle ("Z"), and how many cursors stay shown.
TEST_F(FilePlotTest, ADragPansOrZoomsTheAxesEachTrackModeNamesAndTheCursorsFollowItsRule)
{
    ClickColumn(2);
    ASSERT_NE(Plot(), nullptr);
    Plot()->resize(1000, 600);
    Plot()->show();
    QCustomPlot& graph = Plot()->Graph();
    const QRect area = graph.axisRect()->rect();
    const QPoint from = area.center() - QPoint(area.width() / 5, area.height() / 5);
    const QPoint to = area.center() + QPoint(area.width() / 5, area.height() / 5);
    const auto moved = [&graph](const QCPRange& x, const QCPRange& y) {
        const auto how = [](const QCPRange& before, const QCPRange& after) {
            if (before == after)
                return "";
            return std::abs(after.size() - before.size()) < 1e-9 * before.size() ? "P" : "Z";
        };
        return std::string(how(x, graph.xAxis->range())) + (x == graph.xAxis->range() ? "" : "x") +
               how(y, graph.yAxis->range()) + (y == graph.yAxis->range() ? "" : "y");
    };
    const std::tuple<const char*, std::string, int> modes[] = {
        {"Normal", "", 0},   {"Cursor Coordinates", "", 1}, {"PanXY", "PxPy", 1}, {"PanX", "Px", 0},
        {"PanY", "Py", 0},   {"ZoomXY", "ZxZy", 0},          {"ZoomX", "Zx", 0},     {"ZoomY", "Zy", 0},
    };
    for (const auto& [name, expected, cursors] : modes) {
        In<QPushButton>("CmdReset")->click();
        Plot()->ChooseTrackMode(In<QComboBox>("Combo1")->findText(name));
        const QCPRange x = graph.xAxis->range();
        const QCPRange y = graph.yAxis->range();
        QTest::mousePress(&graph, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(&graph, from + (to - from) * step / 4);
        QTest::mouseRelease(&graph, Qt::LeftButton, {}, to);
        EXPECT_EQ(moved(x, y), expected) << name;
        EXPECT_EQ(Plot()->Cursors().Count(), cursors) << name;
    }
}

} // namespace
} // namespace voltaryn::testing
