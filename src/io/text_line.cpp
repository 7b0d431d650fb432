#include "io/text_line.h"

#include "io/hex.h"

namespace quorin {

namespace {

void line_put(TextLine& line, char c) {
  if (line.length < kTextLineSize) line.bytes[line.length++] = c;
}

}  // namespace

void line_text(TextLine& line, const char* text) {
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\n') line_put(line, '\r');
    line_put(line, *p);
  }
}

void line_hex(TextLine& line, uint32_t value, int min_digits) {
  char digits[kMaxHexDigits];
  int count = 0;
  do {
    digits[count++] = kHexDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  for (int i = count; i < min_digits; ++i)
    line_put(line, '0');
  while (count > 0)
    line_put(line, digits[--count]);
}

void line_range(TextLine& line, uint32_t start, uint32_t end) {
  constexpr int kOffsetDigits = 6;
  line_hex(line, start, kOffsetDigits);
  line_text(line, "-");
  line_hex(line, end, kOffsetDigits);
}

void line_decimal(TextLine& line, int32_t value) {
  constexpr int kMaxDigits = 10;
  char digits[kMaxDigits];
  int count = 0;
  // Work on the magnitude as unsigned so that the most negative value has no overflow.
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) line_put(line, '-');
  while (count > 0)
    line_put(line, digits[--count]);
}

void write_line(ScriptWriter& w, const TextLine& line) {
  write_bytes(w, line.bytes, line.length);
}

bool send_line(ByteSink& sink, const TextLine& line) {
  return sink.write(reinterpret_cast<const uint8_t*>(line.bytes), line.length);
}

}  // namespace quorin
