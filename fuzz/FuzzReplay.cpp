// Feeds files to the fuzz targets without libFuzzer, so that the ordinary test run replays their
// seed corpora and the inputs that once broke them: one program holds every target; the first
// argument names the target, each further one is a file or a folder of files (a folder that does
// not exist holds none). A broken input stops the program as it stopped the fuzzer.
#include "FuzzTarget.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

void Replay(voltaryn::fuzz::TargetFunction target, const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::printf("%s\n", file.c_str());
    std::fflush(stdout);
    target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char** argv)
{
    const auto target = argc > 1 ? voltaryn::fuzz::Targets().find(argv[1]) : voltaryn::fuzz::Targets().end();
    if (target == voltaryn::fuzz::Targets().end()) {
        std::fprintf(stderr, "usage: voltaryn_fuzz_replay TARGET FILE_OR_FOLDER...; TARGET one of:");
        for (const auto& [name, function] : voltaryn::fuzz::Targets())
            std::fprintf(stderr, " %s", name.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    int replayed = 0;
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path place(argv[i]);
        if (std::filesystem::is_directory(place)) {
            for (const auto& entry : std::filesystem::directory_iterator(place))
                if (entry.is_regular_file() && !entry.path().filename().string().starts_with(".")) {
                    Replay(target->second, entry.path());
                    ++replayed;
                }
        } else if (std::filesystem::exists(place)) {
            Replay(target->second, place);
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;  // no input at all means the corpus was not found
}
