#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

namespace voltaryn::fuzz {

// Takes a fuzz input apart from the front: single bytes for choices, then runs of bytes. Past
// the end every byte reads as 0 and every run as empty, so a target never reads out of bounds.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}

    bool Empty() const { return rest_.empty(); }
    std::size_t Remaining() const { return rest_.size(); }

    std::uint8_t Byte()
    {
        if (rest_.empty())
            return 0;
        const std::uint8_t byte = rest_.front();
        rest_ = rest_.subspan(1);
        return byte;
    }

    // The next `count` bytes, or as many as are left.
    std::span<const std::uint8_t> Bytes(std::size_t count)
    {
        const auto taken = rest_.first(std::min(count, rest_.size()));
        rest_ = rest_.subspan(taken.size());
        return taken;
    }

    std::span<const std::uint8_t> Rest() { return Bytes(rest_.size()); }

private:
    std::span<const std::uint8_t> rest_;
};

inline std::string_view AsText(std::span<const std::uint8_t> bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// A property every input must keep; a broken one stops the run as a crash does, so that the
// fuzzer saves the input.
inline void Expect(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

} // namespace voltaryn::fuzz
