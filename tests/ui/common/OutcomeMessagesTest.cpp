#include "support/ScriptedDialogService.h"

#include "cli/CliError.h"
#include "ui/common/OutcomeMessages.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

using testing::ScriptedDialogService;

// Every outcome reaches the user on both surfaces: the window in a box or on its message line,
// the command line as one line with its exit code, or not at all where it carries on.
TEST(OutcomeMessagesTest, EveryOutcomeIsToldByTheWindowAndByTheCommandLineWithItsFigures)
{
    for (const OutcomeEntry& entry : OutcomeTable) {
        SCOPED_TRACE(std::string(entry.gui));
        const OutcomeReport report{entry.outcome, 7, 12, "/dev/hidraw9"};

        ScriptedDialogService dialogs;
        QString line;
        ShowOutcome(report, dialogs, nullptr, [&line](const QString& text) { line = text; });
        const bool onLine = entry.place == OutcomePlace::MessageLine;
        EXPECT_EQ(dialogs.messages.size(), onLine ? 0 : 1);
        const QString shown = onLine ? line : dialogs.messages.value(0);
        EXPECT_FALSE(shown.isEmpty());
        EXPECT_FALSE(shown.contains('{')) << shown.toStdString();
        EXPECT_EQ(shown.contains("7"), entry.gui.find("{n}") != std::string_view::npos);

        ScriptedDialogService noLine;  // a window without a message line shows it in a box
        ShowOutcome(report, noLine, nullptr);
        EXPECT_EQ(noLine.messages, QStringList{shown});

        if (entry.exitCode == ExitCode::Success) {
            EXPECT_NO_THROW(cli::FailOn(report));
            continue;
        }
        try {
            cli::FailOn(report);
            ADD_FAILURE() << "the command line carried on";
        } catch (const cli::CliError& error) {
            const std::string told = error.what();
            EXPECT_EQ(error.Code(), entry.exitCode);
            EXPECT_TRUE(std::islower(static_cast<unsigned char>(told.front()))) << told;
            EXPECT_EQ(told.find_first_of("{}\n"), std::string::npos) << told;
            EXPECT_EQ(told.find("7") != std::string::npos, entry.cli.find("{n}") != std::string_view::npos) << told;
        }
    }
}

} // namespace
} // namespace voltaryn
