#include "support/memory_workspace.h"

#include <algorithm>
#include <cstring>

#include "table/table_loader.h"

namespace quorin::test {

bool StringSink::write(const uint8_t* data, size_t n) {
  if (bytes.size() + n > fail_after) return false;
  bytes.append(reinterpret_cast<const char*>(data), n);
  return true;
}

long StringSource::read(uint8_t* dst, size_t n) {
  if (broken_) return -1;
  size_t part = std::min({n, piece_, text_.size() - offset_});
  std::memcpy(dst, text_.data() + offset_, part);
  offset_ += part;
  return static_cast<long>(part);
}

ByteSource* MemoryWorkspace::open_table(const char* path) {
  auto found = tables.find(path);
  if (found == tables.end()) return nullptr;
  const bool broken = std::find(unreadable.begin(), unreadable.end(), path) != unreadable.end();
  table_ = std::make_unique<StringSource>(found->second, SIZE_MAX, broken);
  return table_.get();
}

void MemoryWorkspace::close_table() {
  table_.reset();
}

ByteSink* MemoryWorkspace::create_script(const char* path) {
  if (std::find(uncreatable.begin(), uncreatable.end(), path) != uncreatable.end()) return nullptr;
  script_ = std::make_unique<StringSink>();
  script_->fail_after = script_fail_after;
  script_path_ = path;
  scripts[script_path_].clear();
  return script_.get();
}

bool MemoryWorkspace::close_script() {
  if (script_) scripts[script_path_] = script_->bytes;
  script_.reset();
  return !close_fails;
}

// make_unique value-initialises: every buffer starts zero, as the tool's static one does.
TestContext::TestContext() : ctx(std::make_unique<DumpContext>()) {
  ctx->console = &console;
  set_rom({});
  begin_script();
}

void TestContext::set_rom(std::vector<uint8_t> bytes) {
  rom_bytes = std::move(bytes);
  rom = std::make_unique<MemoryRom>(rom_bytes.data(), rom_bytes.size());
  ctx->rom = rom.get();
}

void TestContext::set_table(const std::string& text) {
  load_table_text(ctx->loader, ctx->table, reinterpret_cast<const uint8_t*>(text.data()),
                  text.size());
}

void TestContext::begin_script() {
  script.bytes.clear();
  script_begin(ctx->script, script);
}

const std::string& TestContext::script_bytes() {
  script_flush(ctx->script);
  return script.bytes;
}

std::string crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::vector<uint8_t> rom_with(size_t size, uint8_t fill, uint32_t offset,
                              const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> rom(size, fill);
  put_bytes(rom, offset, bytes);
  return rom;
}

void put_bytes(std::vector<uint8_t>& rom, uint32_t offset, const std::vector<uint8_t>& bytes) {
  std::copy(bytes.begin(), bytes.end(), rom.begin() + offset);
}

}  // namespace quorin::test
