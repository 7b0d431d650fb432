#include "rom/fixed_dump.h"

#include "io/text_line.h"
#include "rom/dump_report.h"
#include "rom/dump_state.h"
#include "table/render.h"

namespace quorin {

void dump_fixed_block(DumpState& dump, uint32_t address, int characters_per_line, int lines) {
  BankWindow& window = dump.window;
  const uint32_t base = address - static_cast<uint32_t>(kWindowBankStart);
  load_bank_window(window, *dump.rom, address);

  TextLine head{};
  line_text(head, "#JMP($");
  line_hex(head, address, 0);
  line_text(head, ")\n\n\n//[");
  line_hex(head, address, 6);
  line_text(head, "]\n\n");
  write_line(dump.script, head);

  for (int line = 0; line < lines; ++line) {
    for (int i = 0; i < characters_per_line; ++i) {
      // No control handling here: every byte but the invalid ones is one plain code.
      const uint8_t c = read_byte(window);
      if (c >= kFirstInvalidByte && c <= kLastInvalidByte) {
        report_crash(dump, c, base);
        return;
      }
      render_char(dump.table, dump.script, c);
    }
    write_line_break(dump.script);
  }

  const uint32_t end = static_cast<uint32_t>(window.cursor) + base;
  TextLine warn{};
  line_text(warn, "\n#WARN($");
  line_hex(warn, end, 0);
  line_text(warn, ", \"Intro $");
  line_hex(warn, end, 0);
  line_text(warn, "\")\n\n");
  write_line(dump.script, warn);
  report_section_end(dump, address, end);
}

void dump_fixed_blocks(DumpState& dump) {
  for (const FixedBlock& block : kIntroBlocks) {
    if (dump.script.failed) return;
    dump_fixed_block(dump, block.address, block.characters_per_line, block.lines);
  }
}

}  // namespace quorin
