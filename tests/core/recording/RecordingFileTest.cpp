#include "recording/Recorder.h"

#include "../files/TempFile.h"

#include <gmock/gmock.h>

namespace voltaryn {
namespace {

using testing::HasSubstr;

TEST(RecordingFileTest, AFileThatCannotBeCreatedIsReportedAndLeftClosed)
{
    const TempFile folder("folder");
    std::filesystem::create_directory(folder.Path());
    const std::vector<std::pair<std::filesystem::path, const char*>> cases = {
        {folder.Path() / "missing" / "rec.txt", "No such file or directory"},
        {folder.Path(), "Is a directory"},
        {"/dev/full", "No space left on device"},  // opens, but the header cannot be written
    };
    for (const auto& [path, reason] : cases) {
        RecordingFile file;
        const FileStatus status = file.Create(path, "4 Ohm", "Celsius");
        EXPECT_THAT(status.error, HasSubstr(reason)) << path;
        EXPECT_THAT(status.error, HasSubstr(path.string())) << path;
        EXPECT_FALSE(file.IsOpen()) << path;

        MeterReading reading;
        Recorder recorder(reading, 0);
        EXPECT_FALSE(recorder.StartRecording(path)) << path;
        EXPECT_EQ(recorder.LastError(), status.error);
        EXPECT_FALSE(recorder.Recording());
        EXPECT_TRUE(recorder.Labels().fileName.empty());
    }
}

} // namespace
} // namespace voltaryn
