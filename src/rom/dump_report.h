// What both dumps write when a section ends: the fault message, or the trailer and its console
// line.
#pragma once

#include <cstdint>

namespace quorin {

struct DumpState;
struct ScriptWriter;

// Bytes that cannot stand in the game's text: either dump ends its section at the first of them.
inline constexpr uint8_t kFirstInvalidByte = 0xC3;
inline constexpr uint8_t kLastInvalidByte = 0xEF;

// A line break and 58 slashes: the last line of every section trailer.
inline constexpr char kSlashLine[] = "\n//////////////////////////////////////////////////////////";

// Reports byte `code` (0xC3-0xEF) just read: "\n[LAYER2] CRASH %04X @ %X" on the console with the
// ROM offset one before that byte.
void report_crash(DumpState& dump, uint8_t code, uint32_t base);
// Writes "\n//[FILE] start-end" (six-digit ROM offsets), the slash line and three line breaks.
void write_file_trailer(ScriptWriter& w, uint32_t start, uint32_t end);
// Closes a section without fault: the file trailer in the script and "\n[FILE] %06X-%06X" on the
// console.
void report_section_end(DumpState& dump, uint32_t start, uint32_t end);

}  // namespace quorin
