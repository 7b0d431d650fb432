#include "io/hex.h"

namespace quorin {

uint8_t* put_hex(uint8_t* out, uint32_t value, int min_digits) {
  constexpr int kBitsPerDigit = 4;
  int digits = 1;
  while (digits < kMaxHexDigits && (value >> (kBitsPerDigit * digits)) != 0)
    ++digits;
  if (digits < min_digits) digits = min_digits;
  for (int i = digits - 1; i >= 0; --i) {
    out[i] = static_cast<uint8_t>(kHexDigits[value & 0xF]);
    value >>= kBitsPerDigit;
  }
  return out + digits;
}

}  // namespace quorin
