// Byte sinks and sources over open C files, all in binary mode.
#pragma once

#include <cstdio>

#include "io/byte_io.h"

namespace quorin {

// Reads an open file from where it stands.
class FileSource final : public ByteSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  long read(uint8_t* dst, size_t n) override;

 private:
  std::FILE* file_;
};

// Writes an open file or console stream; with flush_each, every write is flushed at once so that
// console messages appear whole and in order.
class FileSink final : public ByteSink {
 public:
  FileSink(std::FILE* file, bool flush_each) : file_(file), flush_each_(flush_each) {}
  bool write(const uint8_t* data, size_t n) override;

 private:
  std::FILE* file_;
  bool flush_each_;
};

// The ROM image, an open file read at absolute offsets.
class FileRom final : public RomSource {
 public:
  explicit FileRom(std::FILE* file) : file_(file) {}
  size_t read_at(uint32_t offset, uint8_t* dst, size_t n) override;

 private:
  std::FILE* file_;
};

}  // namespace quorin
