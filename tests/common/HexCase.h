#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace voltaryn::testing {

// One case of a folder under tests/data: the bytes of a reply, written as hex on lines of the form
// "part: 00 4b ..." and joined in order, and the texts expected from it, as lines of the form
// `name = "text"` where \0 stands for the character with code 0. Lines starting with # are notes.
struct HexCase {
    std::string name;  // the file's name without its extension
    std::vector<std::uint8_t> bytes;
    std::vector<std::pair<std::string, std::string>> expected;
};

inline std::string UnquoteText(const std::string& quoted)
{
    std::string text;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        const bool codeZero = quoted[i] == '\\' && quoted[i + 1] == '0';
        text += codeZero ? '\0' : quoted[i];
        i += codeZero ? 1 : 0;
    }
    return text;
}

inline HexCase ReadHexCase(const std::filesystem::path& file)
{
    HexCase c{file.stem().string(), {}, {}};
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with('#'))
            continue;
        if (const auto eq = line.find(" = "); eq != std::string::npos) {
            c.expected.emplace_back(line.substr(0, eq), UnquoteText(line.substr(eq + 3)));
        } else if (const auto colon = line.find(':'); colon != std::string::npos) {
            std::istringstream hex(line.substr(colon + 1));
            unsigned byte = 0;
            while (hex >> std::hex >> byte)
                c.bytes.push_back(static_cast<std::uint8_t>(byte));
        }
    }
    return c;
}

// Every case in tests/data/<folder>, in name order.
inline std::vector<HexCase> ReadHexCases(const std::string& folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VOLTARYN_TEST_DATA_DIR) / folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<HexCase> cases;
    for (const auto& file : files)
        cases.push_back(ReadHexCase(file));
    return cases;
}

} // namespace voltaryn::testing
