// The fixed headers of both scripts.
#pragma once

#include "io/script_writer.h"

namespace quorin {

// "//" and 57 hyphens.
inline constexpr char kRuleLine[] = "//---------------------------------------------------------";

// Writes the header of the pointer-table script.
void write_main_header(ScriptWriter& w);
// Writes the header of the intro script.
void write_intro_header(ScriptWriter& w);

}  // namespace quorin
