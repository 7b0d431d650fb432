#include "io/file_io.h"

namespace quorin {

long FileSource::read(uint8_t* dst, size_t n) {
  const size_t got = std::fread(dst, 1, n, file_);
  if (got == 0 && std::ferror(file_) != 0) return -1;
  return static_cast<long>(got);
}

bool FileSink::write(const uint8_t* data, size_t n) {
  bool ok = std::fwrite(data, 1, n, file_) == n;
  if (flush_each_) ok = std::fflush(file_) == 0 && ok;
  return ok;
}

size_t FileRom::read_at(uint32_t offset, uint8_t* dst, size_t n) {
  if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return 0;
  const size_t got = std::fread(dst, 1, n, file_);
  // A read error is not an end of file: nothing of a block read in part is trusted.
  const bool failed = std::ferror(file_) != 0;
  std::clearerr(file_);
  return failed ? 0 : got;
}

}  // namespace quorin
