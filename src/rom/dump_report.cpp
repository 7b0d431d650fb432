#include "rom/dump_report.h"

#include "io/text_line.h"
#include "rom/dump_state.h"

namespace quorin {

void report_crash(DumpState& dump, uint8_t code, uint32_t base) {
  // The cursor stands just past the offending byte.
  const uint32_t offset = static_cast<uint32_t>(dump.window.cursor) + base - 2;
  TextLine line{};
  line_text(line, "\n[LAYER2] CRASH ");
  line_hex(line, code, 4);
  line_text(line, " @ ");
  line_hex(line, offset, 0);
  // The console is not the product: a line it fails to show does not stop the dump.
  (void)send_line(*dump.console, line);
}

void write_file_trailer(ScriptWriter& w, uint32_t start, uint32_t end) {
  TextLine line{};
  line_text(line, "\n//[FILE] ");
  line_range(line, start, end);
  line_text(line, kSlashLine);
  line_text(line, "\n\n\n");
  write_line(w, line);
}

void report_section_end(DumpState& dump, uint32_t start, uint32_t end) {
  write_file_trailer(dump.script, start, end);
  TextLine line{};
  line_text(line, "\n[FILE] ");
  line_range(line, start, end);
  (void)send_line(*dump.console, line);
}

}  // namespace quorin
