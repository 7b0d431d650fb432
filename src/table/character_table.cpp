#include "table/character_table.h"

#include <cstring>

namespace quorin {

void table_clear(CharacterTable& table) {
  // Only slots with a length hold bytes, so the 2.5 MiB of text are never touched in full: a run
  // maps just the pages its entries use.
  constexpr size_t kScanStep = sizeof(uint64_t);
  for (size_t first = 0; first < kSlotCount; first += kScanStep) {
    uint64_t lengths;
    std::memcpy(&lengths, table.length + first, kScanStep);
    if (lengths == 0) continue;
    for (size_t key = first; key < first + kScanStep; ++key) {
      if (table.length[key] == 0) continue;
      std::memset(table.text[key], 0, kSlotSize);
      table.length[key] = 0;
    }
  }
}

void table_set(CharacterTable& table, uint16_t key, const uint8_t* value, size_t n) {
  if (n > kSlotTextMax) n = kSlotTextMax;
  char* slot = table.text[key];
  std::memset(slot, 0, kSlotSize);
  if (n > 0) std::memcpy(slot, value, n);
  table.length[key] = static_cast<uint8_t>(n);
}

}  // namespace quorin
