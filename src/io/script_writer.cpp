#include "io/script_writer.h"

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

}  // namespace quorin
