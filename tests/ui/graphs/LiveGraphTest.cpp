#include "support/PanelHarness.h"

#include "ui/graphs/GraphSettingsDialog.h"
#include "ui/graphs/LiveGraphWindow.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPushButton>

#include <qcustomplot.h>

namespace voltaryn {
namespace {

using namespace testing;

class LiveGraphTest : public PanelHarness {
protected:
    LiveGraphTest() { Rotation(); }

    GraphSettingsDialog* Settings() const { return panel.findChild<GraphSettingsDialog*>("AllGraph"); }
    LiveGraphWindow* Graph() const { return panel.findChild<LiveGraphWindow*>("RealTimeAll"); }
    QStringList LegendShown() const
    {
        QStringList shown;
        for (const QLabel* label : Graph()->findChildren<QLabel*>())
            if (label->isVisibleTo(Graph()))
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
    EXPECT_EQ(LegendShown(), QStringList{"Ampere"});
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

} // namespace
} // namespace voltaryn
