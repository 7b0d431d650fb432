#include "io/byte_io.h"

#include <cstring>

namespace quorin {

size_t MemoryRom::read_at(uint32_t offset, uint8_t* dst, size_t n) {
  if (offset >= size_) return 0;
  size_t available = size_ - offset;
  if (n > available) n = available;
  std::memcpy(dst, bytes_ + offset, n);
  return n;
}

}  // namespace quorin
