#include "driver/output.h"

#include <cstring>

namespace quorin {

void script_begin(ScriptWriter& w, ByteSink& sink) {
  w.sink = &sink;
  w.used = 0;
  w.flushed = 0;
  w.failed = false;
}

bool script_flush(ScriptWriter& w) {
  if (w.used > 0 && !w.failed) w.failed = !w.sink->write(w.data, w.used);
  w.flushed += w.used;
  w.used = 0;
  return !w.failed;
}

void write_bytes(ScriptWriter& w, const void* data, size_t n) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  while (n > 0) {
    if (w.used >= kScriptBufferSize) script_flush(w);
    size_t part = kScriptBufferSize - w.used;
    if (part > n) part = n;
    std::memcpy(w.data + w.used, bytes, part);
    w.used += part;
    bytes += part;
    n -= part;
  }
}

void write_line_break(ScriptWriter& w) {
  uint8_t* out = token_room(w);
  out[0] = '\r';
  out[1] = '\n';
  w.used += kLineBreakSize;
}

void write_text(ScriptWriter& w, const char* text) {
  const char* run = text;
  for (const char* p = text;; ++p) {
    if (*p == '\n' || *p == '\0') {
      write_bytes(w, run, static_cast<size_t>(p - run));
      if (*p == '\0') return;
      write_line_break(w);
      run = p + 1;
    }
  }
}

uint8_t* put_hex(uint8_t* out, uint32_t value, int min_digits) {
  constexpr int kMaxDigits = 8;
  constexpr int kBitsPerDigit = 4;
  int digits = 1;
  while (digits < kMaxDigits && (value >> (kBitsPerDigit * digits)) != 0)
    ++digits;
  if (digits < min_digits) digits = min_digits;
  for (int i = digits - 1; i >= 0; --i) {
    out[i] = static_cast<uint8_t>(kHexDigits[value & 0xF]);
    value >>= kBitsPerDigit;
  }
  return out + digits;
}

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
  constexpr int kMaxDigits = 8;
  char digits[kMaxDigits];
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
