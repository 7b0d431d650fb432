// Byte sinks and sources, the buffered script writer and the small text builder used for every
// line the tool formats itself. Every line break written through these is CR LF.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorin {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";
inline constexpr size_t kLineBreakSize = 2;

// Where bytes go: a file, the console, or memory in tests.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all n bytes; returns false when any of them could not be written.
  virtual bool write(const uint8_t* data, size_t n) = 0;
};

// Where bytes come from: a table file, or memory in tests.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to n bytes into dst; returns the count read, 0 at the end, -1 on a read error.
  virtual long read(uint8_t* dst, size_t n) = 0;
};

// The script buffer is written to its sink in blocks of this size.
inline constexpr size_t kScriptBufferSize = size_t{1} << 20;
// Room always left past the fill mark: one token (39 bytes of slot text and "<$XX>") fits.
inline constexpr size_t kTokenRoom = 64;

// The script being written: a fixed buffer in front of a sink. Once a write to the sink has
// failed, `failed` stays set and later bytes are dropped.
struct ScriptWriter {
  ByteSink* sink;
  size_t used;
  uint64_t flushed;  // bytes taken out of the buffer by flushes so far
  bool failed;
  uint8_t data[kScriptBufferSize + kTokenRoom];
};

// Starts a script on sink with an empty buffer and no failure.
void script_begin(ScriptWriter& w, ByteSink& sink);
// Hands the buffered bytes to the sink and empties the buffer; returns false once any write failed.
bool script_flush(ScriptWriter& w);

// Returns a place for at most kTokenRoom bytes at the fill mark; the caller adds what it wrote to
// `used`.
inline uint8_t* token_room(ScriptWriter& w) {
  if (w.used >= kScriptBufferSize) script_flush(w);
  return w.data + w.used;
}

// Writes value in upper-case hexadecimal, zero-padded to at least min_digits (at most 8 digits in
// all), at out; returns the end.
uint8_t* put_hex(uint8_t* out, uint32_t value, int min_digits);

// Appends n bytes unchanged.
void write_bytes(ScriptWriter& w, const void* data, size_t n);
// Appends a literal, each '\n' in it written as CR LF.
void write_text(ScriptWriter& w, const char* text);
// Appends one CR LF.
void write_line_break(ScriptWriter& w);

// A message or script line put together in place before it is written whole.
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
