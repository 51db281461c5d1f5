#include "protocol/DisplayPacket.h"

#include "text/CharacterCodes.h"

namespace voltaryn {

DisplayPacket SplitDisplayPacket(std::span<const std::uint8_t> reply)
{
    auto byteAt = [&](std::size_t i) -> std::uint8_t { return i < reply.size() ? reply[i] : 0; };

    std::uint64_t raw = 0;
    for (std::size_t byte = 1; byte <= 8; ++byte)
        raw |= std::uint64_t{byteAt(byte)} << ((byte - 1) * 8);

    DisplayPacket packet;
    packet.DisplayFlags = StatusBits(raw);
    for (std::size_t i = 0; i < DisplayPacket::CharCount; ++i)
        packet.DisplayChars[i] = CharacterFromCode(byteAt(9 + i));
    return packet;
}

} // namespace voltaryn
