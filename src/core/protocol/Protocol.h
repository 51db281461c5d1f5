#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The words both ends of the meter's USB link use: the report, the request classes, groups and
// codes, and the fixed payloads. The link, the reply decoders and the simulated meter all speak
// through this header.
//
// Request layout (byte 0 is the report id, always 0):
//   byte 1  class: 65 commands, 66 display read, 67 memory and SD card transfers
//   byte 2  group within class 65: 0 identification, 1 key press, 2 query, 3 setting;
//           within class 67 the transfer: 1 SD card summary, 2 block of SD file entries,
//           3 chunk of an SD file, 4 one manual record
//   byte 3  code within the group
//   byte 4+ arguments; argument bytes up to byte 5 that a request does not use are sent as 0
namespace voltaryn::protocol {

inline constexpr std::uint16_t MeterVendorId = 4101;  // 0x1005
inline constexpr std::uint16_t MeterProductId = 51;   // 0x0033
inline constexpr std::string_view MeterIdentification = "KAV 71K";

// Both report lengths count the report id: 64 data bytes plus byte 0.
inline constexpr std::size_t ReportLength = 65;

// A number as the one byte of a request that carries it (a key, an entry, a file number, ...).
constexpr std::uint8_t RequestByte(int value) { return static_cast<std::uint8_t>(value); }
using Report = std::array<std::uint8_t, ReportLength>;

enum RequestClass : std::uint8_t { CommandClass = 65, DisplayClass = 66, TransferClass = 67 };
enum CommandGroup : std::uint8_t { IdentificationGroup = 0, KeyGroup = 1, QueryGroup = 2, SettingGroup = 3 };
enum QueryCode : std::uint8_t {
    ClockQuery = 1, IntervalQuery, RecordCountQuery, RangeQuery, AverageQuery, ComparatorQuery
};
enum SettingCode : std::uint8_t {
    ClockSetting = 1, IntervalSetting, ClearMemorySetting, SdDeleteSetting, AverageSetting, ComparatorSetting
};
// Byte 4 of an SD delete: every file, or the one file numbered in byte 5.
enum SdDeleteKind : std::uint8_t { SdDeleteAllFiles = 1, SdDeleteOneFile = 2 };
enum TransferGroup : std::uint8_t {
    SdSummaryTransfer = 1, SdBlockTransfer, SdFileTransfer, ManualRecordTransfer
};
// Byte 4 of an SD file transfer (byte 3 numbers the file): its first chunk, or the one after
// the chunk sent last.
enum SdChunkKind : std::uint8_t { SdFirstChunk = 1, SdNextChunk = 2 };

// An SD card file is a text of LF-ended lines: a header of SdHeaderBytes, then one line of
// SdRecordBytes (its LF included) per record. A chunk reply carries SdChunkBytes of it from
// reply byte SdChunkFirstByte on.
inline constexpr int SdHeaderBytes = 342;
inline constexpr int SdRecordBytes = 82;
inline constexpr std::size_t SdChunkFirstByte = 4;
inline constexpr std::size_t SdChunkBytes = 60;
// A block reply lists at most SdBlockEntries files, SdEntryBytes each from reply byte
// SdFirstEntryByte on; its entry count is byte 4.
inline constexpr int SdBlockEntries = 5;
inline constexpr std::size_t SdEntryBytes = 11;
inline constexpr std::size_t SdFirstEntryByte = 5;

// The average number that turns the meter's averaging off.
inline constexpr int AveragingOff = 2;

// The six clock bytes as the meter keeps them: year (two digits), month, day, hour, minute, second.
using MeterClockBytes = std::array<std::uint8_t, 6>;
// One comparator entry as it travels: four counts high byte first, then two flag bytes.
using ComparatorPayload = std::array<std::uint8_t, 10>;

} // namespace voltaryn::protocol
