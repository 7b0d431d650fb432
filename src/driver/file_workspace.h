// The working directory as real files, opened in binary mode.
#pragma once

#include <cstdio>

#include "driver/job.h"
#include "io/file_io.h"

namespace quorin {

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
