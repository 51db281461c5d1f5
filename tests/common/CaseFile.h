#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace voltaryn::testing {

// Test cases kept as data under tests/data. A case file holds lines of these forms:
//   # a note
//   [name]              starts a case; lines before the first one form a case named after the file
//   part: 00 4b 41      bytes in hex, added to the case's bytes
//   key = "text"        a text of the case, where \0 \t \r \n \" \\ and \xHH stand for their bytes
struct TestCase {
    std::string name;
    std::vector<std::uint8_t> bytes;
    std::vector<std::pair<std::string, std::string>> texts;  // in file order; a key may repeat

    std::vector<std::string> All(const std::string& key) const
    {
        std::vector<std::string> all;
        for (const auto& [k, text] : texts)
            if (k == key)
                all.push_back(text);
        return all;
    }
    std::string Text(const std::string& key) const
    {
        const std::vector<std::string> all = All(key);
        return all.empty() ? std::string() : all.front();
    }
    // The texts of a key as rows of cells joined by TABs; an empty text is a row without cells.
    std::vector<std::vector<std::string>> Rows(const std::string& key) const
    {
        std::vector<std::vector<std::string>> rows;
        for (const std::string& joined : All(key)) {
            std::istringstream cells(joined);
            rows.emplace_back();
            for (std::string cell; !joined.empty() && std::getline(cells, cell, '\t');)
                rows.back().push_back(cell);
            if (joined.ends_with('\t'))
                rows.back().emplace_back();
        }
        return rows;
    }
};

inline std::string Unquote(const std::string& quoted)
{
    const std::map<char, char> escapes = {{'0', '\0'}, {'t', '\t'}, {'r', '\r'}, {'n', '\n'}};
    std::string text;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] == '\\' && quoted[i + 1] == 'x') {
            text += static_cast<char>(std::stoi(quoted.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else if (quoted[i] == '\\') {
            ++i;
            text += escapes.contains(quoted[i]) ? escapes.at(quoted[i]) : quoted[i];
        } else {
            text += quoted[i];
        }
    }
    return text;
}

inline std::vector<TestCase> ReadCaseFile(const std::filesystem::path& file)
{
    std::vector<TestCase> cases{{file.stem().string(), {}, {}}};
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with('#'))
            continue;
        if (line.starts_with('[')) {
            if (!cases.back().bytes.empty() || !cases.back().texts.empty())
                cases.emplace_back();
            cases.back().name = line.substr(1, line.find(']') - 1);
        } else if (const auto eq = line.find(" = "); eq != std::string::npos) {
            cases.back().texts.emplace_back(line.substr(0, eq), Unquote(line.substr(eq + 3)));
        } else if (const auto colon = line.find(':'); colon != std::string::npos) {
            std::istringstream hex(line.substr(colon + 1));
            for (unsigned byte = 0; hex >> std::hex >> byte;)
                cases.back().bytes.push_back(static_cast<std::uint8_t>(byte));
        }
    }
    return cases;
}

// The cases of tests/data/<path>: of one file, or of every file in a folder in name order.
inline std::vector<TestCase> ReadCases(const std::string& path)
{
    const std::filesystem::path data = std::filesystem::path(VOLTARYN_TEST_DATA_DIR) / path;
    if (!std::filesystem::is_directory(data))
        return ReadCaseFile(data);
    std::vector<std::filesystem::path> files(std::filesystem::directory_iterator(data), {});
    std::sort(files.begin(), files.end());
    std::vector<TestCase> cases;
    for (const auto& file : files)
        for (TestCase& c : ReadCaseFile(file))
            cases.push_back(std::move(c));
    return cases;
}

} // namespace voltaryn::testing
