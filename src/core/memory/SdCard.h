#pragma once

#include "link/Answer.h"
#include "link/MeterLink.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace voltaryn {

// The meter's SD card as its summary reply describes it:
//   bytes 3..6   card size in kilobytes, most significant byte first
//   bytes 7..10  free space in kilobytes, the same way
//   byte 11      number of files on the card
//   byte 14      bit 0 clear when a card is present
struct SdCardSummary {
    std::uint32_t cardKilobytes = 0;
    std::uint32_t freeKilobytes = 0;
    int fileCount = 0;
    bool cardPresent = false;

    bool operator==(const SdCardSummary&) const = default;
};

// One file of a block reply.
struct SdFileEntry {
    int number = 0;        // 0..255
    std::string dateTime;  // "dd/dd/dd dd:dd:dd", one two-digit number per date-time byte
    std::uint32_t size = 0;
    int records = 0;       // (size - 342) / 82; a size below 342 gives 0 or less

    bool operator==(const SdFileEntry&) const = default;
};

// A block reply: its entry count in byte 4, then 11-byte entries from byte 5, each the file
// number, six date-time bytes and the size, most significant byte first. A reply with 64 bytes
// of 0xFF is an erased block, which holds no entries.
struct SdBlock {
    int entryCount = 0;  // as the reply gives it, even above 5; 0 for an erased block
    std::vector<SdFileEntry> entries;  // those that lie within the report
    bool erased = false;

    // Whether every counted entry could be read: false when the count runs entries past the
    // end of the report, which happens for any count above 5.
    bool Readable() const { return entries.size() == static_cast<std::size_t>(entryCount); }
};

// Both decoders accept a reply of any length; bytes past its end read as 0.
SdCardSummary DecodeSdSummary(std::span<const std::uint8_t> reply);
SdBlock DecodeSdBlock(std::span<const std::uint8_t> reply);

// Request 0, 67, 1, 0, 0, 0.
Answer<SdCardSummary> RequestSdSummary(MeterLink& link);
// Request 0, 67, 2, block, 0, 0 for block 1, 2, 3, ...
Answer<SdBlock> RequestSdBlock(MeterLink& link, int block);
// Request 0, 67, 3, file, 1 (first chunk) or 2 (next chunk), 0. Returns whether the reply came;
// its text is then in reply bytes 4..63.
bool RequestSdChunk(MeterLink& link, int fileNumber, bool first);

} // namespace voltaryn
