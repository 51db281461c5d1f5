#include "support/PanelHarness.h"

#include "common/TempFolder.h"

#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>

#include <set>

namespace voltaryn::testing {
namespace {

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
    // The titles, without mnemonics, of the menu bar's menus that hold `action`.
    QStringList MenusHolding(QAction* action) const
    {
        QStringList titles;
        for (const QAction* menu : Child<QMenuBar>("MenuBar")->actions())
            if (menu->menu()->actions().contains(action))
                titles << QString(menu->text()).remove('&');
        return titles;
    }
    // What triggering `action` led to, as the user sees it: dialogs and windows that opened (by
    // name), boxes and prompts (their first line), the panels that showed, and whether a recording runs.
    QStringList Effects(QAction* action)
    {
        QList<QWidget*> shownBefore;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                shownBefore << window;
        QStringList effects;
        dialogs.modal = [&effects](QDialog& dialog) { effects << "dialog " + dialog.objectName(); };
        dialogs.messages.clear();
        dialogs.prompts.clear();
        action->trigger();
        dialogs.modal = nullptr;
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

    std::vector<bool> pollingWhileAsked;
};

// Each button in its place, with its icon, in one menu, with a mnemonic and a shortcut of its own
// that its tip shows beside what it opens or does; clicked, it does its job.
TEST_F(ToolbarTest, EachButtonInItsPlaceAndMenuWithItsTipAndShortcutDoesItsJob)
{
    TempFolder folder;
    dialogs.saveFileName = QString::fromStdString((folder / "run.txt").string());
    panel.show();
    const struct {
        const char* key;
        const char* tip;       // the tip's first line
        const char* menu;
        const char* tipNames;  // what the rest of the tip says the button opens or does
        QStringList effects;   // with a connected meter, every question declined
    } buttons[] = {
        {"Save", "Save as  (Ctrl+S)", "File", "data file", {"records"}},
        {"Open", "Open File to Read  (Ctrl+O)", "File", "\"File List\"", {"says Recording Mode!", "records"}},
        {"List", "List Display  (Ctrl+L)", "File", "\"Real Time List\"", {"window RealTimeList", "records"}},
        {"Graph", "Graphic Display  (Ctrl+G)", "Graphs", "\"Graph\"", {"window AllGraph", "records"}},
        {"Sampling", "Sampling Rate  (Ctrl+Shift+R)", "Tools", "interval",
         {"dialog SamplingChoice", "says Enter the SAMPLING TIME in seconds", "records"}},
        {"StopRec", "Stop Rec  (Ctrl+Shift+S)", "File", "Stops the recording", {}},  // ends Save's recording
        {"TimeSet", "Real Time Clock  (Ctrl+T)", "Meter", "\"Setup\"", {"dialog RTCSetup"}},
        {"Memory", "Data Logger  (Ctrl+M)", "Memory", "\"Manual List\"", {"window ManualList"}},
        {"SDcard", "SD Card  (Ctrl+D)", "Memory", "\"Data Logger\"", {"window Memory"}},
        {"COMP", "Comparator  (Ctrl+Shift+P)", "Tools", "\"Comparator\"", {"window Comparator"}},
        {"key", "button  (Ctrl+K)", "Meter", "key pad", {"panel SSPKeyButton"}},
        {"Avg", "AverageNumber  (Ctrl+Shift+A)", "Meter", "averages", {"panel SSPKeyButton", "says Enter the AverageNumber"}},
        {"Erase", "Erase Memory  (Ctrl+Shift+E)", "Memory", "after asking",
         {"panel SSPKeyButton", "says All the automatically recorded data in memory will be deleted!"}},
        {"DeleteSD", "Delete SD Card  (Ctrl+Shift+D)", "Memory", "\"SD Card Delete\"", {"panel SSPKeyButton", "panel SSPSDClear"}},
        {"Cells", "Cell Sorting  (Ctrl+Shift+C)", "Cells", "\"Cell Sorting\"",
         {"window CellSorting", "panel SSPKeyButton", "panel SSPSDClear"}},
        {"Packs", "Pack Builder  (Ctrl+Shift+B)", "Cells", "\"Pack Builder\"",
         {"window PackBuilder", "panel SSPKeyButton", "panel SSPSDClear"}},
    };
    const QList<QAction*> actions = Child<QToolBar>("Toolbar1")->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(buttons)));
    std::set<QString> shortcuts;
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        const auto& [key, tip, menu, tipNames, effects] = buttons[i];
        QAction* action = actions[static_cast<qsizetype>(i)];
        EXPECT_EQ(action->objectName(), key);
        EXPECT_EQ(action->toolTip().section('\n', 0, 0), tip) << key;
        EXPECT_FALSE(action->icon().isNull()) << key;
        EXPECT_EQ(MenusHolding(action), QStringList{menu}) << key;
        EXPECT_TRUE(action->text().contains('&')) << key << ": a mnemonic";
        const QString shortcut = action->shortcut().toString(QKeySequence::NativeText);
        ASSERT_FALSE(shortcut.isEmpty()) << key;
        EXPECT_TRUE(shortcuts.insert(shortcut).second) << key << " shares " << shortcut.toStdString();
        EXPECT_TRUE(action->toolTip().contains("(" + shortcut + ")")) << key;
        EXPECT_TRUE(action->toolTip().contains(tipNames)) << key << ": " << action->toolTip().toStdString();
        EXPECT_EQ(Effects(action), effects) << key;
        EXPECT_TRUE(Polling()) << key;
    }
    EXPECT_EQ(ToolbarButton("Save")->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(ToolbarButton("Open")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(Child<QMenuBar>("MenuBar")->findChild<QAction*>("Quit")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(Child<QMenuBar>("MenuBar")->findChild<QAction*>("UserGuide")->shortcut(), QKeySequence(Qt::Key_F1));
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

} // namespace
} // namespace voltaryn::testing
