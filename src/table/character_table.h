// The code-to-text table: one slot per 16-bit key. One-byte codes use keys 0x00-0xFF; a two-byte
// control code (first byte * 256 + argument byte) has a slot of its own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorin {

inline constexpr size_t kSlotCount = 0x10000;
inline constexpr size_t kSlotSize = 40;
inline constexpr size_t kSlotTextMax = kSlotSize - 1;

// Each slot holds at most 39 bytes of text and a zero; length 0 means the key has no entry, and
// then the slot is all zero. `length` mirrors the text so that rendering never scans for the zero.
struct CharacterTable {
  char text[kSlotCount][kSlotSize];
  uint8_t length[kSlotCount];
};

// Empties every slot. The table must start all zero and change only through these functions.
void table_clear(CharacterTable& table);
// Stores the first min(n, 39) bytes of value in key's slot; n = 0 empties the slot.
void table_set(CharacterTable& table, uint16_t key, const uint8_t* value, size_t n);

}  // namespace quorin
