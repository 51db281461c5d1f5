#pragma once

#include "support/QtPrinting.h"
#include "support/ScriptedDialogService.h"

#include "app/Application.h"
#include "sim/SimulatedHidBackend.h"
#include "store/CellStore.h"
#include "ui/lists/RecordListWindow.h"

// The widgets the panel tests drive, so that each test names only its own.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <atomic>

namespace voltaryn::testing {

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

// Clicks a table's cell with the mouse, as a user picks a row.
inline void ClickCell(QTableView& table, int row, int column = 0)
{
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualRect(table.model()->index(row, column)).center());
}

// The texts of one column of a model: a table's, a list's or a combo box's choices.
inline QStringList Texts(const QAbstractItemModel& model, int column = 0)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}

// A capture of a cell graded `grade` into `batch` by `station`, as another station records it.
inline store::CaptureInput CaptureOf(const QString& batch, const QString& station, const QDateTime& measuredUtc,
                                     double volts, std::optional<double> milliohms, const QString& grade)
{
    store::CaptureInput capture;
    capture.batch = batch;
    capture.station = station;
    capture.measuredUtc = measuredUtc;
    capture.voltageV = volts;
    capture.resistanceMohm = milliohms;
    capture.grade = grade;
    return capture;
}

// Deletes the windows closed meanwhile, as the event loop would.
inline void DeleteClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Counts the times a long operation let events run, and runs none.
class CountingEventPump : public EventPump {
public:
    void LetEventsRun() override
    {
        ++calls;
        if (onEvents)
            onEvents();
    }
    int calls = 0;
    std::function<void()> onEvents;
};

// The program over the simulated meter, with scripted dialogs and a cell database in a temporary
// folder, as a test drives it: the timers' ticks are called directly, and both the PC and the meter
// live on clocks only the test moves, so nothing depends on the real time.
class PanelHarness : public ::testing::Test {
protected:
    PanelHarness() { meter.SetRangeCode(3); }

    template <typename T = QWidget>
    T* Child(const char* name) const
    {
        T* child = panel.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QString Label(const char* name) const { return Child<QLabel>(name)->text(); }
    // One of the panel's list windows; none while it is not open.
    RecordListWindow* List(const char* name) const
    {
        return qobject_cast<RecordListWindow*>(panel.findChild<QWidget*>(name));
    }
    QAction* ToolbarButton(const char* key) const { return Child<QToolBar>("Toolbar1")->findChild<QAction*>(key); }
    void Click(const char* key) const { ToolbarButton(key)->trigger(); }
    bool Polling() const { return app.Beat().Running(RunTask::Poll); }

    // The first `length` bytes of the last report sent to the meter.
    Bytes LastRequest(long length = 6) const
    {
        return Bytes(backend.written.back().begin(), backend.written.back().begin() + length);
    }
    // Identification, range and display: one full refresh of the panel.
    void Rotation()
    {
        for (int tick = 0; tick < 3; ++tick)
            app.Poll();
    }
    // One tick of the recorder's one-second timer.
    void RecorderTick() { app.Recording().Tick(); }

private:
    // The capture engine's steady clock and the store's UTC clock move with the meter's.
    CellSortingSetup CellSorting()
    {
        return {storeAddress, [this] { return std::chrono::duration_cast<cells::ReadingTime>(now - start); },
                [this] {
                    const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch());
                    return QDateTime::fromMSecsSinceEpoch(since.count()).toUTC();
                }};
    }
    // The pack builder's search ends on its move limit, on a clock that moves 10 ms each time it is
    // read and holds the search while `searchHeld`.
    cells::PackSearchOptions PackSearch()
    {
        cells::PackSearchOptions options;
        options.maxMoves = 30'000;
        options.now = [this] {
            searchHeld.wait(true);
            return searchClock += std::chrono::milliseconds{10};
        };
        return options;
    }

protected:
    const sim::SimTime start{std::chrono::sys_days{std::chrono::year{2024} / 3 / 15}};
    sim::SimTime now = start;  // the meter's clock
    sim::SimulatedMeter meter{[this] { return now; }};
    sim::SimulatedHidBackend simulated{meter};
    RecordingBackend backend{simulated};
    ScriptedDialogService dialogs;
    CountingEventPump pump;
    LocalTime pcNow{.hour = 10};  // the PC's clock, 10:00:00 at the start unless a test moves it
    QTemporaryDir cellsFolder;  // the cell database, and the files a test writes beside it
    const QString storeAddress = cellsFolder.filePath("cells.db");
    std::chrono::steady_clock::time_point searchClock;  // read on the search's thread alone
    std::atomic<bool> searchHeld = false;
    Application app{{backend, dialogs, pump, [this] { return pcNow; }, CellSorting(), PackSearch()}};
    PanelWindow& panel = app.Panel();
    MeterSession& session = app.Meter();
    Recorder& recorder = app.LiveRecorder();
};

// A window over the cell store, opened by its toolbar button and run by the controller the program
// hands out through `Of`. The store answers on its own thread: a step that asks it waits for them.
template <typename Controller, Controller& (Application::*Of)()>
class StoreWindowHarness : public PanelHarness {
protected:
    explicit StoreWindowHarness(const char* button) : button_(button) {}

    Controller& Controls() { return (app.*Of)(); }
    auto& Window() { return *Controls().Window(); }
    template <typename T = QWidget>
    T* Child(const char* name) { return Window().template findChild<T*>(name); }
    void Click(const char* button) { Child<QPushButton>(button)->click(); }

    // Lets the store thread's answers arrive until it has no work left; the bound only ends a broken test.
    void WaitForStore()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !app.Batches().Busy(); }, 30000)) << "the store never went idle";
    }
    // Runs `action`, then waits for the store's answers to what it asked.
    void AfterStore(const std::function<void()>& action)
    {
        action();
        WaitForStore();
    }
    void ClickAndWait(const char* button) { AfterStore([&] { Click(button); }); }
    // The cell database opened beside the window's, as another station would.
    std::unique_ptr<store::CellStore> Store() const
    {
        auto store = std::make_unique<store::CellStore>();
        store->Open(store::ParseStoreAddress(storeAddress));
        return store;
    }
    // Opens the window from the toolbar and waits for the batch list, then the batch.
    void OpenWindow()
    {
        panel.findChild<QAction*>(button_)->trigger();
        WaitForStore();
    }

private:
    const char* button_;
};

} // namespace voltaryn::testing
