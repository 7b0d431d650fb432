#include "table/character_table.h"

#include <cstring>

namespace quorin {

void table_clear(CharacterTable& table) {
  std::memset(table.text, 0, sizeof table.text);
  std::memset(table.length, 0, sizeof table.length);
}

void table_set(CharacterTable& table, uint16_t key, const uint8_t* value, size_t n) {
  if (n > kSlotTextMax) n = kSlotTextMax;
  char* slot = table.text[key];
  std::memset(slot, 0, kSlotSize);
  if (n > 0) std::memcpy(slot, value, n);
  table.length[key] = static_cast<uint8_t>(n);
}

}  // namespace quorin
