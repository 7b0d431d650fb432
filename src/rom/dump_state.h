// What the two dumps work on: the character table, the bank window, the script, the strings kept
// for replaying, the ROM they read and the console they report to. The driver owns one in static
// storage for the whole run.
#pragma once

#include "io/byte_io.h"
#include "io/script_writer.h"
#include "rom/bank_window.h"
#include "rom/string_cache.h"
#include "table/character_table.h"

namespace quorin {

struct DumpState {
  CharacterTable table;
  BankWindow window;
  ScriptWriter script;
  StringCache strings;
  RomSource* rom;
  ByteSink* console;  // progress lines and dump faults
};

}  // namespace quorin
