#include "support/PanelHarness.h"

namespace voltaryn::testing {
namespace {

class MemoryDownloadTest : public PanelHarness {
protected:
    MemoryDownloadTest() { Rotation(); }
};

TEST_F(MemoryDownloadTest, LoadsEveryRecordWithProgressWhilePollingWaits)
{
    QStringList captions;
    std::vector<bool> polling;
    pump.onEvents = [&] {
        captions << List("ManualList")->windowTitle();
        polling.push_back(Polling());
    };
    const std::size_t before = backend.written.size();
    Click("Memory");

    RecordListWindow* list = List("ManualList");
    ASSERT_NE(list, nullptr);
    const int count = sim::SimulatedMeter::DefaultRecords;
    ASSERT_EQ(list->Model().rowCount(), count);
    EXPECT_EQ(list->Model().Table().rows.back().front(), std::to_string(count));
    EXPECT_EQ(list->windowTitle(), "Manual List");
    ASSERT_EQ(captions.size(), count);
    EXPECT_EQ(captions.front(), "Loading=> 8.33 %");
    EXPECT_EQ(captions.back(), "Loading=> 100.00 %");
    EXPECT_EQ(polling, std::vector<bool>(count, false));
    EXPECT_TRUE(Polling());

    EXPECT_EQ(backend.written.size(), before + 1 + count) << "the record count, then each record, and nothing else";
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MemoryDownloadTest, RefusedInAutomaticModesAndWithoutRecords)
{
    Child<QAbstractButton>("BtnAM")->click();
    Rotation();
    ASSERT_TRUE(session.reading.AutoMemoryOn);
    Click("Memory");
    EXPECT_EQ(dialogs.messages, QStringList{"Error loading in this mode,\nplease check out and try again."});
    EXPECT_EQ(List("ManualList"), nullptr);

    Child<QAbstractButton>("BtnAM")->click();
    Rotation();
    meter.FillMemory(0);
    dialogs.messages.clear();
    Click("Memory");
    EXPECT_EQ(dialogs.messages, QStringList{"No Data !!!"});
    EXPECT_EQ(List("ManualList"), nullptr);
    EXPECT_TRUE(Polling());
}

} // namespace
} // namespace voltaryn::testing
