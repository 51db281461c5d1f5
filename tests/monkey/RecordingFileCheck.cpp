#include "monkey/Monkey.h"

#include <charconv>
#include <fstream>
#include <iterator>

namespace voltaryn::monkey {

std::string RecordingFileFault(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return "cannot be read";
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (text.empty())
        return {};
    if (!text.starts_with("No.s\t"))
        return "does not start with its header";
    if (!text.ends_with("\r\n"))
        return "ends in a partial line";
    int expected = 1;
    for (std::size_t begin = text.find("\r\n") + 2; begin < text.size(); ++expected) {
        const std::size_t end = text.find("\r\n", begin);
        const std::string_view line(text.data() + begin, end - begin);
        int number = 0;
        const auto [stop, error] = std::from_chars(line.data(), line.data() + line.size(), number);
        if (error != std::errc() || stop == line.data() + line.size() || *stop != '\t' || number != expected)
            return "record " + std::to_string(expected) + " reads \"" + std::string(line) + "\"";
        begin = end + 2;
    }
    return {};
}

} // namespace voltaryn::monkey
