#pragma once

#include "cells/Grades.h"
#include "cells/PackSearch.h"
#include "cells/PackTypes.h"
#include "store/BatchCells.h"
#include "ui/common/FeatureContext.h"
#include "ui/packs/PackBuilderWindow.h"
#include "ui/panel/ToolbarCommands.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace voltaryn {

class BatchSession;
class PackBuilderWindow;

// The Pack Builder flow: the toolbar's "Packs" key opens the window on the batch the session holds,
// the one open in every window. A build
// takes the batch's usable cells of the ticked grades (cells::WhyLeftOut) and searches on a worker
// thread, which Cancel stops. The pack built can have a cell replaced, be saved in the database,
// and be exported as CSV or its map as PDF; the batch's report is written as PDF. A cancelled build
// leaves the pack built before as it was, and a pack is saved into the batch it was built from, as
// it was built.
class PackBuilderController : public QObject {
    Q_OBJECT
public:
    // `search`: each build's seed, limits and clock; tests give their own.
    PackBuilderController(const FeatureContext& context, BatchSession& session, cells::PackSearchOptions search);
    ~PackBuilderController() override;

    void Register(ToolbarCommands& toolbar);
    // Opens the window (on `batch` when given), or brings it forward.
    void Open(const QString& batch = {});
    // Asks for a PDF file and writes the report of `batch` into it; `tell` hears how it went.
    void WriteReport(const QString& batch, const std::function<void(const QString&)>& tell);

    PackBuilderWindow* Window() const;
    // S and P of the last build, which the window opens with; the program remembers them.
    PackShape& Shape() { return shape_; }

private:
    void ShowBatch();
    void Build();
    void BuildEnded();
    void Replace(const QString& cellId);
    void Save();
    void ExportCsv();
    void ExportPdf();
    void ShowPack();
    void Tell(const QString& text);
    // " Left out: 2 rejected, 1 without a capacity." in the window's language; empty when none was.
    static QString LeftOutSentence(const cells::PackOffer& offer);

    const FeatureContext& context_;
    BatchSession& session_;
    cells::PackSearchOptions searchOptions_;
    QPointer<PackBuilderWindow> window_;
    // A pack with the batch, the request and the cells it was built from.
    struct BuiltPack {
        QString batch;
        cells::PackRequest request;
        std::vector<cells::PackCell> cells;
        cells::Pack pack;
        QString savedAs = {};  // the name it is saved under; empty until it is, and again once changed
    };
    std::optional<BuiltPack> built_;  // what Replace, Save and the exports take
    BuiltPack building_;              // the build under way, its pack still empty
    QString leftOut_;                 // why the build under way was offered fewer cells
    std::shared_ptr<std::atomic<bool>> cancel_;  // the running search's
    // The search's own thread, gone with the controller rather than idling in Qt's shared pool.
    QThreadPool searchThread_;
    QFutureWatcher<cells::PackOutcome> search_;
    PackShape shape_;
};

} // namespace voltaryn
