// Everything one run works with, in static storage owned by the driver: the character table, the
// bank window, the script buffer, the strings kept for replaying, and the ROM and console the
// dumps read and report to.
#pragma once

#include <cstddef>
#include <cstdint>

#include "driver/output.h"
#include "rom/bank_window.h"
#include "rom/string_cache.h"
#include "table/character_table.h"
#include "table/table_loader.h"

namespace quorin {

// Table files are read in blocks of this size.
inline constexpr size_t kReadBufferSize = size_t{1} << 16;

struct DumpContext {
  CharacterTable table;
  TableLoader loader;
  BankWindow window;
  ScriptWriter script;
  StringCache strings;
  uint8_t read_buffer[kReadBufferSize];
  RomSource* rom;
  ByteSink* console;  // progress lines and dump faults
};

}  // namespace quorin
