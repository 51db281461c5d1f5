#include "support/PanelHarness.h"

#include "common/TempFolder.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

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
    QStringList Effects(const QList<QWidget*>& shownBefore, const QStringList& modals);

    std::vector<bool> pollingWhileAsked;
};

// What a click led to, as the user sees it: windows that opened (by name), boxes and prompts
// (their first line), the panels that showed, and whether a recording runs.
QStringList ToolbarTest::Effects(const QList<QWidget*>& shownBefore, const QStringList& modals)
{
    QStringList effects = modals;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && !shownBefore.contains(window))
            effects << "window " + window->objectName();
    for (const char* name : {"SSPKeyButton", "SSPSDClear"})
        if (Child(name)->isVisible())
            effects << "panel " + QString(name);
    for (const QString& text : dialogs.messages + dialogs.prompts)
        effects << "says " + text.section(QRegularExpression("[\r\n]"), 0, 0);
    if (recorder.Recording())
        effects << "records";
    return effects;
}

TEST_F(ToolbarTest, EachButtonInItsPlaceWithItsTipDoesItsJob)
{
    TempFolder folder;
    dialogs.saveFileName = QString::fromStdString((folder / "run.txt").string());
    panel.show();
    const struct {
        const char* key;
        const char* tip;
        QStringList effects;  // with a connected meter, every question declined
    } buttons[] = {
        {"Save", "Save as  (Ctrl+S)", {"records"}},
        {"Open", "Open File to Read  (Ctrl+O)", {"says Recording Mode!", "records"}},
        {"List", "List Display  (Ctrl+L)", {"window RealTimeList", "records"}},
        {"Graph", "Graphic Display  (Ctrl+G)", {"window AllGraph", "records"}},
        {"Sampling", "Sampling Rate  (Ctrl+Shift+R)", {"dialog SamplingChoice", "says Enter the SAMPLING TIME in seconds", "records"}},
        {"StopRec", "Stop Rec  (Ctrl+Shift+S)", {}},  // stops the recording Save started
        {"TimeSet", "Real Time Clock  (Ctrl+T)", {"dialog RTCSetup"}},
        {"Memory", "Data Logger  (Ctrl+M)", {"window ManualList"}},
        {"SDcard", "SD Card  (Ctrl+D)", {"window Memory"}},
        {"COMP", "Comparator  (Ctrl+Shift+P)", {"window Comparator"}},
        {"key", "button  (Ctrl+K)", {"panel SSPKeyButton"}},
        {"Avg", "AverageNumber  (Ctrl+Shift+A)", {"panel SSPKeyButton", "says Enter the AverageNumber"}},
        {"Erase", "Erase Memory  (Ctrl+Shift+E)",
         {"panel SSPKeyButton", "says All the automatically recorded data in memory will be deleted!"}},
        {"DeleteSD", "Delete SD Card  (Ctrl+Shift+D)", {"panel SSPKeyButton", "panel SSPSDClear"}},
        {"Cells", "Cell Sorting  (Ctrl+Shift+C)", {"window CellSorting", "panel SSPKeyButton", "panel SSPSDClear"}},
        {"Packs", "Pack Builder  (Ctrl+Shift+B)", {"window PackBuilder", "panel SSPKeyButton", "panel SSPSDClear"}},
    };
    const QList<QAction*> actions = Child<QToolBar>("Toolbar1")->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(buttons)));
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        const auto& [key, tip, effects] = buttons[i];
        QAction* action = actions[static_cast<qsizetype>(i)];
        EXPECT_EQ(action->objectName(), key);
        EXPECT_EQ(action->toolTip().section('\n', 0, 0), tip) << key;
        EXPECT_FALSE(action->icon().isNull()) << key;

        QList<QWidget*> shownBefore;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                shownBefore << window;
        QStringList modals;
        dialogs.modal = [&modals](QDialog& dialog) { modals << "dialog " + dialog.objectName(); };
        dialogs.messages.clear();
        dialogs.prompts.clear();
        action->trigger();
        EXPECT_EQ(Effects(shownBefore, modals), effects) << key;
        EXPECT_TRUE(Polling()) << key;
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
    for (const char* key : {"Memory", "Avg", "Erase", "SDcard", "DeleteSD", "COMP", "TimeSet", "Sampling"}) {
        dialogs.messages.clear();
        Click(key);
        ASSERT_EQ(dialogs.messages.size(), 1) << key;
        EXPECT_TRUE(dialogs.messages.front().startsWith("No meter is connected.")) << key;
        EXPECT_TRUE(Polling()) << key;
    }
    EXPECT_EQ(Sent(), before);
    EXPECT_EQ(panel.findChild<QWidget*>("ManualList"), nullptr);
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
