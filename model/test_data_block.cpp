#include "model/test_data_block.h"

#include <algorithm>

namespace corvane::model {

TestDataBlock encodeTestDataBlock(const TestDataTable& table)
{
    TestDataBlock block{};
    std::size_t at = 0;
    for (std::size_t entry = 0; entry < kTestDataBlockEntries; ++entry) {
        const bool word = isTestDataWordEntry(entry);
        const Integer limit = word ? kTestDataWordLimit : kTestDataByteLimit;
        const auto value = static_cast<std::uint16_t>(std::clamp<Integer>(table[entry], 0, limit));
        if (word) {
            block[at++] = static_cast<std::uint8_t>(value >> 8);
        }
        block[at++] = static_cast<std::uint8_t>(value & 0xFF);
    }
    return block;
}

TestDataTable decodeTestDataBlock(std::span<const std::uint8_t> data16)
{
    auto byteAt = [&](std::size_t i) -> int { return i < data16.size() ? data16[i] : 0; };
    TestDataTable table{};
    std::size_t at = 0;
    for (std::size_t entry = 0; entry < kTestDataBlockEntries; ++entry) {
        int value = 0;
        if (isTestDataWordEntry(entry)) {
            const int high = byteAt(at++);
            value = (high >= 0x80 ? 0 : high * 256) + byteAt(at++);
        } else {
            value = byteAt(at++);
        }
        table[entry] = static_cast<Integer>(value);
    }
    return table; // entries 14 and 15 stay 0
}

} // namespace corvane::model
