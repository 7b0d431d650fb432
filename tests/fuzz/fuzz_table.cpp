// Fuzz target: arbitrary bytes as a table file.
//
// The bytes are loaded twice: once in pieces of varying size (the sizes of kPieceSizes in turn,
// so byte-order marks, CR LF pairs and lines are split at every offset) and once whole. Both
// tables must agree slot for slot, and every slot must hold what one table line can give: at most
// 39 bytes, none of them CR, LF or zero, and zero padding behind. Then every slot is rendered by
// all three renderers into a script whose sink discards the bytes, and each token must have the
// length its slot or its fallback form gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>

#include "io/script_writer.h"
#include "table/character_table.h"
#include "table/render.h"
#include "table/table_loader.h"

namespace {

using namespace quorin;

constexpr size_t kPieceSizes[] = {1, 2, 3, 5, 7, 64, 65, 4096};
constexpr size_t kRawTokenSize = 5;   // "<$XX>"
constexpr size_t kCodeTokenSize = 9;  // "<CODE XX>"
constexpr size_t kPairCodeSize = 4;   // "<XX>" before the argument's "<$XX>"
constexpr unsigned kByteValues = 256;

// The harness's own checks are not what the fuzzer should learn from, and they run over every
// slot: they are left out of the coverage instrumentation.
#define HARNESS_ONLY __attribute__((no_sanitize("coverage")))

class DiscardSink final : public ByteSink {
 public:
  bool write(const uint8_t*, size_t n) override {
    written += n;
    return true;
  }
  size_t written = 0;
};

// Megabytes: made once, on the heap.
struct State {
  CharacterTable chunked;
  CharacterTable whole;
  TableLoader loader;
  ScriptWriter script;
  DiscardSink sink;
};

HARNESS_ONLY void require(bool ok) {
  if (!ok) std::abort();
}

HARNESS_ONLY void check_slot(const CharacterTable& table, size_t key) {
  const size_t length = table.length[key];
  require(length <= kSlotTextMax);
  for (size_t i = 0; i < kSlotSize; ++i) {
    const char c = table.text[key][i];
    if (i < length) {
      require(c != '\0' && c != '\r' && c != '\n');
    } else {
      require(c == '\0');
    }
  }
}

HARNESS_ONLY void check_tables(const State& s) {
  require(std::memcmp(s.chunked.length, s.whole.length, sizeof s.whole.length) == 0);
  require(std::memcmp(s.chunked.text, s.whole.text, sizeof s.whole.text) == 0);
  for (size_t key = 0; key < kSlotCount; ++key)
    check_slot(s.whole, key);
}

// Bytes the script has received in all, buffered or handed to the sink.
HARNESS_ONLY size_t script_total(const State& s) {
  return s.sink.written + s.script.used;
}

HARNESS_ONLY void render_all(State& s) {
  const CharacterTable& t = s.whole;
  script_begin(s.script, s.sink);
  for (unsigned code = 0; code < kByteValues; ++code) {
    const auto c = static_cast<uint8_t>(code);
    size_t before = script_total(s);
    render_char(t, s.script, c);
    require(script_total(s) - before == (t.length[c] != 0 ? t.length[c] : kRawTokenSize));
    before = script_total(s);
    render_code(t, s.script, c);
    require(script_total(s) - before == (t.length[c] != 0 ? t.length[c] : kCodeTokenSize));
  }
  for (size_t key = 0; key < kSlotCount; ++key) {
    const auto code = static_cast<uint8_t>(key >> 8);
    const auto arg = static_cast<uint8_t>(key & 0xFF);
    const size_t first = t.length[code] != 0 ? t.length[code] : kPairCodeSize;
    const size_t expected = t.length[key] != 0 ? t.length[key] : first + kRawTokenSize;
    const size_t before = script_total(s);
    render_code_pair(t, s.script, code, arg);
    require(script_total(s) - before == expected);
  }
  require(script_flush(s.script));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const auto state = std::make_unique<State>();
  State& s = *state;

  table_load_begin(s.loader, s.chunked);
  size_t offset = 0;
  for (size_t turn = 0; offset < size; ++turn) {
    size_t piece = kPieceSizes[turn % std::size(kPieceSizes)];
    if (piece > size - offset) piece = size - offset;
    table_load_feed(s.loader, data + offset, piece);
    offset += piece;
  }
  table_load_end(s.loader);

  load_table_text(s.loader, s.whole, data, size);

  check_tables(s);
  render_all(s);
  return 0;
}
