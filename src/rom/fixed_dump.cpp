#include "rom/fixed_dump.h"

#include "rom/dump_report.h"
#include "table/render.h"

namespace quorin {

void dump_fixed_block(DumpContext& ctx, uint32_t address, int characters_per_line, int lines) {
  BankWindow& window = ctx.window;
  const uint32_t base = address - static_cast<uint32_t>(kWindowBankStart);
  load_bank_window(window, *ctx.rom, address);

  TextLine head{};
  line_text(head, "#JMP($");
  line_hex(head, address, 0);
  line_text(head, ")\n\n\n//[");
  line_hex(head, address, 6);
  line_text(head, "]\n\n");
  write_line(ctx.script, head);

  for (int line = 0; line < lines; ++line) {
    for (int i = 0; i < characters_per_line; ++i) {
      // No control handling here: every byte but the invalid ones is one plain code.
      const uint8_t c = read_byte(window);
      if (c >= kFirstInvalidByte && c <= kLastInvalidByte) {
        report_crash(ctx, c, base);
        return;
      }
      render_char(ctx.table, ctx.script, c);
    }
    write_line_break(ctx.script);
  }

  const uint32_t end = static_cast<uint32_t>(window.cursor) + base;
  TextLine warn{};
  line_text(warn, "\n#WARN($");
  line_hex(warn, end, 0);
  line_text(warn, ", \"Intro $");
  line_hex(warn, end, 0);
  line_text(warn, "\")\n\n");
  write_line(ctx.script, warn);
  report_section_end(ctx, address, end);
}

void dump_fixed_blocks(DumpContext& ctx) {
  for (const FixedBlock& block : kIntroBlocks) {
    if (ctx.script.failed) return;
    dump_fixed_block(ctx, block.address, block.characters_per_line, block.lines);
  }
}

}  // namespace quorin
