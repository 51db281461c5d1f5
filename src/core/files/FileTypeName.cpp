#include "files/FileTypeName.h"

#include <algorithm>
#include <cctype>

namespace voltaryn {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool EndsWithIgnoringCase(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                                                   [](char a, char b) { return Lower(a) == Lower(b); });
}

} // namespace

std::string WithFileTypeExtension(std::string_view name, std::string_view fileType)
{
    const std::size_t open = fileType.rfind('(');
    const std::size_t close = fileType.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return std::string(name);
    std::string_view patterns = fileType.substr(open + 1, close - open - 1);
    std::string_view firstExtension;
    while (!patterns.empty()) {
        const std::size_t blank = std::min(patterns.find(' '), patterns.size());
        const std::string_view pattern = patterns.substr(0, blank);
        patterns.remove_prefix(std::min(blank + 1, patterns.size()));
        if (pattern.empty())
            continue;
        const std::string_view extension = pattern.substr(1);  // ".txt" of "*.txt"
        if (!pattern.starts_with("*.") || extension.find_first_of("*?[") != std::string_view::npos
            || EndsWithIgnoringCase(name, extension))
            return std::string(name);
        if (firstExtension.empty())
            firstExtension = extension;
    }
    return std::string(name) + std::string(firstExtension);
}

} // namespace voltaryn
