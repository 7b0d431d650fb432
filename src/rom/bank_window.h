// A 64 KiB view of the ROM laid out as the console's CPU sees a switched bank: window index
// 0x4000 holds the byte at the loaded address, so a 16-bit pointer of the game indexes it directly.
#pragma once

#include <cstddef>
#include <cstdint>

#include "io/byte_io.h"

namespace quorin {

inline constexpr uint32_t kWindowSize = 0x10000;
// Window index of the loaded address; the window starts this many bytes before it in the ROM.
inline constexpr int32_t kWindowBankStart = 0x4000;
// What read_byte gives at and past the window's end (also the game's end-of-string code).
inline constexpr uint8_t kPastEndByte = 0xFF;
// What read_word and peek_word give for a word not wholly inside the window.
inline constexpr uint16_t kPastEndWord = 0xFFFF;

struct BankWindow {
  uint8_t bytes[kWindowSize];
  int32_t cursor;  // a window index; at or past kWindowSize nothing more is read
};

// Fills the window with the ROM bytes from address - 0x4000 on (as many as the ROM has, zeros
// after them) and sets the cursor to 0x4000.
void load_bank_window(BankWindow& w, RomSource& rom, uint32_t address);
// The byte at the cursor, advancing it; 0xFF with the cursor unchanged at or past the end.
uint8_t read_byte(BankWindow& w);
// The little-endian word at the cursor, advancing it by 2; 0xFFFF when the word is not wholly
// inside, with the cursor left at or past the end.
uint16_t read_word(BankWindow& w);
// The little-endian word at the cursor without moving it; 0xFFFF when not wholly inside.
uint16_t peek_word(const BankWindow& w);

}  // namespace quorin
