#include "outcomes/Outcome.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

std::string Told(const std::optional<OutcomeReport>& outcome)
{
    return outcome ? GuiText(*outcome) + " | " + CliText(*outcome) : "";
}

// How each transfer's end becomes an outcome, figures included; a transfer that did all that was
// asked has none.
TEST(OutcomeTest, EachTransferEndBecomesItsOutcomeWithItsFigures)
{
    const std::pair<std::optional<OutcomeReport>, std::string> cases[] = {
        {OutcomeOf(ManualDownloadResult{ManualDownloadEnd::Completed, 5, 5, {}}), ""},
        {OutcomeOf(ManualDownloadResult{ManualDownloadEnd::NoRecords, 0, 0, {}}), "No Data !!! | "},
        {OutcomeOf(ManualDownloadResult{ManualDownloadEnd::NoReply, 0, 0, {}}),
         "The meter did not answer; nothing was loaded. | the meter did not answer; nothing was loaded"},
        {OutcomeOf(ManualDownloadResult{ManualDownloadEnd::NoReply, 40, 17, {}}),
         "The meter stopped answering: 17 of 40 records were loaded. | the meter stopped answering after 17 of 40 "
         "records"},
        {OutcomeOf(ManualDownloadResult{ManualDownloadEnd::BadCount, 0, 0, {}}),
         "The meter's record count makes no sense. | the meter's record count makes no sense"},
        {OutcomeOf(SdListingEnd::Completed, 4), ""}, {OutcomeOf(SdListingEnd::EmptyBlock, 2), ""},
        {OutcomeOf(SdListingEnd::Unreadable, 2),
         "The meter's file list could not be read to its end. | the meter's SD card file list makes no sense"},
        {OutcomeOf(SdListingEnd::NoReply, 3), "The meter stopped answering; the list is not complete. | the meter "
                                              "stopped answering while it listed its SD card, after 3 files"},
        {OutcomeOf(ManualDownloadResult{ManualDownloadEnd::Nonsense, 12, 4, "record 5: its time stamp is no time"}),
         "The meter answered nonsense: record 5: its time stamp is no time. | the meter answered nonsense: record 5: "
         "its time stamp is no time"},
        {OutcomeOf(SdDownloadEnd::Completed, 5000), ""},
        {OutcomeOf(SdDownloadEnd::Nonsense, 17, "line 29 is no record"),
         "The meter answered nonsense: line 29 is no record. | the meter answered nonsense: line 29 is no record"},
        {OutcomeOf(SdDownloadEnd::NoReply, 1717), "The meter stopped answering: 1717 records were loaded. | the "
                                                  "meter stopped answering during the download, after 1717 records"},
        {OutcomeOf(ComparatorLoadResult{99}), ""},
        {OutcomeOf(ComparatorLoadResult{41}), "The meter stopped answering: 41 of 99 comparator entries were read, "
                                              "and only those are shown. | the meter stopped answering after 41 of "
                                              "99 entries"},
        {OutcomeOf(Answer<int>{ReplySource::Fresh, 3}), ""},
        {OutcomeOf(Answer<int>{ReplySource::Invalid, std::nullopt}),
         "The meter's answer makes no sense; nothing was changed. | the meter's answer makes no sense"},
    };
    for (const auto& [outcome, told] : cases)
        EXPECT_EQ(Told(outcome), told);

    for (const ReplySource silent : {ReplySource::Previous, ReplySource::None}) {
        std::optional<OutcomeReport> outcome = OutcomeOf(Answer<int>{silent, 3});
        ASSERT_TRUE(outcome);
        outcome->device = "/dev/hidraw2";
        EXPECT_EQ(CliText(*outcome), "the meter at /dev/hidraw2 stopped answering");
    }
}

} // namespace
} // namespace voltaryn
