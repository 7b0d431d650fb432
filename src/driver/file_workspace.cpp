#include "driver/file_workspace.h"

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
