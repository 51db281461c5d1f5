#pragma once

#include "protocol/Protocol.h"
#include "sim/SdRecording.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace voltaryn::sim {

// What can be wrong with one block reply of the card listing.
enum class SdBlockFault {
    Erased,       // every byte after the report id is 0xFF
    Overcounted,  // the entry count reads 6
};

// The meter's SD card and its side of the SD transfers.
//
//   summary  bytes 3..6 card size and 7..10 free space in kilobytes, most significant byte
//            first; byte 11 the file count; byte 14 is 1 when no card is in
//   block b  byte 4 the entry count, from byte 5 the 11-byte entries of files 5b - 4 .. 5b in
//            number order: number, the six date-time bytes of its start (year, month, day,
//            hour, minute, second), its size most significant byte first; past the last file
//            the count is 0
//   chunk    reply bytes 4..63 carry the next 60 bytes of the file being read (its first 60 for
//            a first-chunk request), 0 past its end or for another file than the one being read
// Without a card, blocks read as erased and chunks as blank.
class SdCard {
public:
    static constexpr std::uint32_t DefaultCardKilobytes = 2000000;

    bool Present() const { return present_; }
    void SetPresent(bool present) { present_ = present; }
    void SetCardKilobytes(std::uint32_t kilobytes) { cardKilobytes_ = kilobytes; }
    // The card size less the files' sizes, each rounded up to whole kilobytes.
    std::uint32_t FreeKilobytes() const;

    // Adds a file, or replaces the one with its number.
    void AddFile(const SdFile& file);
    void DeleteFile(int number);
    void DeleteAll();
    std::vector<SdFile> Files() const;  // in number order

    // From now on block `block` (counted from 1) suffers `fault`.
    void InjectBlockFault(int block, SdBlockFault fault) { blockFaults_[block] = fault; }

    protocol::Report SummaryReply() const;
    protocol::Report BlockReply(int block) const;
    protocol::Report ChunkReply(int fileNumber, bool first);

private:
    // The file being read and how far.
    struct Reading {
        int number;
        SdRecordingText text;
        std::int64_t offset = 0;
    };

    bool present_ = true;
    std::uint32_t cardKilobytes_ = DefaultCardKilobytes;
    std::map<int, SdFile> files_;
    std::map<int, SdBlockFault> blockFaults_;
    std::optional<Reading> reading_;
};

} // namespace voltaryn::sim
