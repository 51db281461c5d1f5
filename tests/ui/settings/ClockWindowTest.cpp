#include "support/PanelHarness.h"

#include "ui/settings/RtcSetupDialog.h"

namespace voltaryn::testing {
namespace {

class ClockWindowTest : public PanelHarness {
protected:
    ClockWindowTest() { Rotation(); }

    QString Text(QWidget& window, const char* label) { return window.findChild<QLabel*>(label)->text(); }
};

// Whether it opens while recording is RecordingTest's.
TEST_F(ClockWindowTest, AsksTheMeterOnlyWhileItsLabelIsOnAndSetsItFromOneInstant)
{
    bool opened = false;
    dialogs.modal = [&](QDialog& dialog) {
        auto& window = dynamic_cast<RtcSetupDialog&>(dialog);
        opened = true;
        EXPECT_FALSE(Polling());
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
    };
    Click("TimeSet");
    EXPECT_TRUE(opened);
    EXPECT_TRUE(Polling()) << "closing the window resumes polling";
}

} // namespace
} // namespace voltaryn::testing
