#include "ui/strings/WalkController.h"

#include "cells/ProbeReading.h"
#include "meter/DisplayUnits.h"
#include "store/GradedCapture.h"
#include "report/ReportPage.h"
#include "report/WalkReport.h"
#include "store/StoreError.h"
#include "store/StringJudging.h"
#include "ui/cells/BatchSession.h"
#include "ui/cells/CaptureSounds.h"
#include "ui/cells/CaptureTile.h"
#include "ui/cells/StoreThread.h"
#include "ui/common/DisplayNumbers.h"
#include "ui/common/ScreenFit.h"
#include "ui/common/WalkTexts.h"
#include "ui/strings/StringEditorDialog.h"
#include "ui/strings/WalkReadingsTable.h"

#include <QLocale>
#include <QSysInfo>

namespace voltaryn {
namespace {

// The place's headline is a few words; it is set smaller than a grade's letter.
constexpr int PlacePoints = 48;

} // namespace

WalkController::WalkController(const FeatureContext& context, const MeterSession& meter, BatchSession& session,
                               CellSortingSetup setup)
    : context_(context), meter_(meter), session_(session), setup_(std::move(setup)), sounds_(new CaptureSounds(this))
{
    connect(sounds_, &CaptureSounds::notice, this, [this](const QString& text) {
        if (!window_.isNull())
            window_->ShowNotice(text);
    });
    // A reading the store could not keep is not in the walk: its place is expected again.
    connect(&session_, &BatchSession::failed, this, [this](const QString& message) {
        if (window_.isNull())
            return;
        window_->ShowNotice(message.simplified());
        if (walk_) {
            walk_->StartAtFirstEmpty();
            Refresh();
        }
    });
    setup_.sinceStart = SteadyClockOf(setup_);
}

WalkController::~WalkController() = default;

void WalkController::Register(ToolbarCommands& toolbar) { toolbar.Add("Strings", [this] { Open(); }); }

void WalkController::Open()
{
    if (!window_.isNull()) {
        BringForward(*window_);
        return;
    }
    window_ = new WalkWindow(&context_.mainWindow);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    connect(window_, &WalkWindow::stringChosen, this, &WalkController::OpenString);
    connect(window_, &WalkWindow::backRequested, this, &WalkController::Back);
    connect(window_, &WalkWindow::skipRequested, this, &WalkController::Skip);
    connect(window_, &WalkWindow::retestRequested, this, &WalkController::Retest);
    connect(window_, &WalkWindow::goToRequested, this, &WalkController::GoTo);
    connect(window_, &WalkWindow::blockChosen, this, &WalkController::ShowTrend);
    connect(window_, &WalkWindow::reportRequested, this, &WalkController::WriteReport);
    connect(window_, &WalkWindow::newStringRequested, this, [this] { NewString(); });
    connect(window_, &WalkWindow::editStringRequested, this, [this] { EditString(); });
    connect(window_, &WalkWindow::comparisonChosen, this, [this](int inspection) {
        against_ = inspection < 0 ? std::nullopt : std::optional(static_cast<std::size_t>(inspection));
        Refresh();
    });
    walk_.reset();
    against_.reset();
    engine_ = cells::CaptureEngine();
    stateText_ = WalkTexts::StateText({});
    ShowBeside(*window_, context_.mainWindow, QSize(1280, 720));
    ListStrings({}, {});
}

// Lists every site's strings and opens `string` of `site`, else the first.
void WalkController::ListStrings(const QString& site, const QString& string)
{
    if (session_.Store() == nullptr)
        return;
    session_.Store()->Run<std::vector<store::StringInfo>>(
        [](store::CellStore& store) { return store.Strings(); },
        [this, site, string](const std::vector<store::StringInfo>& strings) {
            if (window_.isNull())
                return;
            if (strings.empty()) {
                window_->SetStrings({}, {}, {});
                window_->ShowNotice(tr("The database holds no battery string yet: add one with New String…"));
                return;
            }
            const auto chosen = std::ranges::find_if(strings, [&](const store::StringInfo& s) {
                return s.site == site && s.name == string;
            });
            const store::StringInfo& open = chosen == strings.end() ? strings.front() : *chosen;
            window_->SetStrings(strings, open.site, open.name);
            OpenString(open.site, open.name);
        });
}

void WalkController::OpenString(const QString& site, const QString& string)
{
    if (session_.Store() == nullptr)
        return;
    const int opening = ++opened_;
    walk_.reset();
    against_.reset();
    session_.Store()->Run<store::JudgedString>(
        [site, string](store::CellStore& store) {
            store.SendQueueIfDue();  // so that an inspection cut short is found whole
            return store::ReadJudgedString(store, site, string);
        },
        [this, opening](const store::JudgedString& judged) {
            if (window_.isNull() || opening != opened_)
                return;
            walk_.emplace(judged, setup_.utcNow(), std::nullopt, QString());
            last_.reset();
            ShowComparisons();
            window_->setWindowTitle(tr("String Inspection — %1 / %2").arg(judged.string.site, judged.string.name));
            window_->ShowNotice(walk_->Resumed() ? tr("Today's inspection of this string goes on.")
                                                 : tr("A new inspection of this string begins."));
            Refresh();
        });
}

// The earlier inspections to compare with, the latest of them chosen.
void WalkController::ShowComparisons()
{
    const store::JudgedString& judged = walk_->Judged();
    const std::size_t earlier = judged.records.size() - 1;
    QStringList names;
    for (std::size_t index = 0; index < earlier; ++index)
        names << QLocale().toString(judged.inspections[index].startedUtc.toLocalTime(), QLocale::ShortFormat);
    against_ = earlier > 0 ? std::optional(earlier - 1) : std::nullopt;
    window_->SetComparisons(names, against_ ? static_cast<int>(*against_) : -1);
}

void WalkController::NewString(std::optional<store::StringInfo> draft)
{
    if (window_.isNull() || session_.Store() == nullptr)
        return;
    if (!draft)
        draft = StringEditorDialog::NewDraft(walk_ ? walk_->Judged().string.site : QString());
    StringEditorDialog dialog(context_.dialogs, window_->Strings(), *draft, window_);
    context_.dialogs.RunModal(dialog);
    if (dialog.result() == QDialog::Accepted)
        Keep(dialog.String(), false);
}

void WalkController::EditString(const std::optional<store::StringInfo>& draft)
{
    if (window_.isNull() || !walk_ || session_.Store() == nullptr)
        return;
    const store::JudgedString& judged = walk_->Judged();
    StringEditorDialog dialog(context_.dialogs, draft.value_or(judged.string), !judged.readings.empty(), window_);
    context_.dialogs.RunModal(dialog);
    if (dialog.result() == QDialog::Accepted)
        Keep(dialog.String(), true);
}

// Adds `string` (and its site, when the store has none of that name) or keeps its edit, then opens
// it; a refusal is shown and the dialog opens again with what was typed.
void WalkController::Keep(const store::StringInfo& string, bool edited)
{
    session_.Store()->Run<QString>(
        [string, edited](store::CellStore& db) {
            try {
                if (edited) {
                    db.EditString(string);
                } else {
                    const std::vector<store::SiteInfo> sites = db.Sites();
                    if (std::ranges::find(sites, string.site, &store::SiteInfo::name) == sites.end())
                        db.AddSite({string.site});
                    db.AddString(string);
                }
            } catch (const store::StoreError& error) {
                return error.Message();
            }
            return QString();
        },
        [this, string, edited](const QString& refusal) {
            if (window_.isNull())
                return;
            if (refusal.isEmpty()) {
                ListStrings(string.site, string.name);
                return;
            }
            context_.dialogs.ShowMessage(window_, MessageIcon::Critical, refusal);
            if (edited)
                EditString(string);
            else
                NewString(string);
        });
}

void WalkController::DisplayDecoded()
{
    if (window_.isNull() || !window_->isVisible() || !walk_)
        return;
    const std::vector<std::string_view> lit = WordsShown(meter_.pollLoop.Display().lit);
    const cells::CaptureStep step = engine_.Feed(setup_.sinceStart(), cells::ReadProbes(meter_.reading, lit));
    if (step.Capture)
        Take(*step.Capture);
    if (step.Problem != cells::CaptureProblem::None) {
        sounds_->Play(CaptureSounds::Reject);
        stateText_ = WalkTexts::ProblemText(step.Problem);
    } else if (step.State != cells::CaptureState::Captured) {
        stateText_ = WalkTexts::StateText(step);
    }
    window_->Tile().ShowState(stateText_);
}

void WalkController::Take(const cells::CellCapture& capture)
{
    const std::optional<strings::Place> expected = walk_->Walk().Expected();
    const auto taken = walk_->Walk().Take(capture.Voltage);
    if (const auto* refusal = std::get_if<strings::WalkRefusal>(&taken)) {
        sounds_->Play(CaptureSounds::Reject);
        window_->ShowNotice(WalkTexts::RefusalText(*refusal, expected));
        return;
    }
    const auto& place = std::get<strings::Taken>(taken);
    window_->ShowNotice(place.skippedStrap
                            ? tr("%1 passed over: its reading stays empty")
                                  .arg(WalkTexts::PlaceName({strings::PlaceKind::Strap, place.place.number - 1}))
                            : QString());
    Store(place.place, false, store::CapturedReading(capture));
}

void WalkController::Store(strings::Place place, bool missing, store::CaptureInput reading)
{
    reading.station = QSysInfo::machineHostName();
    reading.operatorName = qEnvironmentVariable("USER");
    reading.measuredUtc = setup_.utcNow();
    const store::CaptureInput input = walk_->InputFor(place, missing, std::move(reading));
    const int opening = opened_;
    Refresh();  // the walk has moved on already
    session_.Store()->Run<store::CaptureReceipt>(
        [input](store::CellStore& store) { return store.RecordCapture(input); },
        [this, input, opening](const store::CaptureReceipt& receipt) {
            if (window_.isNull() || !walk_ || opening != opened_)
                return;
            walk_->Recorded(input, receipt);
            last_ = input.inspection->place;
            Refresh();
            const strings::InspectionVerdicts verdicts = walk_->Verdicts();
            if (const strings::ReadingVerdict* verdict = store::WalkSession::VerdictOf(verdicts, *last_))
                Announce(verdict->verdict);
        });
}

void WalkController::Back()
{
    if (!walk_)
        return;
    walk_->Walk().Back();
    Refresh();
}

void WalkController::Skip()
{
    if (!walk_)
        return;
    if (const std::optional<strings::Place> missing = walk_->Walk().Skip())
        Store(*missing, true, {});
    else
        Refresh();
}

void WalkController::Retest(int block)
{
    if (!walk_ || !walk_->Walk().Retest({strings::PlaceKind::Block, block}))
        return;
    Refresh();
}

void WalkController::GoTo()
{
    if (!walk_)
        return;
    const QString text = context_.dialogs.AskText(window_, tr("Go to"), tr("Go on at block:"), {}).trimmed();
    bool number = false;
    const int block = text.toInt(&number);
    if (text.isEmpty())
        return;
    if (!number || !walk_->Walk().GoTo(block)) {
        window_->ShowNotice(tr("This string has no block %1").arg(text));
        return;
    }
    Refresh();
}

void WalkController::WriteReport()
{
    if (!walk_ || session_.Store() == nullptr)
        return;
    if (walk_->InspectionId() == 0) {
        window_->ShowNotice(tr("The report waits until the server has this inspection."));
        return;
    }
    const QString name = context_.dialogs.AskSaveFileName(window_, tr("PDF (*.pdf)"));
    if (name.isEmpty())
        return;
    const qint64 inspection = walk_->InspectionId();
    std::optional<qint64> against;
    if (against_ && walk_->Judged().inspections[*against_].id == 0) {
        window_->ShowNotice(tr("The inspection compared with waits in the queue: the report waits until the server has it."));
        return;
    }
    if (against_)
        against = walk_->Judged().inspections[*against_].id;
    struct Loaded {
        report::WalkReport report;
    };
    session_.Store()->Run<Loaded>(
        [inspection, against](store::CellStore& store) { return Loaded{report::LoadWalkReport(store, inspection, against)}; },
        [this, name](const Loaded& loaded) {
            QString told;
            try {
                report::WriteWalkReport(loaded.report, name, setup_.utcNow());
                told = tr("Wrote the inspection's report to %1.").arg(name);
            } catch (const report::ReportError& error) {
                told = QString::fromUtf8(error.what());
            }
            if (!window_.isNull())
                window_->ShowNotice(told);
        });
}

void WalkController::Refresh()
{
    if (window_.isNull() || !walk_)
        return;
    const store::JudgedString& judged = walk_->Judged();
    const strings::InspectionVerdicts verdicts = walk_->Verdicts();
    const std::optional<strings::InspectionVerdicts> compared =
        against_ ? std::optional(judged.Judge(judged.records[*against_])) : std::nullopt;
    report::StringChart chart = report::StringChartOf(judged, verdicts, compared ? &*compared : nullptr);
    const std::optional<strings::Place> next = walk_->Walk().Expected();
    chart.marked = next ? std::optional(next->number) : std::nullopt;
    window_->ShowChart(std::move(chart));
    WalkReadingsTable table = WalkReadingsTableOf(*walk_, verdicts, against_);
    window_->ShowReadings(table.header, table.rows, table.colours);
    ShowLast(verdicts);
    ShowTrend();
}

void WalkController::ShowTrend()
{
    const int block = window_->SelectedBlock();
    if (!walk_ || block < 1 || block > walk_->Judged().layout.blocks) {
        window_->ShowTrend(std::nullopt, std::nullopt, {});
        return;
    }
    const std::vector<strings::BlockTrend> trends = walk_->Judged().Trends();
    if (trends.empty()) {
        window_->ShowTrend(std::nullopt, std::nullopt, tr("The string's policies have no baseline rule to trend by."));
        return;
    }
    const strings::BlockTrend& trend = trends[static_cast<std::size_t>(block - 1)];
    const auto day = [](const std::optional<strings::LimitForecast>& line) {
        if (!line)
            return tr("not forecast");
        const std::chrono::year_month_day date{line->date};
        const QDate shown(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                          static_cast<int>(static_cast<unsigned>(date.day())));
        const QString text = QLocale().toString(shown, QLocale::ShortFormat);
        return line->now ? tr("reached (%1)").arg(text) : text;
    };
    const QString forecast =
        trend.slopePercentPerYear
            ? tr("%1 % a year; warn: %2; fail: %3").arg(DisplayNumber(*trend.slopePercentPerYear, 1), day(trend.warn), day(trend.fail))
            : tr("Too few inspections for a trend (%1 at least)").arg(strings::FewestTrendPoints);
    window_->ShowTrend(trend, strings::BaselineLimits(walk_->Judged().policies), forecast);
}

// The tile: the place next, and the last reading with its change and verdict in its colour.
void WalkController::ShowLast(const strings::InspectionVerdicts& verdicts)
{
    const std::optional<strings::Place> next = walk_->Walk().Expected();
    const int blocks = walk_->Judged().layout.blocks;
    const QString headline = next ? WalkTexts::PlaceHeadline(*next, blocks) : tr("Walk done");
    const strings::ReadingVerdict* verdict = last_ ? store::WalkSession::VerdictOf(verdicts, *last_) : nullptr;
    if (!last_ || verdict == nullptr) {
        window_->Tile().ShowLines({}, headline, PlacePoints, {}, {}, {});
        window_->Tile().ShowState(stateText_);
        return;
    }
    const store::StringReading& reading = walk_->Judged().readings.back();
    const QString caption = tr("Last: %1 %2 %3")
                                .arg(WalkTexts::PlaceName(*last_), WalkTexts::ChangeText(verdict->changePercent),
                                     WalkTexts::VerdictName(verdict->verdict));
    window_->Tile().ShowLines(report::VerdictColour(verdict->verdict), headline, PlacePoints,
                              WalkTexts::VoltageText(reading.voltageV),
                              WalkTexts::ResistanceText(last_->kind, reading.resistanceMohm), caption.simplified());
    window_->Tile().ShowState(stateText_);
}

// One beep for a pass, the lower one for a warning, three low ones for a failure.
void WalkController::Announce(strings::Verdict verdict)
{
    if (verdict == strings::Verdict::Pass)
        sounds_->Play(0);
    else if (verdict == strings::Verdict::Warn)
        sounds_->Play(1);
    else if (verdict == strings::Verdict::Fail)
        sounds_->Play(CaptureSounds::Reject);
}

} // namespace voltaryn
