#include "rom/bank_window.h"

#include <cstring>

namespace quorin {

void load_bank_window(BankWindow& w, RomSource& rom, uint32_t address) {
  const uint32_t base = address - static_cast<uint32_t>(kWindowBankStart);
  size_t got = rom.read_at(base, w.bytes, kWindowSize);
  if (got > kWindowSize) got = kWindowSize;
  // Past the ROM's end, or for a ROM that cannot be read here, the window holds zeros: nothing
  // of an earlier load survives.
  std::memset(w.bytes + got, 0, kWindowSize - got);
  w.cursor = kWindowBankStart;
}

namespace {

constexpr int32_t kWindowEnd = static_cast<int32_t>(kWindowSize);

bool word_inside(int32_t cursor) {
  return cursor >= 0 && cursor <= kWindowEnd - 2;
}

uint16_t word_at(const BankWindow& w, int32_t cursor) {
  return static_cast<uint16_t>(w.bytes[cursor] | (w.bytes[cursor + 1] << 8));
}

}  // namespace

uint8_t read_byte(BankWindow& w) {
  if (w.cursor >= kWindowEnd || w.cursor < 0) return kPastEndByte;
  return w.bytes[w.cursor++];
}

uint16_t read_word(BankWindow& w) {
  if (!word_inside(w.cursor)) {
    if (w.cursor < kWindowEnd) w.cursor = kWindowEnd;
    return kPastEndWord;
  }
  uint16_t value = word_at(w, w.cursor);
  w.cursor += 2;
  return value;
}

uint16_t peek_word(const BankWindow& w) {
  return word_inside(w.cursor) ? word_at(w, w.cursor) : kPastEndWord;
}

}  // namespace quorin
