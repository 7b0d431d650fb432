#include "rom/pointer_dump.h"

#include <cstring>

#include "io/hex.h"
#include "io/text_line.h"
#include "rom/dump_report.h"
#include "rom/dump_state.h"
#include "rom/string_cache.h"
#include "table/render.h"

namespace quorin {

namespace {

constexpr uint8_t kLastTextByte = kFirstInvalidByte - 1;
constexpr uint8_t kFirstControlCode = 0xF0;
constexpr uint8_t kLineBreakCode = 0xF0;
constexpr uint8_t kEndWithFourArgs = 0xF1;
constexpr uint8_t kEndWithTwoArgs = 0xF2;
constexpr uint8_t kFirstPairCode = 0xFA;
constexpr uint8_t kSecondPairCode = 0xFD;
constexpr uint8_t kSecondLineBreakCode = 0xFE;
constexpr uint8_t kEndOfString = 0xFF;
constexpr int32_t kWindowEnd = static_cast<int32_t>(kWindowSize);
// A word read from here on does not lie wholly inside the window.
constexpr int32_t kLastWordStart = kWindowEnd - 2;

// Script literals, line breaks already CR LF.
constexpr char kWriteLine[] = "\r\n#WRITE(PtrTable)";
constexpr char kBlankLine[] = "\r\n\r\n";

template <size_t N>
void write_literal(ScriptWriter& w, const char (&text)[N]) {
  write_bytes(w, text, N - 1);
}

// Renders the run of text bytes that starts at the cursor (it is never negative here) and moves
// the cursor past it.
void render_text_run(DumpState& dump) {
  BankWindow& window = dump.window;
  const int32_t start = window.cursor;
  int32_t end = start;
  while (end < kWindowEnd && window.bytes[end] <= kLastTextByte)
    ++end;
  if (end == start) return;
  render_chars(dump.table, dump.script, window.bytes + start, static_cast<size_t>(end - start));
  window.cursor = end;
}

// Decodes the string at the cursor up to its end code and closes it with two line breaks;
// returns false after reporting a byte that cannot stand in a string.
bool decode_string(DumpState& dump, uint32_t base) {
  BankWindow& window = dump.window;
  for (;;) {
    render_text_run(dump);
    // Past the run: a byte above the text bytes, or 0xFF at the window's end.
    const uint8_t c = read_byte(window);
    if (c <= kLastInvalidByte) {
      report_crash(dump, c, base);
      return false;
    }
    if (c == kFirstPairCode || c == kSecondPairCode) {
      const uint8_t arg = read_byte(window);
      render_code_pair(dump.table, dump.script, c, arg);
      continue;
    }
    render_code(dump.table, dump.script, c);
    dump_raw_bytes(dump, kControlArgCounts[c - kFirstControlCode]);
    if (c == kLineBreakCode || c == kSecondLineBreakCode) {
      write_line_break(dump.script);
    } else if (c == kEndWithFourArgs || c == kEndWithTwoArgs || c == kEndOfString) {
      break;
    }
  }
  write_literal(dump.script, kBlankLine);
  return true;
}

// Writes the string at the cursor and moves the cursor past it: replayed when this bank has
// decoded it before, else decoded and, when long, kept. Returns false after a fault.
bool write_string(DumpState& dump, uint32_t base) {
  BankWindow& window = dump.window;
  const int32_t start = window.cursor;
  if (const CachedString* kept = cache_find(dump.strings, start)) {
    write_bytes(dump.script, kept->bytes, kept->size);
    window.cursor = kept->end;
    return true;
  }
  const uint64_t flushed = dump.script.flushed;
  const size_t from = dump.script.used;
  if (!decode_string(dump, base)) return false;
  // Only a string whose bytes all still lie in the buffer can be kept.
  if (dump.script.flushed == flushed) {
    cache_store(dump.strings, start, window.cursor, dump.script.data + from,
                dump.script.used - from);
  }
  return true;
}

// "\n//[%06X = %04X]", formatted in place: one is written per group.
void write_group_head(DumpState& dump, uint32_t string_offset, int32_t entry_index) {
  static constexpr char kOpen[] = "\r\n//[";
  static constexpr char kBetween[] = " = ";
  constexpr size_t kOpenSize = sizeof kOpen - 1;
  constexpr size_t kBetweenSize = sizeof kBetween - 1;
  // At most 5 + 8 + 3 + 8 + 1 bytes: well within one token's room.
  uint8_t* const start = token_room(dump.script);
  std::memcpy(start, kOpen, kOpenSize);
  uint8_t* out = put_hex(start + kOpenSize, string_offset, 6);
  std::memcpy(out, kBetween, kBetweenSize);
  out = put_hex(out + kBetweenSize, static_cast<uint32_t>(entry_index), 4);
  *out++ = ']';
  dump.script.used += static_cast<size_t>(out - start);
}

}  // namespace

void dump_raw_bytes(DumpState& dump, int n) {
  BankWindow& window = dump.window;
  for (int i = 0; i < n; ++i) {
    const int32_t at = window.cursor++;
    const uint8_t value =
        (at >= 0 && at < static_cast<int32_t>(kWindowSize)) ? window.bytes[at] : 0;
    uint8_t* out = token_room(dump.script);
    out[0] = '<';
    out[1] = '$';
    out[2] = static_cast<uint8_t>(kHexDigits[value >> 4]);
    out[3] = static_cast<uint8_t>(kHexDigits[value & 0xF]);
    out[4] = '>';
    dump.script.used += 5;
  }
}

void dump_pointer_bank(DumpState& dump, uint32_t address, int32_t& entry_index) {
  BankWindow& window = dump.window;
  const uint32_t base = address - static_cast<uint32_t>(kWindowBankStart);
  load_bank_window(window, *dump.rom, address);
  cache_clear(dump.strings);

  // The pointer table ends where the first string starts.
  const int32_t end = peek_word(window);
  int32_t pending = 0;
  while (window.cursor < end) {
    (void)read_word(window);
    ++pending;
  }

  int32_t pos = kWindowBankStart;
  while (pos < end) {
    if (dump.script.failed) return;
    window.cursor = pos;
    write_group_head(dump, peek_word(window) + base, entry_index);
    // One head and one copy of the string for a run of equal adjacent pointers; the run ends at
    // the window's end at the latest.
    uint16_t pointer;
    do {
      write_literal(dump.script, kWriteLine);
      --pending;
      ++entry_index;
      pointer = read_word(window);
      pos += 2;
    } while (window.cursor <= kLastWordStart && peek_word(window) == pointer);
    write_literal(dump.script, kBlankLine);
    window.cursor = pointer;
    if (!write_string(dump, base)) return;
  }

  if (pending != 0) {
    TextLine line{};
    line_text(line, "\n[LAYER2] BAD DUMP COUNT = ");
    line_decimal(line, pending);
    (void)send_line(*dump.console, line);
    return;
  }
  report_section_end(dump, address, static_cast<uint32_t>(window.cursor) + base);
}

void dump_pointer_banks(DumpState& dump) {
  int32_t entry_index = 0;
  for (uint32_t address : kTextBanks) {
    if (dump.script.failed) return;
    dump_pointer_bank(dump, address, entry_index);
  }
}

}  // namespace quorin
