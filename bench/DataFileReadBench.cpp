// Cost of opening a full recording file (36001 records, about 3 MB) into the file list's rows.
#include "files/DataFileReader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace voltaryn {
namespace {

// A recording file of the largest size a recording produces, written once to the temporary
// folder and removed when the benchmarks end.
class FullRecordingFile {
public:
    static constexpr int Records = 36001;

    FullRecordingFile()
        : path_(std::filesystem::temp_directory_path() / ("voltaryn-bench-" + std::to_string(::getpid()) + ".txt"))
    {
        std::ofstream out(path_, std::ios::binary);
        out << "No.s\tTime\tV\t400 mOhm\tAmp\tCelsius\tIn-Cap \tOut-Cap \tT-Cap \r\n";
        char line[96];
        for (int record = 1; record <= Records; ++record) {
            const int second = (36000 + 2 * record) % 86400;
            std::snprintf(line, sizeof line, "%d\t%02d:%02d:%02d\t12.63\t05.41\t-2.000\t24.0\t0000(m)\t0002(m)\t-0002(m)\r\n",
                          record, second / 3600, second / 60 % 60, second % 60);
            out << line;
        }
    }
    ~FullRecordingFile() { std::filesystem::remove(path_); }

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

void BM_ReadFullDataFile(benchmark::State& state)
{
    static const FullRecordingFile file;
    for (auto _ : state) {
        DataFile data = ReadDataFile(file.Path(), [](int record) { benchmark::DoNotOptimize(record); });
        if (data.rows.size() != FullRecordingFile::Records)
            state.SkipWithError("the file did not read back whole");
        benchmark::DoNotOptimize(data);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file.Path())));
}
BENCHMARK(BM_ReadFullDataFile)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace voltaryn
