#include "cli/ScannedIds.h"

#include <array>
#include <poll.h>
#include <unistd.h>

namespace voltaryn::cli {

void ScannedIds::Read()
{
    while (!ended_) {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (poll(&input, 1, 0) <= 0 || (input.revents & (POLLIN | POLLHUP)) == 0)
            return;
        std::array<char, 512> bytes{};
        const ssize_t got = read(STDIN_FILENO, bytes.data(), bytes.size());
        if (got <= 0) {
            ended_ = true;  // the input was closed: what is left is the last ID
            if (!partial_.empty())
                ready_.push_back(std::move(partial_));
            return;
        }
        for (const char c : std::string_view(bytes.data(), static_cast<std::size_t>(got))) {
            if (c != '\n' && c != '\r') {
                partial_ += c;
            } else if (!partial_.empty()) {
                ready_.push_back(std::move(partial_));
                partial_.clear();
            }
        }
    }
}

std::string ScannedIds::Take()
{
    if (ready_.empty())
        return {};
    std::string id = std::move(ready_.front());
    ready_.pop_front();
    return id;
}

} // namespace voltaryn::cli
