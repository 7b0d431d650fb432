// Where bytes go and where they come from: files, the console, the ROM, or memory in tests.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorin {

// Where bytes go: a file, the console, or memory in tests.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all n bytes; returns false when any of them could not be written.
  virtual bool write(const uint8_t* data, size_t n) = 0;
};

// Where bytes come from, in order: a table file, or memory in tests.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to n bytes into dst; returns the count read, 0 at the end, -1 on a read error.
  virtual long read(uint8_t* dst, size_t n) = 0;
};

// The ROM image, read in positioned blocks.
class RomSource {
 public:
  virtual ~RomSource() = default;
  // Reads up to n bytes from ROM offset `offset` into dst; returns the count read, 0 when the
  // offset cannot be reached or read. dst past the returned count may hold anything.
  virtual size_t read_at(uint32_t offset, uint8_t* dst, size_t n) = 0;
};

// A ROM image held in memory.
class MemoryRom final : public RomSource {
 public:
  MemoryRom(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
  size_t read_at(uint32_t offset, uint8_t* dst, size_t n) override;

 private:
  const uint8_t* bytes_;
  size_t size_;
};

}  // namespace quorin
