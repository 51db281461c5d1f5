#include "protocol/Replies.h"

#include "text/CharacterCodes.h"

#include <limits>

namespace voltaryn::protocol {
namespace {

std::uint8_t ByteAt(std::span<const std::uint8_t> reply, std::size_t i) { return i < reply.size() ? reply[i] : 0; }

template <std::size_t N>
std::array<std::uint8_t, N> BytesFrom(std::span<const std::uint8_t> reply, std::size_t first)
{
    std::array<std::uint8_t, N> bytes{};
    for (std::size_t i = 0; i < N; ++i)
        bytes[i] = ByteAt(reply, first + i);
    return bytes;
}

} // namespace

std::string DecodeIdentification(std::span<const std::uint8_t> reply)
{
    std::string ident;
    for (std::size_t i = 1; i <= 7; ++i)
        ident += CharacterFromCode(ByteAt(reply, i));
    return ident;
}

std::int16_t DecodeByteValue(std::span<const std::uint8_t> reply) { return ByteAt(reply, 1); }

std::optional<std::int16_t> DecodeCount(std::span<const std::uint8_t> reply)
{
    const int value = ByteAt(reply, 1) + 256 * ByteAt(reply, 2);
    if (value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

MeterClockBytes DecodeMeterClock(std::span<const std::uint8_t> reply) { return BytesFrom<6>(reply, 1); }

ComparatorPayload DecodeComparatorPayload(std::span<const std::uint8_t> reply) { return BytesFrom<10>(reply, 2); }

} // namespace voltaryn::protocol
