#include "driver/file_workspace.h"

namespace quorin {

std::FILE* open_readable_file(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return nullptr;
  // Some systems open a directory for reading; its first read fails.
  if (std::fgetc(file) == EOF && std::ferror(file) != 0) {
    std::fclose(file);
    return nullptr;
  }
  std::rewind(file);
  return file;
}

FileWorkspace::~FileWorkspace() {
  close_table();
  if (script_file_ != nullptr) (void)close_script();
}

ByteSource* FileWorkspace::open_table(const char* path) {
  close_table();
  table_file_ = std::fopen(path, "rb");
  if (table_file_ == nullptr) return nullptr;
  table_ = FileSource(table_file_);
  return &table_;
}

void FileWorkspace::close_table() {
  // The table was only read: closing it cannot lose anything.
  if (table_file_ != nullptr) (void)std::fclose(table_file_);
  table_file_ = nullptr;
}

ByteSink* FileWorkspace::create_script(const char* path) {
  script_file_ = std::fopen(path, "wb");
  if (script_file_ == nullptr) return nullptr;
  // The script writer already hands over large blocks.
  std::setvbuf(script_file_, nullptr, _IONBF, 0);
  script_ = FileSink(script_file_, false);
  return &script_;
}

bool FileWorkspace::close_script() {
  if (script_file_ == nullptr) return true;
  bool ok = std::fflush(script_file_) == 0;
  ok = std::ferror(script_file_) == 0 && ok;
  ok = std::fclose(script_file_) == 0 && ok;
  script_file_ = nullptr;
  return ok;
}

}  // namespace quorin
