// Upper-case hexadecimal digits, as every number in the scripts and on the console is written.
#pragma once

#include <cstdint>

namespace quorin {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";
// A 32-bit value never needs more digits than this.
inline constexpr int kMaxHexDigits = 8;

// Writes value in upper-case hexadecimal, zero-padded to at least min_digits (at most 8 digits in
// all), at out; returns the end.
uint8_t* put_hex(uint8_t* out, uint32_t value, int min_digits);

}  // namespace quorin
