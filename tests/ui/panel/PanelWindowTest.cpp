#include "ui/panel/PanelWindow.h"

#include "meter/MeterSession.h"
#include "sim/SimulatedHidBackend.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Passes everything to the simulated meter's backend and keeps every report written.
class RecordingBackend : public HidBackend {
public:
    explicit RecordingBackend(HidBackend& inner) : inner_(inner) {}
    std::vector<HidDeviceInfo> enumerate() override { return inner_.enumerate(); }
    bool open(const std::string& path) override { return inner_.open(path); }
    bool write(std::span<const std::uint8_t> report) override
    {
        written.emplace_back(report.begin(), report.end());
        return inner_.write(report);
    }
    ReadResult read(std::span<std::uint8_t> buffer, int timeoutMs) override { return inner_.read(buffer, timeoutMs); }
    void close() override { inner_.close(); }

    std::vector<Bytes> written;

private:
    HidBackend& inner_;
};

class PanelWindowTest : public ::testing::Test {
protected:
    PanelWindowTest() { meter.SetRangeCode(3); }

    template <typename T = QWidget>
    T* Child(const char* name) const
    {
        T* child = panel.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QString Label(const char* name) const { return Child<QLabel>(name)->text(); }
    Bytes LastRequest(std::size_t length = 6) const
    {
        const Bytes& report = recorder.written.back();
        return Bytes(report.begin(), report.begin() + static_cast<long>(length));
    }
    void Rotation()
    {
        for (int tick = 0; tick < 3; ++tick)
            panel.PollTick();
    }
    std::vector<int> KnobsShown() const
    {
        std::vector<int> shown;
        for (int i = 0; i <= 6; ++i)
            if (!Child(QStringLiteral("RS(%1)").arg(i).toLatin1())->isHidden())
                shown.push_back(i);
        return shown;
    }

    sim::SimulatedMeter meter;
    sim::SimulatedHidBackend simulated{meter};
    RecordingBackend recorder{simulated};
    MeterSession session{recorder};
    PanelWindow panel{session.commands, session.reading, session.pollLoop};
};

TEST_F(PanelWindowTest, StartsWithItsDesignStateAndRunningTimers)
{
    EXPECT_EQ(panel.windowTitle(), "Panel   V10.14");
    EXPECT_EQ(Label("LblCOM"), "No COM");
    EXPECT_EQ(Label("LblV"), "-999.9");
    EXPECT_TRUE(Child("SSPKeyButton")->isHidden());
    EXPECT_TRUE(Child("SSPSDClear")->isHidden());
    EXPECT_EQ(KnobsShown(), std::vector<int>{0});
    EXPECT_EQ(Child<QTimer>("Timer1")->interval(), 100);
    EXPECT_EQ(Child<QTimer>("Timer2")->interval(), 1000);
    EXPECT_EQ(Child<QTimer>("Timer3")->interval(), 10000);
    for (const char* timer : {"Timer1", "Timer2", "Timer3"})
        EXPECT_TRUE(Child<QTimer>(timer)->isActive()) << timer;
}

TEST_F(PanelWindowTest, TicksRotateThroughIdentifyRangeAndDisplay)
{
    panel.PollTick();
    EXPECT_EQ(LastRequest(), (Bytes{0, 65, 0, 1, 0, 0}));
    EXPECT_EQ(Label("LblCOM"), "No COM");
    panel.PollTick();
    EXPECT_EQ(LastRequest(), (Bytes{0, 65, 2, 4, 0, 0}));
    EXPECT_EQ(Label("LblV"), "-999.9");
    panel.PollTick();
    EXPECT_EQ(LastRequest(), (Bytes{0, 66, 0, 0, 0, 0}));
    EXPECT_EQ(recorder.written.size(), 3u);

    EXPECT_EQ(Label("LblCOM"), "Connection");
    EXPECT_EQ(Label("LblV").toStdString(), session.reading.VoltageText);
    EXPECT_EQ(Label("LblOhm").toStdString(), session.reading.ResistanceText);
    EXPECT_EQ(Label("LblA").toStdString(), session.reading.CurrentText);
    EXPECT_EQ(Label("LblTemp").toStdString(), session.reading.TemperatureText);
    EXPECT_NE(session.reading.VoltageText, "-999.9");
    EXPECT_EQ(KnobsShown(), std::vector<int>{3});
}

TEST_F(PanelWindowTest, ConnectionLabelFollowsTheMeter)
{
    simulated.Unplug();
    panel.PollTick();
    EXPECT_EQ(Label("LblCOM"), "Disconnected");
    EXPECT_EQ(session.pollLoop.PollState(), PollLoop::IdentifyState);

    simulated.Plug();
    meter.SetIdentification("KAV 72K");
    Rotation();
    EXPECT_EQ(Label("LblCOM"), "Device Error!!!");
    EXPECT_NE(Label("LblV"), "-999.9");

    meter.SetIdentification("KAV 71K");
    Rotation();
    EXPECT_EQ(Label("LblCOM"), "Connection");

    // Pulled out while connected: the pending read fails, the panel keeps the last display.
    const QString voltage = Label("LblV");
    simulated.Unplug();
    Rotation();
    EXPECT_EQ(Label("LblCOM"), "Disconnected");
    EXPECT_EQ(Label("LblV"), voltage);

    simulated.Plug();
    Rotation();
    EXPECT_EQ(Label("LblCOM"), "Connection");
}

TEST_F(PanelWindowTest, RangeKnobFollowsTheRangeSwitch)
{
    Rotation();
    ASSERT_EQ(KnobsShown(), std::vector<int>{3});
    meter.SetRangeCode(6);
    Rotation();
    EXPECT_EQ(KnobsShown(), std::vector<int>{6});
    EXPECT_EQ(session.reading.RangeText, "400 Ohm");

    meter.SetRangeCode(0);
    Rotation();
    EXPECT_TRUE(KnobsShown().empty());
    EXPECT_EQ(session.reading.RangeText, "400 Ohm");
    EXPECT_EQ(session.reading.LastRangeCode, 0);
}

TEST_F(PanelWindowTest, EveryKeySendsItsReport)
{
    Rotation();
    const std::vector<std::pair<const char*, Bytes>> keys = {
        {"BtnM", {0, 65, 1, 1, 1, 0}},         {"BtnAM", {0, 65, 1, 1, 2, 0}},
        {"BtnDM", {0, 65, 1, 1, 3, 0}},        {"BtnLeft", {0, 65, 1, 1, 1, 0}},
        {"BtnBeeper", {0, 65, 1, 2, 1, 0}},    {"BtnCF", {0, 65, 1, 2, 2, 0}},
        {"BtnDown", {0, 65, 1, 2, 1, 0}},      {"BtnADJ", {0, 65, 1, 3, 1, 0}},
        {"BtnDecimalPoint", {0, 65, 1, 3, 2, 0}}, {"BtnUp", {0, 65, 1, 3, 1, 0}},
        {"BtnRead", {0, 65, 1, 4, 0, 0}},      {"BtnRight", {0, 65, 1, 4, 0, 0}},
        {"BtnRealTime", {0, 65, 1, 5, 2, 0}},  {"BtnInterval", {0, 65, 1, 5, 3, 0}},
        {"BtnCompOnOff", {0, 65, 1, 6, 1, 0}}, {"BtnComp", {0, 65, 1, 6, 2, 0}},
        {"BtnHoldOnOff", {0, 65, 1, 7, 1, 0}}, {"BtnHold", {0, 65, 1, 7, 2, 0}},
    };
    for (const auto& [name, bytes] : keys) {
        Child<QAbstractButton>(name)->click();
        EXPECT_EQ(LastRequest(), bytes) << name;
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
    QAction* key = Child<QToolBar>("Toolbar1")->findChild<QAction*>("key");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->toolTip(), "button");
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

} // namespace
} // namespace voltaryn
