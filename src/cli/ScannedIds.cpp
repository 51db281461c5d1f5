#include "cli/ScannedIds.h"

#include "cells/CellId.h"
#include "cells/NameRule.h"

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
            Add(partial_);
            return;
        }
        for (const char c : std::string_view(bytes.data(), static_cast<std::size_t>(got))) {
            if (c != '\n' && c != '\r') {
                partial_ += c;
            } else {
                Add(partial_);
                partial_.clear();
            }
        }
    }
}

void ScannedIds::Add(const std::string& line)
{
    try {
        if (std::string id = cells::NormalCellId(line); !id.empty())
            ready_.push_back(std::move(id));
    } catch (const cells::NameRefused& refused) {
        told_ << "voltaryn-cli: scanned ID refused, scan it again: " << refused.what() << '\n';
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
