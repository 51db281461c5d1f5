#include "monkey/Monkey.h"

#include "ui/graphs/LiveGraphWindow.h"
#include "ui/lists/RecordListWindow.h"
#include "ui/memory/MemoryWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include <qcustomplot.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>

namespace voltaryn::monkey {
namespace {

constexpr const char* ToolbarKeys[] = {"Save", "Open", "List",  "Graph", "Sampling", "StopRec", "TimeSet",
                                       "Memory", "SDcard", "COMP", "key", "Avg", "Erase", "DeleteSD"};
constexpr const char* PanelKeys[] = {"BtnM",  "BtnAM",   "BtnDM",  "BtnLeft",         "BtnBeeper", "BtnCF",
                                     "BtnDown", "BtnADJ", "BtnDecimalPoint", "BtnUp", "BtnRead", "BtnRight",
                                     "BtnRealTime", "BtnInterval", "BtnCompOnOff", "BtnComp", "BtnHoldOnOff",
                                     "BtnHold"};
// The windows of which the program shows one at a time, one per job.
constexpr const char* JobWindows[] = {"RealTimeAll", "AllGraph", "GraphDetail", "RealTimeGraph", "Plot", "Comparator",
                                      "Memory", "DataList", "ManualList", "RealTimeList", "FileList"};

int currentStep = 0;

// The shown windows by name: Qt lists them in the order of their addresses, which would make a
// seed's steps depend on what ran before it.
QList<QWidget*> VisibleWindows()
{
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            windows << widget;
    std::stable_sort(windows.begin(), windows.end(),
                     [](const QWidget* a, const QWidget* b) { return a->objectName() < b->objectName(); });
    return windows;
}

template <typename T>
T* Visible(const char* name)
{
    for (QWidget* window : VisibleWindows())
        if (window->objectName() == QLatin1String(name))
            if (T* found = qobject_cast<T*>(window))
                return found;
    return nullptr;
}

void ClickCell(QTableView& table, int row, int column)
{
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {},
                      table.visualRect(table.model()->index(row, column)).center());
}

void NextSecond(LocalTime& time)
{
    if (++time.second < 60)
        return;
    time.second = 0;
    if (++time.minute < 60)
        return;
    time.minute = 0;
    time.hour = (time.hour + 1) % 24;
}

} // namespace

Monkey::Monkey(std::uint64_t seed, Options options)
    : random_(seed),
      meter_([] { return sim::SimTime{std::chrono::sys_days{std::chrono::year{2024} / 3 / 15} + std::chrono::hours{10}}; }),
      dialogs_(random_, folder_.path().toStdString()),
      trace_(options.trace)
{
    if (options.keepFiles) {
        folder_.setAutoRemove(false);
        std::cerr << "monkey: recordings in " << folder_.path().toStdString() << '\n';
    }
    meter_.SetRangeCode(3);
    app_ = std::make_unique<Application>(AppServices{backend_, dialogs_, pump_, [this] { return pcNow_; }});
    app_->Panel().show();
    pump_.onEvents = [this] { DuringTransfer(); };
    // How often each step comes, out of the sum of the weights.
    actions_ = {
        {"toolbar", 12, [this] { ClickToolbar(); }},
        {"panel key", 3, [this] { PressKey(); }},
        {"close window", 3, [this] { CloseWindow(); }},
        {"resize window", 1, [this] {
             if (QWidget* window = RandomWindow(true))
                 window->resize(100 + Pick(1200), 80 + Pick(900));
         }},
        {"plug", 1, [this] { TogglePlug(); }},
        {"reply fault", 1, [this] { backend_.InjectFault(static_cast<sim::ReplyFault>(Pick(3)), 1 + Pick(3), Pick(6)); }},
        {"range", 1, [this] {
             meter_.SetRangeCode(Pick(7));
             detail_ = " " + std::to_string(meter_.RangeCode());
         }},
        {"temperature unit", 1, [this] { meter_.SetFahrenheit(!meter_.Fahrenheit()); }},
        {"poll ticks", 2, [this] {
             for (int tick = 1 + Pick(30); tick > 0 && app_->Beat().Running(RunTask::Poll); --tick)
                 app_->Poll();
         }},
        {"recorder second", 2, [this] { RecorderSecond(); }},
        {"graph sample", 2, [this] { GraphSample(); }},
        // A few seconds as the run timer runs them: ten polls, then the recorder's second, then the graph.
        {"seconds", 4, [this] {
             for (int second = 1 + Pick(5); second > 0; --second) {
                 for (int tick = 0; tick < 10 && app_->Beat().Running(RunTask::Poll); ++tick)
                     app_->Poll();
                 RecorderSecond();
                 GraphSample();
             }
         }},
        {"graph settings", 3, [this] {
             QDialog* settings = Visible<QDialog>(Chance(50) ? "AllGraph" : "GraphDetail");
             if (settings == nullptr)
                 return;
             for (QCheckBox* channel : settings->findChildren<QCheckBox*>())
                 if (channel->isEnabled())
                     channel->setChecked(Chance(40));
             if (auto* ok = settings->findChild<QAbstractButton*>("CmdOK"); ok != nullptr && Chance(85))
                 ok->click();
             else
                 settings->close();
         }},
        {"click live graph", 2, [] {
             if (auto* graph = Visible<LiveGraphWindow>("RealTimeAll"))
                 QTest::mouseClick(&graph->Plot(), Qt::LeftButton);
         }},
        {"SD file", 2, [this] {
             if (auto* memory = Visible<MemoryWindow>("Memory"); memory != nullptr && memory->Files().model()->rowCount() > 0)
                 ClickCell(memory->Files(), Pick(memory->Files().model()->rowCount()), 0);
         }},
        {"file column", 2, [this] {
             if (auto* list = Visible<RecordListWindow>("FileList"); list != nullptr && list->Grid().model()->rowCount() > 0)
                 ClickCell(list->Grid(), 0, Pick(list->Grid().model()->columnCount()));
         }},
        // Any button or toolbar action of a window other than the panel.
        {"window button", 3, [this] {
             QWidget* window = RandomWindow(false);
             if (window == nullptr)
                 return;
             const QList<QAbstractButton*> buttons = window->findChildren<QAbstractButton*>();
             const QList<QAction*> actions = window->findChildren<QAction*>();
             const int choice = Pick(static_cast<int>(buttons.size() + actions.size()) + 1);
             if (choice < buttons.size()) {
                 if (buttons[choice]->isVisible() && buttons[choice]->isEnabled())
                     buttons[choice]->click();
             } else if (choice < buttons.size() + actions.size()) {
                 if (QAction* action = actions[choice - buttons.size()]; action->isEnabled())
                     action->trigger();
             }
         }},
        {"combo box", 1, [this] {
             QWidget* window = RandomWindow(true);
             const QList<QComboBox*> boxes = window != nullptr ? window->findChildren<QComboBox*>() : QList<QComboBox*>();
             if (boxes.isEmpty())
                 return;
             QComboBox* box = boxes[Pick(static_cast<int>(boxes.size()))];
             if (box->isVisible() && box->isEnabled() && box->count() > 0)
                 box->setCurrentIndex(Pick(box->count()));
         }},
    };
    for (const Action& action : actions_)
        totalWeight_ += action.weight;
    for (int tick = 0; tick < 3; ++tick)  // connected: identification, range and display read
        app_->Poll();
}

Monkey::~Monkey()
{
    pump_.onEvents = nullptr;
    app_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int Monkey::CurrentStep() { return currentStep; }

// One line a step: what it did and what the program shows after it.
void Monkey::Trace(int step, const std::string& action)
{
    QStringList windows;
    for (const QWidget* window : VisibleWindows())
        windows << window->objectName();
    std::cerr << "step " << step << ' ' << action << detail_ << ": polling " << app_->Beat().Running(RunTask::Poll) << ", recording "
              << app_->LiveRecorder().Recording() << ", windows " << windows.join(' ').toStdString() << ", messages "
              << dialogs_.messages << '\n';
}

const Monkey::Action& Monkey::PickAction()
{
    detail_.clear();
    int weight = Pick(totalWeight_);
    for (const Action& action : actions_)
        if ((weight -= action.weight) < 0)
            return action;
    return actions_.back();
}

int Monkey::Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }

std::optional<MonkeyFailure> Monkey::Run(int steps)
{
    for (int step = 1; step <= steps; ++step) {
        currentStep = step;
        const Action& action = PickAction();
        action.run();
        Settle();
        if (trace_)
            Trace(step, action.name);
        if (std::string fault = CheckInvariants(); !fault.empty())
            return MonkeyFailure{step, action.name + detail_, fault};
    }
    currentStep = 0;
    app_->Panel().close();  // the program ends: a running recording is closed
    Settle();
    if (std::string fault = CheckEndedRecordings(true); !fault.empty())
        return MonkeyFailure{0, "end of run", fault};
    return std::nullopt;
}

// What the event loop would do between two user actions, short of the run timer: deferred
// deletes and queued calls.
void Monkey::Settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget* Monkey::RandomWindow(bool withPanel)
{
    QList<QWidget*> windows = VisibleWindows();
    if (!withPanel)
        windows.removeAll(&app_->Panel());
    return windows.isEmpty() ? nullptr : windows[Pick(static_cast<int>(windows.size()))];
}

void Monkey::ClickToolbar()
{
    const char* key = ToolbarKeys[Pick(static_cast<int>(std::size(ToolbarKeys)))];
    detail_ += std::string(" ") + key;
    app_->Panel().findChild<QToolBar*>("Toolbar1")->findChild<QAction*>(key)->trigger();
}

void Monkey::PressKey()
{
    auto* key = app_->Panel().findChild<QAbstractButton*>(PanelKeys[Pick(static_cast<int>(std::size(PanelKeys)))]);
    detail_ += " " + key->objectName().toStdString();
    if (key->isVisible())
        key->click();
    else
        app_->Panel().findChild<QToolBar*>("Toolbar1")->findChild<QAction*>("key")->trigger();
}

void Monkey::CloseWindow()
{
    if (QWidget* window = RandomWindow(false))
        window->close();
}

void Monkey::TogglePlug()
{
    plugged_ = !plugged_;
    if (plugged_)
        backend_.Plug();
    else
        backend_.Unplug();
}

void Monkey::RecorderSecond()
{
    NextSecond(pcNow_);
    if (app_->Beat().Running(RunTask::RecorderSecond))
        app_->Recording().Tick();
}

void Monkey::GraphSample()
{
    if (app_->Graphs().Live().Running())
        app_->Graphs().Sample();
}

// While a transfer lets events run: the run timer polls if the poll runs, and now and then the
// user does something else (only one level deep) or pulls the cable.
void Monkey::DuringTransfer()
{
    if (app_->Beat().Running(RunTask::Poll))
        app_->Poll();
    if (nested_ || !Chance(2))
        return;
    nested_ = true;
    switch (Pick(4)) {
    case 0: ClickToolbar(); break;
    case 1: PressKey(); break;
    case 2: CloseWindow(); break;
    default: TogglePlug(); break;
    }
    nested_ = false;
}

std::string Monkey::CheckInvariants()
{
    if (plugged_ && !app_->Beat().Running(RunTask::Poll))
        return "the poll stays paused with no transfer running";
    std::map<QString, int> shown;
    for (const QWidget* window : VisibleWindows())
        ++shown[window->objectName()];
    for (const char* job : JobWindows)
        if (shown[QString::fromLatin1(job)] > 1)
            return std::to_string(shown[QString::fromLatin1(job)]) + " windows named " + job;
    return CheckEndedRecordings(false);
}

// Notes the recording that started, and reads back the one that ended (or, at the end, all).
std::string Monkey::CheckEndedRecordings(bool all)
{
    const Recorder& recorder = app_->LiveRecorder();
    const std::optional<std::filesystem::path> now =
        recorder.Recording() ? std::optional(recorder.RecFileName()) : std::nullopt;
    std::vector<std::filesystem::path> check;
    if (recording_ && recording_ != now)
        check.push_back(*recording_);
    if (now && recording_ != now) {
        recordings_.push_back(*now);
        dialogs_.openable.push_back(*now);
    }
    recording_ = now;
    if (all)
        check = recordings_;
    for (const std::filesystem::path& file : check)
        if (std::string fault = RecordingFileFault(file); !fault.empty())
            return file.filename().string() + ": " + fault;
    return {};
}

std::string RecordingFileFault(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return "cannot be read";
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (text.empty())
        return {};
    if (!text.starts_with("No.s\t"))
        return "does not start with its header";
    if (!text.ends_with("\r\n"))
        return "ends in a partial line";
    int expected = 1;
    for (std::size_t begin = text.find("\r\n") + 2; begin < text.size(); ++expected) {
        const std::size_t end = text.find("\r\n", begin);
        const std::string_view line(text.data() + begin, end - begin);
        int number = 0;
        const auto [stop, error] = std::from_chars(line.data(), line.data() + line.size(), number);
        if (error != std::errc() || stop == line.data() + line.size() || *stop != '\t' || number != expected)
            return "record " + std::to_string(expected) + " reads \"" + std::string(line) + "\"";
        begin = end + 2;
    }
    return {};
}

} // namespace voltaryn::monkey
