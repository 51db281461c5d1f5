#pragma once

#include "cells/DisplayNumber.h"
#include "cells/ProbeReading.h"

#include <chrono>
#include <optional>
#include <vector>

namespace voltaryn::cells {

// When a reading arrived, as time since an epoch the caller picks (the poll loop's start, say).
using ReadingTime = std::chrono::milliseconds;

struct CaptureOptions {
    int ReadingsToAgree = 3;                  // consecutive readings that must agree
    double ResistanceTolerancePercent = 1.0;  // of the median; never tighter than one display digit
    double VoltageTolerancePercent = 0.2;
    std::chrono::milliseconds SettleTimeout{5000};  // from the first reading of a contact
    // A cell lifted before it settled was lifted too early when its last reading came sooner than
    // this after its first; held longer, its readings kept moving: an unstable contact.
    std::chrono::milliseconds HeldLongEnough{2000};
    int OpenReadingsToRearm = 2;  // readings without a contact that prove the cell was lifted
    // A contact whose voltage lies outside these limits (V) reads as no cell: a floor of 0.5 V
    // keeps shorted probes or a finger on them from being captured. Off by default, so a dead
    // cell is captured and graded like any other.
    std::optional<double> MinVoltage;
    std::optional<double> MaxVoltage;
};

enum class CaptureState {
    Open,            // no cell on the probes; the next contact will be captured
    Settling,        // a cell is on the probes and its readings are still moving
    Captured,        // this reading completed a capture
    WaitingForLift,  // captured or given up on; the cell must be lifted before the next capture
};

// One captured cell: the display texts of the median reading and their numbers.
struct CellCapture {
    ProbeReading Reading;
    double Voltage = 0;             // V
    double ResistanceMilliOhm = 0;  // converted from the range's unit
    std::optional<double> Temperature;  // in Reading.TemperatureUnit, when the field shows a number
    ReadingTime At{};                   // when the reading that completed the capture arrived
};

// How a contact ended without a capture, told on the reading that decided it.
enum class CaptureProblem {
    None,
    LiftedEarly,      // lifted before it could settle
    UnstableContact,  // its readings kept moving: given up on, or lifted after long enough
};

// What one reading did.
struct CaptureStep {
    CaptureState State = CaptureState::Open;
    int Agreeing = 0;  // while settling: how many of the latest readings agree, of Needed
    int Needed = 0;
    std::optional<CellCapture> Capture;  // set on the reading that captured
    CaptureProblem Problem = CaptureProblem::None;
};

// Turns the stream of display polls into one capture per cell placed on the probes.
//
// A reading is a contact when the resistance field shows a number on a known range and the voltage
// lies inside the options' voltage range. A cell touches the probes while they read a contact, or
// a voltage (in that range) with the resistance off the scale, as while the contact bounces; open
// probes read 0 V. A contact settles when the latest ReadingsToAgree readings, all contacts on one
// range, each lie within tolerance of their median in both resistance and voltage; a lit HOLD
// settles it at once (the meter has judged it stable). A settling cell is lifted when the probes
// read open: lifted early, or, when it was held long enough (HeldLongEnough) to have settled, an
// unstable contact. After a capture, or after a cell that did not settle within SettleTimeout of its first touch,
// nothing is captured until OpenReadingsToRearm readings in a row show no contact, so a cell
// resting on the probes is captured once and a cell lifted and placed again is captured again;
// the next cell's bounce may follow its lift at once. The timeout counts from the first touch, so
// a contact that keeps switching range also ends as unstable.
class CaptureEngine {
public:
    explicit CaptureEngine(CaptureOptions options = {});

    CaptureStep Feed(ReadingTime now, const ProbeReading& reading);

    CaptureState State() const { return state_; }
    const CaptureOptions& Options() const { return options_; }

private:
    // The numbers of a reading that shows a cell on the probes.
    struct Contact {
        DisplayNumber Voltage;
        DisplayNumber Resistance;
        int MilliOhmPower = 0;
    };
    // A reading kept while the contact settles.
    struct Sample : Contact {
        ProbeReading Reading;
    };

    CaptureStep StepInState() const;
    CaptureStep SettlingStep(int agreeing) const;
    std::optional<Contact> ContactOf(const ProbeReading& reading) const;
    bool Touches(const ProbeReading& reading) const;
    bool VoltageInRange(double volts) const;
    CaptureStep Settle(ReadingTime now, const ProbeReading& reading, const std::optional<Contact>& contact);
    CaptureStep Lifted();
    CaptureStep WaitForLift(bool contact, bool touched);
    CaptureStep CaptureOf(ReadingTime now, const Sample& median);
    int AgreeingTail();
    bool Agree(std::size_t count);
    const Sample& MedianOf(std::size_t count, DisplayNumber Sample::*field);

    CaptureOptions options_;
    CaptureState state_ = CaptureState::Open;
    ReadingTime contactStart_{};  // the first touch of the cell settling
    ReadingTime lastTouch_{};
    int openReadings_ = 0;
    std::vector<Sample> recent_;        // the latest contact readings, at most ReadingsToAgree
    std::vector<const Sample*> order_;  // reused when finding a median
};

} // namespace voltaryn::cells
