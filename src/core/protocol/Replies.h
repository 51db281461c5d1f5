#pragma once

#include "protocol/Protocol.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Pure decoders of the query replies (byte 0 is the report id). A reply shorter than a decoder
// reads reads as if padded with zero bytes.
namespace voltaryn::protocol {

// Identification: bytes 1..7, one character each, in order.
std::string DecodeIdentification(std::span<const std::uint8_t> reply);
// Range, meter interval: byte 1.
std::int16_t DecodeByteValue(std::span<const std::uint8_t> reply);
// Record count, average number: byte 1 + 256 x byte 2; a value above 32767 makes no sense and
// gives nothing.
std::optional<std::int16_t> DecodeCount(std::span<const std::uint8_t> reply);
// Meter clock: bytes 1..6.
MeterClockBytes DecodeMeterClock(std::span<const std::uint8_t> reply);
// Comparator entry: bytes 2..11.
ComparatorPayload DecodeComparatorPayload(std::span<const std::uint8_t> reply);

} // namespace voltaryn::protocol
