// The three text banks: each starts with a table of 16-bit pointers, immediately followed by the
// strings they point to.
#pragma once

#include <cstdint>

namespace quorin {

struct DumpState;

inline constexpr uint32_t kTextBanks[] = {0x38000, 0x3C000, 0x4C000};

// Argument bytes that follow each control code 0xF0-0xFF, indexed by code - 0xF0.
inline constexpr uint8_t kControlArgCounts[16] = {0, 4, 2, 0, 1, 0, 0, 0, 0, 2, 1, 0, 1, 1, 0, 0};

// Dumps the three text banks in order, numbering entries consecutively across them from 0.
void dump_pointer_banks(DumpState& dump);
// Dumps the bank at address, numbering its entries from entry_index on (advanced by one per
// pointer written).
void dump_pointer_bank(DumpState& dump, uint32_t address, int32_t& entry_index);
// Writes the next n bytes at the cursor as "<$XX>" tokens, advancing the cursor by one per byte;
// bytes at or past the window's end read as 0x00.
void dump_raw_bytes(DumpState& dump, int n);

}  // namespace quorin
