// In-memory stand-ins for the working directory, the console and the ROM, and helpers that build
// a context for one test.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "driver/context.h"
#include "driver/job.h"
#include "io/byte_io.h"
#include "io/script_writer.h"

namespace quorin::test {

// Collects everything written to it; can be told to fail from a given byte count on.
class StringSink final : public ByteSink {
 public:
  bool write(const uint8_t* data, size_t n) override;
  std::string bytes;
  size_t fail_after = SIZE_MAX;  // writes that would pass this many bytes fail
};

// Hands out a string in pieces of at most `piece` bytes; reports a read error when `broken`.
class StringSource final : public ByteSource {
 public:
  explicit StringSource(std::string text, size_t piece = SIZE_MAX, bool broken = false)
      : text_(std::move(text)), piece_(piece), broken_(broken) {}
  long read(uint8_t* dst, size_t n) override;

 private:
  std::string text_;
  size_t offset_ = 0;
  size_t piece_;
  bool broken_;
};

// Table files and scripts by path. A script path listed in `uncreatable` cannot be created; a
// table path in `unreadable` opens but fails on its first read.
class MemoryWorkspace final : public Workspace {
 public:
  ByteSource* open_table(const char* path) override;
  void close_table() override;
  ByteSink* create_script(const char* path) override;
  bool close_script() override;

  std::map<std::string, std::string> tables;
  std::map<std::string, std::string> scripts;
  std::vector<std::string> uncreatable;
  std::vector<std::string> unreadable;
  size_t script_fail_after = SIZE_MAX;  // byte budget of every script sink
  bool close_fails = false;             // every script's close reports a failure

 private:
  std::unique_ptr<StringSource> table_;
  std::unique_ptr<StringSink> script_;
  std::string script_path_;
};

// A zeroed context on the heap (it is megabytes), wired to a console sink and a ROM.
struct TestContext {
  TestContext();
  std::unique_ptr<DumpContext> ctx;
  StringSink console;
  StringSink script;
  std::unique_ptr<MemoryRom> rom;
  std::vector<uint8_t> rom_bytes;

  // Uses `bytes` as the ROM image.
  void set_rom(std::vector<uint8_t> bytes);
  // Loads table text into the character table.
  void set_table(const std::string& text);
  // Starts writing the script into `script`.
  void begin_script();
  // Flushes the script buffer and returns everything written so far.
  const std::string& script_bytes();
};

// The text with each "\n" turned into CR LF.
std::string crlf(const std::string& text);

// A ROM of `size` bytes of `fill` with `bytes` placed at `offset`.
std::vector<uint8_t> rom_with(size_t size, uint8_t fill, uint32_t offset,
                              const std::vector<uint8_t>& bytes);
// Places bytes into rom at offset.
void put_bytes(std::vector<uint8_t>& rom, uint32_t offset, const std::vector<uint8_t>& bytes);

}  // namespace quorin::test
