#include "support/PanelHarness.h"

#include "ui/settings/RtcSetupDialog.h"

namespace voltaryn::testing {
namespace {

class ClockWindowTest : public PanelHarness {
protected:
    ClockWindowTest() { Rotation(); }

    // Opens the clock window from the toolbar and runs `use` on it while it is open.
    void WithClockWindow(const std::function<void(RtcSetupDialog&)>& use)
    {
        dialogs.modal = [&](QDialog& dialog) {
            EXPECT_FALSE(Polling());
            use(dynamic_cast<RtcSetupDialog&>(dialog));
        };
        Click("TimeSet");
    }
    QString Text(QWidget& window, const char* label) { return window.findChild<QLabel*>(label)->text(); }
};

TEST_F(ClockWindowTest, AsksTheMeterOnlyWhileItsLabelIsOnAndSetsItFromOneInstant)
{
    bool opened = false;
    WithClockWindow([&](RtcSetupDialog& window) {
        opened = true;
        EXPECT_EQ(window.windowTitle(), "Setup");
        const std::size_t before = backend.written.size();
        window.Tick();
        window.Tick();
        EXPECT_EQ(backend.written.size(), before) << "both labels off: nothing is sent";
        EXPECT_EQ(Text(window, "LblMeterTime"), "Meter Time");

        QTest::mouseClick(window.findChild<QLabel*>("LblMeterTime"), Qt::LeftButton);
        QTest::mouseClick(window.findChild<QLabel*>("LblPCTime"), Qt::LeftButton);
        pcNow = {.year = 2026, .month = 12, .day = 31, .hour = 23, .minute = 59, .second = 59};
        window.findChild<QPushButton*>("CmdSetTime")->click();
        EXPECT_EQ(LastRequest(10), (Bytes{0, 65, 3, 1, 26, 12, 31, 23, 59, 59}));
        window.Tick();
        EXPECT_EQ(LastRequest(), (Bytes{0, 65, 2, 1, 0, 0}));
        EXPECT_EQ(Text(window, "LblMeterTime"), "31:23:59:59") << "the meter's clock now reads the PC's time";
        EXPECT_EQ(Text(window, "LblPCTime"), "31:23:59:59");

        QTest::mouseClick(window.findChild<QLabel*>("LblMeterTime"), Qt::LeftButton);
        window.Tick();
        EXPECT_EQ(Text(window, "LblMeterTime"), "Meter Time");
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(Polling()) << "closing the window resumes polling";
}

TEST_F(ClockWindowTest, RefusedWhileRecording)
{
    dialogs.saveFileName = QString::fromStdString((::testing::TempDir() + "clock-refused.txt"));
    Click("Save");
    bool opened = false;
    WithClockWindow([&](RtcSetupDialog&) { opened = true; });
    Click("Save");
    EXPECT_FALSE(opened);
    EXPECT_EQ(dialogs.messages, QStringList{"Recording mode, stop record then try again !"});
}

} // namespace
} // namespace voltaryn::testing
