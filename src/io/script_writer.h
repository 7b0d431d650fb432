// The script being written: a fixed buffer in front of a sink, handed over in large blocks. Every
// line break written through it is CR LF.
#pragma once

#include <cstddef>
#include <cstdint>

#include "io/byte_io.h"

namespace quorin {

inline constexpr size_t kLineBreakSize = 2;

// The script buffer is written to its sink in blocks of this size.
inline constexpr size_t kScriptBufferSize = size_t{1} << 20;
// Room always left past the fill mark: one token (39 bytes of slot text and "<$XX>") fits.
inline constexpr size_t kTokenRoom = 64;

// Once a write to the sink has failed, `failed` stays set and later bytes are dropped.
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

// Appends n bytes unchanged.
void write_bytes(ScriptWriter& w, const void* data, size_t n);
// Appends a literal, each '\n' in it written as CR LF.
void write_text(ScriptWriter& w, const char* text);
// Appends one CR LF.
void write_line_break(ScriptWriter& w);

}  // namespace quorin
