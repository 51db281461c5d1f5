#include "support/PanelHarness.h"

#include "ui/common/ScreenFit.h"

#include <QAbstractButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace voltaryn {
namespace {

using namespace testing;

class PanelWindowTest : public PanelHarness {
protected:
    std::vector<int> KnobsShown() const
    {
        std::vector<int> shown;
        for (int i = 0; i <= 6; ++i)
            if (!Child(QStringLiteral("RS(%1)").arg(i).toLatin1())->isHidden())
                shown.push_back(i);
        return shown;
    }
};

TEST_F(PanelWindowTest, StartsWithItsDesignStateAndRunningTimers)
{
    EXPECT_EQ(panel.windowTitle(), "Panel   V10.14");
    EXPECT_EQ(Label("LblCOM"), "No COM");
    EXPECT_EQ(Label("LblV"), "-999.9");
    EXPECT_TRUE(Child("SSPKeyButton")->isHidden());
    EXPECT_TRUE(Child("SSPSDClear")->isHidden());
    EXPECT_EQ(KnobsShown(), std::vector<int>{0});
    // An idle meter, not a segment test: nothing lit, the capacity rows empty.
    for (const char* element : {"UnitV", "UnitVOhm", "LcdHOLD", "LcdAh(0)", "HighODec(1)"})
        EXPECT_FALSE(Child(element)->isVisibleTo(&panel)) << element;
    EXPECT_EQ(Label("LblmAh(0)"), "");
    EXPECT_EQ(Label("LcdStale"), "Waiting for the meter");
    EXPECT_EQ(Child<QTimer>("Timer1")->interval(), 100);
    EXPECT_EQ(Child<QTimer>("Timer2")->interval(), 1000);
    EXPECT_EQ(Child<QTimer>("Timer3")->interval(), 10000);
    for (const char* timer : {"Timer1", "Timer2", "Timer3"})
        EXPECT_TRUE(Child<QTimer>(timer)->isActive()) << timer;
}

TEST_F(PanelWindowTest, DisplayTicksMirrorTheReadingConnectionAndRange)
{
    panel.PollTick();
    panel.PollTick();
    EXPECT_EQ(Label("LblCOM"), "No COM");
    EXPECT_EQ(Label("LblV"), "-999.9");
    panel.PollTick();
    EXPECT_EQ(Label("LblCOM"), "Connection");
    EXPECT_EQ(Label("LblV").toStdString(), session.reading.VoltageText);
    EXPECT_EQ(Label("LblOhm").toStdString(), session.reading.ResistanceText);
    EXPECT_EQ(Label("LblA").toStdString(), session.reading.CurrentText);
    EXPECT_EQ(Label("LblTemp").toStdString(), session.reading.TemperatureText);
    EXPECT_NE(session.reading.VoltageText, "-999.9");
    EXPECT_EQ(KnobsShown(), std::vector<int>{3});
    EXPECT_FALSE(Child("LcdStale")->isVisibleTo(&panel));

    meter.SetRangeCode(6);
    Rotation();
    EXPECT_EQ(KnobsShown(), std::vector<int>{6});
    meter.SetRangeCode(0);
    Rotation();
    EXPECT_TRUE(KnobsShown().empty());

    // Pulled out: the label says so and the panel keeps the last display.
    const QString voltage = Label("LblV");
    simulated.Unplug();
    Rotation();
    EXPECT_EQ(Label("LblCOM"), "Disconnected");
    EXPECT_EQ(Label("LblV"), voltage);
    EXPECT_TRUE(Child("LcdStale")->isVisibleTo(&panel)) << "an old value must not pass for a measurement";
    EXPECT_EQ(Label("LcdStale"), "Disconnected");
}

TEST_F(PanelWindowTest, EveryKeySendsItsReport)
{
    Rotation();
    struct Key {
        const char* name;
        const char* caption;  // empty for a picture button
        Bytes bytes;
    };
    const std::vector<Key> keys = {
        {"BtnM", "Single or Stop", {0, 65, 1, 1, 1, 0}}, {"BtnAM", "Auto Memory", {0, 65, 1, 1, 2, 0}},
        {"BtnDM", "Auto Data ", {0, 65, 1, 1, 3, 0}},    {"BtnLeft", "", {0, 65, 1, 1, 1, 0}},
        {"BtnBeeper", "", {0, 65, 1, 2, 1, 0}},          {"BtnCF", "", {0, 65, 1, 2, 2, 0}},
        {"BtnDown", "", {0, 65, 1, 2, 1, 0}},            {"BtnADJ", "0ADJ", {0, 65, 1, 3, 1, 0}},
        {"BtnDecimalPoint", "Decimal point", {0, 65, 1, 3, 2, 0}}, {"BtnUp", "", {0, 65, 1, 3, 1, 0}},
        {"BtnRead", "", {0, 65, 1, 4, 0, 0}},            {"BtnRight", "", {0, 65, 1, 4, 0, 0}},
        {"BtnRealTime", "Real Time", {0, 65, 1, 5, 2, 0}}, {"BtnInterval", "Inteval", {0, 65, 1, 5, 3, 0}},
        {"BtnCompOnOff", "COMP ON/OFF", {0, 65, 1, 6, 1, 0}}, {"BtnComp", "COMP", {0, 65, 1, 6, 2, 0}},
        {"BtnHoldOnOff", "Hold ON/OFF", {0, 65, 1, 7, 1, 0}}, {"BtnHold", "HOLD", {0, 65, 1, 7, 2, 0}},
    };
    EXPECT_EQ(Child("SSPKeyButton")->findChildren<QAbstractButton*>().size(), static_cast<qsizetype>(keys.size()));
    for (const Key& key : keys) {
        QAbstractButton* button = Child<QAbstractButton>(key.name);
        EXPECT_EQ(button->text(), key.caption) << key.name;
        EXPECT_TRUE(*key.caption != '\0' || !button->icon().isNull()) << key.name;
        button->click();
        EXPECT_EQ(LastRequest(), key.bytes) << key.name;
    }
}

TEST_F(PanelWindowTest, ModeKeysLeaveTheModeTheMeterShows)
{
    Rotation();
    Child<QAbstractButton>("BtnHold")->click();
    Rotation();
    ASSERT_FALSE(Child("LcdAUTOHOLD")->isHidden());
    Child<QAbstractButton>("BtnHold")->click();
    EXPECT_EQ(LastRequest(), (Bytes{0, 65, 1, 7, 1, 0}));
    Rotation();
    EXPECT_TRUE(Child("LcdAUTOHOLD")->isHidden());

    Child<QAbstractButton>("BtnRealTime")->click();
    Rotation();
    ASSERT_FALSE(Child("LcdTime")->isHidden());
    Child<QAbstractButton>("BtnRealTime")->click();
    EXPECT_EQ(LastRequest(), (Bytes{0, 65, 1, 5, 1, 0}));

    Child<QAbstractButton>("BtnAM")->click();
    Rotation();
    EXPECT_FALSE(Child("LcdAM")->isHidden());
    EXPECT_TRUE(session.reading.AutoMemoryOn);
}

TEST_F(PanelWindowTest, KeyButtonShowsAndHidesTheKeyPad)
{
    QAction* key = ToolbarButton("key");
    ASSERT_NE(key, nullptr);
    const int narrow = panel.width();

    key->trigger();
    EXPECT_FALSE(Child("SSPKeyButton")->isHidden());
    EXPECT_EQ(panel.width(), Twips::For(panel).ToPixels(7110));
    key->trigger();
    EXPECT_TRUE(Child("SSPKeyButton")->isHidden());
    EXPECT_EQ(panel.width(), narrow);
    EXPECT_EQ(narrow, Twips::For(panel).ToPixels(4785));
}

TEST_F(PanelWindowTest, ClickingTheConnectionLabelTogglesTheCaption)
{
    QLabel* label = Child<QLabel>("LblCOM");
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(panel.windowTitle(), "Panel   V10.14   2018.03.29.2");
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(panel.windowTitle(), "Panel   V10.14");
}

TEST_F(PanelWindowTest, DockedWindowsFollowThePanel)
{
    QWidget memory;
    QWidget dataList;
    memory.resize(200, 300);
    dataList.resize(300, 420);
    panel.show();
    panel.Dock(&memory, PanelWindow::DockPlace::RightEdge);
    panel.Dock(&dataList, PanelWindow::DockPlace::Below);
    panel.move(40, 30);
    const QRect frame = panel.frameGeometry();
    EXPECT_EQ(memory.pos(), QPoint(frame.right() + 1, frame.top()));
    // Below the panel there is no room left on the screen: the list moves up onto it.
    const QRect screen = panel.screen()->availableGeometry();
    ASSERT_GT(frame.bottom() + dataList.height(), screen.bottom());
    EXPECT_EQ(dataList.x(), frame.left());
    EXPECT_TRUE(screen.contains(dataList.frameGeometry())) << dataList.frameGeometry().bottom();
}

TEST(ScreenFit, WindowsAreMovedAndIfNeedBeShrunkOntoTheScreen)
{
    const QRect screen(0, 0, 1280, 1000);
    const std::vector<std::pair<QRect, QRect>> cases = {
        {{100, 100, 400, 300}, {100, 100, 400, 300}},     // already on the screen
        {{100, -30, 400, 300}, {100, 0, 400, 300}},       // title bar above the top
        {{0, 800, 400, 500}, {0, 500, 400, 500}},         // bottom edge below the screen
        {{1100, 100, 400, 300}, {880, 100, 400, 300}},    // off the right edge
        {{50, 50, 400, 1200}, {50, 0, 400, 1000}},        // taller than the screen
    };
    for (const auto& [frame, fitted] : cases)
        EXPECT_EQ(FitWithin(frame, screen), fitted) << frame.y();
}

} // namespace
} // namespace voltaryn
