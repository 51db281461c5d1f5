// Feeds files to a fuzz target without libFuzzer, so that the ordinary test run replays its seed
// corpus and the inputs that once broke it: each argument is a file or a folder of files (a
// folder that does not exist holds none). A broken input stops the program as it stopped the
// fuzzer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Replay(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::printf("%s\n", file.c_str());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path place(argv[i]);
        if (std::filesystem::is_directory(place)) {
            for (const auto& entry : std::filesystem::directory_iterator(place))
                if (entry.is_regular_file() && !entry.path().filename().string().starts_with(".")) {
                    Replay(entry.path());
                    ++replayed;
                }
        } else if (std::filesystem::exists(place)) {
            Replay(place);
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;  // no input at all means the corpus was not found
}
