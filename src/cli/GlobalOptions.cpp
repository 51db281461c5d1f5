#include "cli/GlobalOptions.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

namespace voltaryn::cli {

Format FormatFor(std::optional<Format> format, const std::string& file)
{
    if (format)
        return *format;
    if (IsStandardOutput(file))
        return Format::Text;
    static const std::map<std::string, Format> byExtension{
        {".tsv", Format::Tsv}, {".csv", Format::Csv}, {".json", Format::Json}, {".jsonl", Format::Json}};
    std::string extension = std::filesystem::path(file).extension().string();
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
    const auto found = byExtension.find(extension);
    return found == byExtension.end() ? Format::Data : found->second;
}

std::optional<std::chrono::system_clock::time_point> SimulatedClockStart(const DemoOptions& options)
{
    if (!options.simulatedStart || !options.storageDays)
        return options.simulatedStart;
    return *options.simulatedStart + std::chrono::days{*options.storageDays};
}

} // namespace voltaryn::cli
