// Reads table text ("KEY=VALUE" lines) into a CharacterTable. The text arrives in pieces of any
// size, so a file is read in blocks and a test can hand over a few bytes from memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "table/character_table.h"

namespace quorin {

// Bytes of a line that can matter: a byte-order mark, 8 key digits, '=' and 39 value bytes.
// The rest of a longer line is counted as part of it and never read.
inline constexpr size_t kLineKeep = 64;

struct TableLoader {
  CharacterTable* table;
  uint8_t line[kLineKeep];
  size_t kept;      // bytes of the current line held in `line`
  bool first_line;  // the current line starts the text, where a byte-order mark may stand
  bool stopped;     // a 0x1A byte ended the table text
};

// Empties table and starts reading table text into it.
void table_load_begin(TableLoader& loader, CharacterTable& table);
// Reads the next n bytes of table text.
void table_load_feed(TableLoader& loader, const uint8_t* data, size_t n);
// Ends the text: a last line without a line end still counts.
void table_load_end(TableLoader& loader);
// Replaces table with the table text data[0..n).
void load_table_text(TableLoader& loader, CharacterTable& table, const uint8_t* data, size_t n);

}  // namespace quorin
