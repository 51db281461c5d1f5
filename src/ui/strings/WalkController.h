#pragma once

#include "cells/CaptureEngine.h"
#include "meter/MeterSession.h"
#include "store/WalkSession.h"
#include "ui/cells/CellSortingController.h"
#include "ui/common/FeatureContext.h"
#include "ui/panel/ToolbarCommands.h"
#include "ui/strings/WalkWindow.h"

#include <QObject>
#include <QPointer>

#include <optional>

namespace voltaryn {

class BatchSession;
class CaptureSounds;

// The walk of a battery string: the toolbar's "Strings" key opens the Inspection window. While it
// is open every decoded display goes to a capture engine; each settled capture goes to the place
// the walk expects, is stored through the cell database's thread (queued while the server is
// away, as every capture is) and judged with the string's history, the same walk session and
// rules as voltaryn-cli inspect.
class WalkController : public QObject {
    Q_OBJECT
public:
    WalkController(const FeatureContext& context, const MeterSession& meter, BatchSession& session,
                   CellSortingSetup setup);
    ~WalkController() override;

    void Register(ToolbarCommands& toolbar);
    void Open();
    void DisplayDecoded();
    WalkWindow* Window() const { return window_; }

private:
    void ListStrings(const QString& site, const QString& string);
    void OpenString(const QString& site, const QString& string);
    void ShowComparisons();
    // The string editor, for a new string or the one open; `draft`: what was typed before.
    void NewString(std::optional<store::StringInfo> draft = std::nullopt);
    void EditString(const std::optional<store::StringInfo>& draft = std::nullopt);
    void Keep(const store::StringInfo& string, bool edited);
    void Take(const cells::CellCapture& capture);
    // Stores `reading` at `place` (none and `missing`: a block marked missing).
    void Store(strings::Place place, bool missing, store::CaptureInput reading);
    void Back();
    void Skip();
    void Retest(int block);
    void GoTo();
    // The inspection's report as PDF, beside the inspection before it when there is one.
    void WriteReport();
    // Everything the window shows of the walk, after it moved or a reading came back.
    void Refresh();
    void ShowLast(const strings::InspectionVerdicts& verdicts);
    void Announce(strings::Verdict verdict);
    // The trend of the block chosen in the window, this inspection included.
    void ShowTrend();

    const FeatureContext& context_;
    const MeterSession& meter_;
    BatchSession& session_;
    CellSortingSetup setup_;
    QPointer<WalkWindow> window_;
    CaptureSounds* sounds_;
    cells::CaptureEngine engine_;
    std::optional<store::WalkSession> walk_;
    int opened_ = 0;  // strings opened: an answer for an earlier one is dropped
    std::optional<strings::Place> last_;  // the place stored last
    std::optional<std::size_t> against_;  // the earlier inspection compared with
    QString stateText_;
};

} // namespace voltaryn
