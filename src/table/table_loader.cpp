#include "table/table_loader.h"

namespace quorin {

namespace {

constexpr uint8_t kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
constexpr size_t kByteOrderMarkSize = sizeof kByteOrderMark;
constexpr uint8_t kEndOfText = 0x1A;
// '=' is looked for at these offsets, in this order; the first that holds it gives the key width.
constexpr size_t kKeyWidths[] = {2, 4, 6, 8};

bool is_letter_or_digit(uint8_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Value of a hexadecimal digit, or -1.
int hex_value(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Stores the entry of one line (line[0..n), without its line end) when it is a valid entry.
void read_entry(CharacterTable& table, const uint8_t* line, size_t n) {
  if (n == 0 || !is_letter_or_digit(line[0])) return;
  size_t width = 0;
  for (size_t candidate : kKeyWidths) {
    if (candidate < n && line[candidate] == '=') {
      width = candidate;
      break;
    }
  }
  if (width == 0) return;
  uint32_t key = 0;
  for (size_t i = 0; i < width; ++i) {
    int digit = hex_value(line[i]);
    if (digit < 0) return;
    key = key * 16 + static_cast<uint32_t>(digit);
  }
  if (key >= kSlotCount) return;
  const uint8_t* value = line + width + 1;
  size_t length = 0;
  size_t available = n - width - 1;
  while (length < available && value[length] != '\r' && value[length] != '\0')
    ++length;
  table_set(table, static_cast<uint16_t>(key), value, length);
}

void finish_line(TableLoader& loader) {
  const uint8_t* line = loader.line;
  size_t n = loader.kept;
  if (loader.first_line && n >= kByteOrderMarkSize && line[0] == kByteOrderMark[0] &&
      line[1] == kByteOrderMark[1] && line[2] == kByteOrderMark[2]) {
    line += kByteOrderMarkSize;
    n -= kByteOrderMarkSize;
  }
  read_entry(*loader.table, line, n);
  loader.kept = 0;
  loader.first_line = false;
}

}  // namespace

void table_load_begin(TableLoader& loader, CharacterTable& table) {
  table_clear(table);
  loader.table = &table;
  loader.kept = 0;
  loader.first_line = true;
  loader.stopped = false;
}

void table_load_feed(TableLoader& loader, const uint8_t* data, size_t n) {
  for (size_t i = 0; i < n && !loader.stopped; ++i) {
    uint8_t c = data[i];
    if (c == kEndOfText) {
      loader.stopped = true;
    } else if (c == '\n') {
      finish_line(loader);
    } else if (loader.kept < kLineKeep) {
      loader.line[loader.kept++] = c;
    }
  }
}

void table_load_end(TableLoader& loader) {
  if (loader.kept > 0) finish_line(loader);
  loader.stopped = true;
}

void load_table_text(TableLoader& loader, CharacterTable& table, const uint8_t* data, size_t n) {
  table_load_begin(loader, table);
  table_load_feed(loader, data, n);
  table_load_end(loader);
}

}  // namespace quorin
