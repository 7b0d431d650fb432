// The fixed parts of both scripts: their headers and the trailer that closes a bank or block
// section.
#pragma once

#include <cstdint>

#include "driver/output.h"

namespace quorin {

// "//" and 57 hyphens.
inline constexpr char kRuleLine[] = "//---------------------------------------------------------";
// A line break and 58 slashes.
inline constexpr char kSlashLine[] = "\n//////////////////////////////////////////////////////////";

// Writes the header of the pointer-table script.
void write_main_header(ScriptWriter& w);
// Writes the header of the intro script.
void write_intro_header(ScriptWriter& w);
// Writes "\n//[FILE] start-end" (six-digit ROM offsets), the slash line and three line breaks.
void write_file_trailer(ScriptWriter& w, uint32_t start, uint32_t end);

}  // namespace quorin
