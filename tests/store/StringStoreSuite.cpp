// Battery strings in the store, the same on every engine.
#include "store/StoreTestDatabase.h"

#include <gmock/gmock.h>

#include <tuple>

namespace voltaryn::store {
namespace {

using strings::Place;
using strings::PlaceKind;

const QString Site = QStringLiteral("Plant 2");
const QString String = QStringLiteral("UPS A");

// A reading of `place` in the inspection `uuid`, taken at the n-th second of the day.
CaptureInput StringCapture(const QString& uuid, Place place, int second, bool missing = false)
{
    CaptureInput capture = Capture({}, QStringLiteral("s1"), second);
    capture.batch.clear();
    capture.grade.clear();
    capture.clientUuid = uuid + "-" + QString::number(second);
    capture.inspection = InspectionTarget{Site, String, uuid, Capture({}, {}, 0).measuredUtc, 21.5, {}, place, missing};
    return capture;
}

// Site "Plant 2" (hall B) with its string "UPS A": three 12 V VRLA blocks, straps measured.
void AddUpsString(CellStore& store)
{
    store.AddSite({Site, QStringLiteral("hall B")});
    store.AddString({Site, String, 3, 12, QStringLiteral("vrla"), 6, true, QDate(2021, 1, 1)});
}

// Sites and strings are made once each under names the name rule takes; a string needs its site.
TEST_P(StoreTest, SitesHoldStringsUnderNamesOfTheirOwn)
{
    auto store = OpenStore(NewDatabase());
    AddUpsString(*store);
    store->AddString({Site, QStringLiteral("DC 48"), 24, 2, QStringLiteral("vla"), 1, false});
    store->AddSite({QStringLiteral("Annex")});
    const struct {
        std::function<void()> call;
        StoreErrorKind kind;
        const char* message;
    } refusals[] = {
        {[&] { store->AddSite({Site}); }, StoreErrorKind::Conflict, "There is already a site \"Plant 2\""},
        {[&] { store->AddSite({QStringLiteral("  ")}); }, StoreErrorKind::Invalid, "the site name is empty"},
        {[&] { store->AddString({Site, String, 3, 12, QStringLiteral("vrla"), 6, true}); }, StoreErrorKind::Conflict,
         "Site \"Plant 2\" has a string \"UPS A\" already"},
        {[&] { store->AddString({QStringLiteral("nowhere"), String, 3, 12, QStringLiteral("vrla"), 6, true}); },
         StoreErrorKind::NotFound, "There is no site \"nowhere\""},
        {[&] { store->Strings(QStringLiteral("nowhere")); }, StoreErrorKind::NotFound, "There is no site \"nowhere\""},
        {[&] { store->Inspections(Site, QStringLiteral("UPS B")); }, StoreErrorKind::NotFound,
         "There is no string \"UPS B\" at site \"Plant 2\""},
        {[&] { store->EditString({Site, QStringLiteral("UPS B"), 3, 12, QStringLiteral("vrla"), 6, true}); },
         StoreErrorKind::NotFound, "There is no string \"UPS B\" at site \"Plant 2\""},
    };
    for (const auto& refusal : refusals) {
        const StoreError error = ErrorOf(refusal.call);
        EXPECT_EQ(error.Kind(), refusal.kind) << refusal.message;
        EXPECT_THAT(error.Message().toStdString(), ::testing::HasSubstr(refusal.message));
    }
    std::vector<QString> sites;
    for (const SiteInfo& site : store->Sites())
        sites.push_back(site.name + "/" + site.notes);
    EXPECT_THAT(sites, ::testing::ElementsAre("Annex/", "Plant 2/hall B"));
    ASSERT_EQ(store->Strings().size(), 2u);
    EXPECT_EQ(store->Strings(QStringLiteral("Annex")).size(), 0u);
    const StringInfo ups = store->FindString(Site, String).value();
    EXPECT_EQ(ups.blocks, 3);
    EXPECT_EQ(ups.nominalVolts, 12);
    EXPECT_EQ(ups.chemistry, QStringLiteral("vrla"));
    EXPECT_EQ(ups.cellsPerBlock, 6);
    EXPECT_TRUE(ups.straps);
    EXPECT_EQ(ups.installed, QDate(2021, 1, 1));
    EXPECT_EQ(ups.policiesJson, QString());
    EXPECT_FALSE(store->FindString(Site, QStringLiteral("DC 48"))->installed.isValid());
    store->SetPolicies(Site, String, QStringLiteral("{\"baseline\":{}}"));
    EXPECT_EQ(store->FindString(Site, String)->policiesJson, QStringLiteral("{\"baseline\":{}}"));
    EXPECT_FALSE(store->FindString(QStringLiteral("Annex"), String));
    // Not inspected yet, a string's layout may change with the rest of its figures.
    StringInfo dc = store->FindString(Site, QStringLiteral("DC 48")).value();
    dc.blocks = 12;
    dc.installed = QDate(2019, 4, 1);
    dc.policiesJson = QStringLiteral("{}");
    store->EditString(dc);
    const StringInfo edited = store->FindString(Site, QStringLiteral("DC 48")).value();
    EXPECT_EQ(std::tuple(edited.blocks, edited.installed, edited.policiesJson), std::tuple(12, QDate(2019, 4, 1), dc.policiesJson));
}

// The first reading makes the inspection; a reading sent twice is stored once, a retest adds to
// its place's history, and a place the string does not have is refused with nothing stored.
TEST_P(StoreTest, AnInspectionKeepsEveryReadingOfItsPlacesInTheWalksOrder)
{
    auto store = OpenStore(NewDatabase());
    AddUpsString(*store);
    const Place block1{PlaceKind::Block, 1};
    const Place strap1{PlaceKind::Strap, 1};
    const Place block2{PlaceKind::Block, 2};
    const Place block3{PlaceKind::Block, 3};
    const CaptureInput walk[] = {StringCapture("i1", block1, 1), StringCapture("i1", strap1, 2),
                                 StringCapture("i1", block2, 3), StringCapture("i1", block3, 4, true),
                                 StringCapture("i1", block2, 5), StringCapture("i1", block1, 1)};
    qint64 inspection = 0;
    for (const CaptureInput& reading : walk) {
        const CaptureReceipt receipt = store->RecordCapture(reading);
        EXPECT_FALSE(receipt.queued);
        EXPECT_NE(receipt.inspectionId, 0);
        inspection = receipt.inspectionId;
    }
    const std::pair<CaptureInput, const char*> refused[] = {
        {StringCapture("i1", {PlaceKind::Strap, 3}, 9), "String \"UPS A\" has no strap 3"},
        {StringCapture("i1", {PlaceKind::Block, 4}, 9), "String \"UPS A\" has no block 4"},
        {[&block1] {
             CaptureInput other = StringCapture("i9", block1, 9);
             other.inspection->string = QStringLiteral("UPS B");
             return other;
         }(),
         "There is no string \"UPS B\" at site \"Plant 2\""},
    };
    for (const auto& [reading, message] : refused) {
        const StoreError error = ErrorOf([&] { store->RecordCapture(reading); });
        EXPECT_EQ(error.Kind(), StoreErrorKind::NotFound);
        EXPECT_EQ(error.Message().toStdString(), message);
    }
    const InspectionInfo info = store->Inspection(inspection).value();
    EXPECT_EQ(info.uuid, QStringLiteral("i1"));
    EXPECT_EQ(info.site, Site);
    EXPECT_EQ(info.string, String);
    EXPECT_EQ(info.ambientC, 21.5);
    EXPECT_EQ(info.station, QStringLiteral("s1"));
    EXPECT_EQ(info.startedUtc, Capture({}, {}, 0).measuredUtc);
    std::vector<std::pair<Place, int>> places;  // with the second each was taken at
    for (const StringReading& reading : store->InspectionReadings(inspection)) {
        places.emplace_back(reading.place, Capture({}, {}, 0).measuredUtc.secsTo(reading.measuredUtc));
        EXPECT_EQ(reading.missing, reading.place == block3);
    }
    EXPECT_THAT(places, ::testing::ElementsAre(std::pair{block1, 1}, std::pair{strap1, 2}, std::pair{block2, 3},
                                               std::pair{block2, 5}, std::pair{block3, 4}));

    // Inspected, its places stay; its installed date and policies may still change.
    StringInfo ups = store->FindString(Site, String).value();
    ups.straps = false;
    EXPECT_EQ(ErrorOf([&] { store->EditString(ups); }).Kind(), StoreErrorKind::Conflict);
    ups.straps = true;
    ups.installed = QDate(2020, 2, 2);
    store->EditString(ups);
    EXPECT_EQ(store->FindString(Site, String)->installed, QDate(2020, 2, 2));

    // A second inspection: the string's readings come by inspection, the earliest first.
    store->RecordCapture(StringCapture("i2", block1, 100));
    ASSERT_EQ(store->Inspections(Site, String).size(), 2u);
    const std::vector<StringReading> all = store->StringReadings(Site, String);
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(all.front().inspectionId, inspection);
    EXPECT_NE(all.back().inspectionId, inspection);
    EXPECT_FALSE(store->Inspection(inspection + 100));
}

// A block's baseline is chosen from an inspection or typed, and the default rule taken back.
TEST_P(StoreTest, ABlocksBaselineIsChosenOrTypedAndTakenBack)
{
    auto store = OpenStore(NewDatabase());
    AddUpsString(*store);
    const qint64 inspection = store->RecordCapture(StringCapture("i1", {PlaceKind::Block, 2}, 1)).inspectionId;
    store->SetBaseline(Site, String, {2, inspection, std::nullopt});
    store->SetBaseline(Site, String, {3, std::nullopt, 5.25});
    store->SetBaseline(Site, String, {1, std::nullopt, 4.0});
    store->SetBaseline(Site, String, {1, std::nullopt, std::nullopt});
    store->SetBaseline(Site, String, {3, std::nullopt, 5.5});
    // Each block's choice: the inspection chosen or the resistance typed, the last one set.
    std::vector<std::tuple<int, std::optional<qint64>, std::optional<double>>> choices;
    for (const BaselineChoice& choice : store->StringHistoryOf(Site, String).baselines)
        choices.emplace_back(choice.block, choice.inspectionId, choice.resistanceMohm);
    EXPECT_EQ(choices, (decltype(choices){{2, inspection, std::nullopt}, {3, std::nullopt, 5.5}}));
}

} // namespace
} // namespace voltaryn::store
