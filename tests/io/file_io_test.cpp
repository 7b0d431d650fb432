#include "io/file_io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace quorin::test {
namespace {

// An anonymous temporary file holding `bytes`, positioned at its start.
std::FILE* file_with(const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::tmpfile();
  EXPECT_NE(file, nullptr);
  EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
  std::rewind(file);
  return file;
}

std::vector<uint8_t> counting_bytes(size_t n) {
  std::vector<uint8_t> bytes(n);
  for (size_t i = 0; i < n; ++i)
    bytes[i] = static_cast<uint8_t>(i * 3 + 1);
  return bytes;
}

TEST(FileRom, ReadsAtAnyOffsetAndStopsAtTheEnd) {
  const std::vector<uint8_t> bytes = counting_bytes(0x100);
  std::FILE* file = file_with(bytes);
  FileRom rom(file);
  struct Case {
    uint32_t offset;
    size_t asked;
    size_t got;
  };
  // The last byte alone, a block across the end, the end itself, past it, then the start again:
  // nothing depends on where the previous read left the file.
  for (const Case& c : {Case{0xFF, 1, 1}, Case{0xF0, 0x40, 0x10}, Case{0x100, 8, 0},
                        Case{0x5000, 8, 0}, Case{0, 0x100, 0x100}, Case{0x80, 4, 4}}) {
    std::vector<uint8_t> dst(c.asked, 0xEE);
    ASSERT_EQ(rom.read_at(c.offset, dst.data(), c.asked), c.got) << c.offset;
    for (size_t i = 0; i < c.got; ++i)
      ASSERT_EQ(dst[i], bytes[c.offset + i]) << c.offset << "+" << i;
  }
  std::fclose(file);
}

TEST(FileSource, ReadsInPiecesThenGivesZero) {
  const std::vector<uint8_t> bytes = counting_bytes(10);
  std::FILE* file = file_with(bytes);
  FileSource source(file);
  uint8_t dst[4];
  std::vector<uint8_t> got;
  long n;
  while ((n = source.read(dst, sizeof dst)) > 0)
    got.insert(got.end(), dst, dst + n);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(got, bytes);
  std::fclose(file);
}

TEST(FileSink, WritesEveryByteUnchanged) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  FileSink sink(file, true);
  const std::string text = "a\r\nb\n\x1A\xFF";
  EXPECT_TRUE(sink.write(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  std::rewind(file);
  char back[16] = {};
  EXPECT_EQ(std::fread(back, 1, sizeof back, file), text.size());
  EXPECT_EQ(std::string(back, text.size()), text);
  std::fclose(file);
}

#ifdef __GLIBC__
// A file whose bytes are 0..255 repeated and whose reads fail once, at byte `fail_at`: a read
// across that byte gives the bytes before it, then the error.
struct FlakyFile {
  size_t size = 0x100;
  size_t position = 0;
  size_t fail_at = 0x40;
  bool failed_once = false;
};

std::FILE* open_flaky(FlakyFile& flaky) {
  cookie_io_functions_t io{};
  io.read = [](void* cookie, char* buffer, size_t n) -> ssize_t {
    auto& f = *static_cast<FlakyFile*>(cookie);
    if (!f.failed_once && f.position <= f.fail_at && f.fail_at < f.position + n) {
      if (f.position == f.fail_at) {
        f.failed_once = true;
        return -1;
      }
      n = f.fail_at - f.position;  // the bytes before the bad one arrive first
    }
    if (n > f.size - f.position) n = f.size - f.position;
    for (size_t i = 0; i < n; ++i)
      buffer[i] = static_cast<char>(f.position + i);
    f.position += n;
    return static_cast<ssize_t>(n);
  };
  io.seek = [](void* cookie, off64_t* offset, int whence) -> int {
    if (whence != SEEK_SET) return -1;
    static_cast<FlakyFile*>(cookie)->position = static_cast<size_t>(*offset);
    return 0;
  };
  std::FILE* file = fopencookie(&flaky, "rb", io);
  std::setvbuf(file, nullptr, _IONBF, 0);
  return file;
}

TEST(FileRom, BlockCutByAReadErrorIsNotTrustedAndTheNextReadWorks) {
  FlakyFile flaky;
  std::FILE* file = open_flaky(flaky);
  ASSERT_NE(file, nullptr);
  FileRom rom(file);
  uint8_t dst[0x80];
  EXPECT_EQ(rom.read_at(0x10, dst, sizeof dst), 0u) << "0x30 bytes arrived, then the error";
  ASSERT_EQ(rom.read_at(0x10, dst, sizeof dst), sizeof dst);
  EXPECT_EQ(dst[0], 0x10);
  EXPECT_EQ(dst[0x7F], 0x8F);
  std::fclose(file);
}
#endif

#ifndef _WIN32
// A directory opens for reading here, and every read of it fails: a read error is never data.
TEST(FileIo, ReadErrorsAreNeverTakenAsData) {
  const std::string dir = std::filesystem::temp_directory_path().string();
  std::FILE* file = std::fopen(dir.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  uint8_t dst[16];
  FileSource source(file);
  EXPECT_EQ(source.read(dst, sizeof dst), -1);
  FileRom rom(file);
  EXPECT_EQ(rom.read_at(0, dst, sizeof dst), 0u);
  EXPECT_EQ(rom.read_at(0, dst, sizeof dst), 0u) << "the error is cleared, and found again";
  std::fclose(file);
}

TEST(FileSink, FullDiskIsAFailedWrite) {
  for (bool flush_each : {true, false}) {
    std::FILE* file = std::fopen("/dev/full", "wb");
    ASSERT_NE(file, nullptr);
    std::setvbuf(file, nullptr, _IONBF, 0);
    FileSink sink(file, flush_each);
    const uint8_t byte = 'x';
    EXPECT_FALSE(sink.write(&byte, 1)) << flush_each;
    std::fclose(file);
  }
}
#endif

}  // namespace
}  // namespace quorin::test
