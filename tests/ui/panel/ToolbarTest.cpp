#include "support/PanelHarness.h"

#include "common/CaseFile.h"

#include <QRadioButton>
#include <QPushButton>

namespace voltaryn {
namespace {

using namespace testing;

class ToolbarTest : public PanelHarness {
protected:
    ToolbarTest()
    {
        Rotation();  // connected, display decoded
        dialogs.onInput = [this] { pollingWhileAsked.push_back(Polling()); };
    }
    // Answers the sampling choice with the PC's rate (true) or the meter's, then OK.
    void ChooseSampling(bool pc)
    {
        dialogs.modal = [pc](QDialog& dialog) {
            dialog.findChild<QRadioButton*>(pc ? "OptPC" : "OptMeter")->setChecked(true);
            dialog.findChild<QPushButton*>("CmdOK")->click();
        };
    }
    std::size_t Sent() const { return backend.written.size(); }

    std::vector<bool> pollingWhileAsked;
};

TEST_F(ToolbarTest, FourteenButtonsWithTheirKeysAndTips)
{
    const std::vector<std::pair<std::string, std::string>> tips = ReadCases("panel/toolbar.txt").front().texts;
    RecorderTick();  // idle samples leave the Save button as it is
    RecorderTick();
    const QList<QAction*> actions = Child<QToolBar>("Toolbar1")->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(tips.size()));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const auto& [name, tip] = tips[static_cast<std::size_t>(i)];
        EXPECT_EQ(actions[i]->objectName().toStdString(), name);
        EXPECT_EQ(actions[i]->toolTip().toStdString(), tip) << name;
        EXPECT_FALSE(actions[i]->icon().isNull()) << name;
    }
}

TEST_F(ToolbarTest, AverageAnswersSetTheMetersAveraging)
{
    // The answers themselves are checked where they are parsed; here, that they reach the meter.
    const std::vector<std::tuple<QString, int, bool>> cases = {{"off", 2, false}, {"8", 8, false}, {"5", 2, true}};
    for (const auto& [answer, value, enterError] : cases) {
        dialogs.messages.clear();
        dialogs.answers = {answer};
        Click("Avg");
        EXPECT_EQ(LastRequest(), (Bytes{0, 65, 3, 5, static_cast<std::uint8_t>(value), 0})) << answer.toStdString();
        EXPECT_EQ(dialogs.messages, enterError ? QStringList{"Enter Error !!!"} : QStringList{});
    }
    EXPECT_EQ(dialogs.defaults, (QStringList{"OFF", "OFF", "8"}));
    EXPECT_EQ(dialogs.prompts.front(), "Enter the AverageNumber\r\n(OFF, 4, 8, 16 ) ");
    EXPECT_EQ(pollingWhileAsked, std::vector<bool>(3, false));
    EXPECT_TRUE(Polling());

    const std::size_t before = Sent();
    Click("Avg");  // cancelled: the setting is read, nothing is set
    EXPECT_EQ(Sent(), before + 1);
    EXPECT_EQ(LastRequest(), (Bytes{0, 65, 2, 5, 0, 0}));
    EXPECT_TRUE(Polling());
}

TEST_F(ToolbarTest, SamplingSetsTheMetersIntervalAsOneByteOrThePcsOwn)
{
    ChooseSampling(false);
    dialogs.answers = {"7.5", "abc"};
    Click("Sampling");
    EXPECT_EQ(LastRequest(), (Bytes{0, 65, 3, 2, 8, 0}));
    EXPECT_TRUE(dialogs.prompts.back().endsWith("\r\n(1 <= t <= 255 ) "));
    std::size_t before = Sent();
    Click("Sampling");
    EXPECT_EQ(Sent(), before + 1) << "the interval is read, nothing is set";
    EXPECT_EQ(dialogs.messages, QStringList{"\"abc\" is not a number of seconds; the meter keeps 8 s."});
    EXPECT_EQ(pollingWhileAsked, std::vector<bool>(2, false));
    EXPECT_TRUE(Polling());

    ChooseSampling(true);
    before = Sent();
    for (const auto& [answer, seconds] : {std::pair<QString, int>{"3.5", 4}, {"", 4}}) {
        dialogs.answers = {answer};
        Click("Sampling");
        EXPECT_EQ(recorder.SampleTime(), seconds) << answer.toStdString();
    }
    EXPECT_EQ(dialogs.defaults.mid(2), (QStringList{"2", "4"}));
    EXPECT_TRUE(dialogs.prompts.back().endsWith("\r\n(1 <= t <= 86400 ) "));
    EXPECT_EQ(Sent(), before) << "the PC's interval needs no word with the meter";
}

TEST_F(ToolbarTest, WithoutAMeterActionsThatNeedItSaySoOnceAndDoNothing)
{
    simulated.Unplug();
    Rotation();
    const std::size_t before = Sent();
    for (const char* key : {"Memory", "Avg", "Erase"}) {
        dialogs.messages.clear();
        Click(key);
        ASSERT_EQ(dialogs.messages.size(), 1) << key;
        EXPECT_TRUE(dialogs.messages.front().startsWith("No meter is connected.")) << key;
        EXPECT_TRUE(Polling()) << key;
    }
    EXPECT_EQ(Sent(), before);
    EXPECT_EQ(panel.findChild<QWidget*>("ManualList"), nullptr);

    // The sampling choice is not even offered, and nothing is said.
    dialogs.messages.clear();
    bool asked = false;
    dialogs.modal = [&asked](QDialog&) { asked = true; };
    Click("Sampling");
    EXPECT_FALSE(asked);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ToolbarTest, EraseOnlyAfterConfirmation)
{
    const std::size_t before = Sent();
    dialogs.confirmations = {false};
    Click("Erase");
    EXPECT_EQ(Sent(), before);
    EXPECT_EQ(dialogs.messages, QStringList{"All the automatically recorded data in memory will be deleted!"});

    dialogs.confirmations = {true};
    Click("Erase");
    EXPECT_EQ(LastRequest(), (Bytes{0, 65, 3, 3, 0, 0}));
    EXPECT_TRUE(Polling());
}

} // namespace
} // namespace voltaryn
