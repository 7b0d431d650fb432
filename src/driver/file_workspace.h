// The working directory and the ROM as real files, opened in binary mode.
#pragma once

#include <cstdio>

#include "driver/job.h"
#include "rom/bank_window.h"

namespace quorin {

// Reads an open file.
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

// The ROM image opened for binary reading.
class FileRom final : public RomSource {
 public:
  explicit FileRom(std::FILE* file) : file_(file) {}
  size_t read_at(uint32_t offset, uint8_t* dst, size_t n) override;

 private:
  std::FILE* file_;
};

// Paths relative to the process's working directory.
class FileWorkspace final : public Workspace {
 public:
  FileWorkspace() = default;
  FileWorkspace(const FileWorkspace&) = delete;
  FileWorkspace& operator=(const FileWorkspace&) = delete;
  ~FileWorkspace() override;
  ByteSource* open_table(const char* path) override;
  void close_table() override;
  ByteSink* create_script(const char* path) override;
  bool close_script() override;

 private:
  std::FILE* table_file_ = nullptr;
  std::FILE* script_file_ = nullptr;
  FileSource table_{nullptr};
  FileSink script_{nullptr, false};
};

// Opens path for binary reading when it names something that can be read as a file (not a
// directory); nullptr otherwise.
std::FILE* open_readable_file(const char* path);

}  // namespace quorin
