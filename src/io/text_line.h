// A message or script line put together in place before it is written whole. Every '\n' in a
// literal becomes CR LF.
#pragma once

#include <cstddef>
#include <cstdint>

#include "io/byte_io.h"
#include "io/script_writer.h"

namespace quorin {

inline constexpr size_t kTextLineSize = 256;

struct TextLine {
  char bytes[kTextLineSize];
  size_t length;
};

// Appends a literal, each '\n' written as CR LF; what does not fit is dropped.
void line_text(TextLine& line, const char* text);
// Appends value in upper-case hexadecimal, zero-padded to at least min_digits.
void line_hex(TextLine& line, uint32_t value, int min_digits);
// Appends "SSSSSS-EEEEEE": two ROM offsets, each at least six hexadecimal digits.
void line_range(TextLine& line, uint32_t start, uint32_t end);
// Appends value in signed decimal.
void line_decimal(TextLine& line, int32_t value);
// Writes the line to the script.
void write_line(ScriptWriter& w, const TextLine& line);
// Writes the line to a console sink; returns the sink's result.
bool send_line(ByteSink& sink, const TextLine& line);

}  // namespace quorin
