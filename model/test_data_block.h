#pragma once
// The radio's 16-byte test-data block (radio addresses 0x1F0-0x1FF) and the test-data table it
// carries. Entries 0..13 fill the block in index order; "VDV" (3) and "DTX" (8) take two bytes,
// high byte first, every other entry one byte. Entries 14 and 15 have no place in the block.
// The block travels only in its own frames: it is never packed into or read from the image.

#include "model/model_state.h"

#include <array>
#include <cstdint>
#include <span>

namespace corvane::model {

inline constexpr std::size_t kTestDataBlockSize = 16;
using TestDataBlock = std::array<std::uint8_t, kTestDataBlockSize>;

inline constexpr std::size_t kTestDataVdv = 3;
inline constexpr std::size_t kTestDataDtx = 8;
inline constexpr std::size_t kTestDataBlockEntries = 14; // entries 0..13 are in the block
inline constexpr Integer kTestDataByteLimit = 0xFF;      // the Test Data dialog's limits
inline constexpr Integer kTestDataWordLimit = 0x400;     // "VDV" and "DTX"

// True for the two-byte entries "VDV" and "DTX".
constexpr bool isTestDataWordEntry(std::size_t entry)
{
    return entry == kTestDataVdv || entry == kTestDataDtx;
}

// The block bytes sent for a table. A value the radio could not hold or would read back
// differently is first brought into the Test Data dialog's own limits: negative -> 0, a one-byte
// entry above 0xFF -> 0xFF, "VDV"/"DTX" above 0x400 -> 0x400.
TestDataBlock encodeTestDataBlock(const TestDataTable& table);

// The table read from the 16 data bytes of a reply: one-byte entries as they are, "VDV"/"DTX"
// high * 256 + low except that a high byte of 0x80 or more counts as 0; entries 14 and 15 are 0.
// Bytes missing from a short span count as 0.
TestDataTable decodeTestDataBlock(std::span<const std::uint8_t> data16);

} // namespace corvane::model
