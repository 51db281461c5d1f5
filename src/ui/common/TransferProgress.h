#pragma once

#include "common/EventPump.h"

#include <QObject>
#include <QString>

namespace voltaryn {

// The progress of the long transfer under way (a memory or SD card download), for the status
// bar, and the user's request to stop it. It is the event pump the transfers are handed: it lets
// the program's events run, and while they run a click on Cancel asks the transfer to stop.
class TransferProgress : public QObject, public EventPump {
    Q_OBJECT
public:
    explicit TransferProgress(EventPump& pump) : pump_(pump) {}

    void LetEventsRun() override { pump_.LetEventsRun(); }
    bool StopRequested() const override { return stopRequested_; }

    bool Running() const { return running_; }
    // Asks the transfer under way to stop after its current step; nothing without one.
    void RequestStop() { stopRequested_ = running_; }

signals:
    void began(const QString& what);
    // `done` of `total` steps; a total of 0 when it is not known.
    void stepped(int done, int total);
    void ended();

private:
    friend class TransferScope;
    EventPump& pump_;
    bool running_ = false;
    bool stopRequested_ = false;
};

// One transfer, from its construction to its end: the status bar shows it meanwhile.
class TransferScope {
public:
    TransferScope(TransferProgress& progress, const QString& what);
    ~TransferScope();
    TransferScope(const TransferScope&) = delete;
    TransferScope& operator=(const TransferScope&) = delete;

    void Step(int done, int total) { emit progress_.stepped(done, total); }

private:
    TransferProgress& progress_;
};

} // namespace voltaryn
