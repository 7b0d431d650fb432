// Reading a script back gives every string's ROM bytes: nothing is lost or invented on the way.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "rom/pointer_dump.h"
#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

constexpr size_t kRomSize = 0x50000;
constexpr uint32_t kBank = 0x38000;
constexpr uint32_t kBankBase = kBank - 0x4000;

// A table that maps every byte to its own text "{xx}" in lower case, distinct from every token.
std::string distinct_table() {
  std::string text;
  for (int code = 0; code < 0x100; ++code) {
    char line[16];
    std::snprintf(line, sizeof line, "%02X={%02x}\r\n", code, code);
    text += line;
  }
  return text;
}

int hex_digit(char c) {
  return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// Reads one string body back into bytes: "{xx}" and "<$XX>" are one byte each; a line break
// after a line-break code is layout. Returns the position after the blank line that closes it.
size_t read_body(const std::string& script, size_t at, std::vector<uint8_t>& bytes) {
  for (;;) {
    if (script.compare(at, 4, "\r\n\r\n") == 0) return at + 4;
    if (script.compare(at, 2, "\r\n") == 0) {
      at += 2;
    } else if (script[at] == '{' && script[at + 3] == '}') {
      bytes.push_back(
          static_cast<uint8_t>(hex_digit(script[at + 1]) * 16 + hex_digit(script[at + 2])));
      at += 4;
    } else if (script.compare(at, 2, "<$") == 0 && script[at + 4] == '>') {
      bytes.push_back(
          static_cast<uint8_t>(hex_digit(script[at + 2]) * 16 + hex_digit(script[at + 3])));
      at += 5;
    } else {
      ADD_FAILURE() << "unexpected text at " << at << ": " << script.substr(at, 20);
      return std::string::npos;
    }
  }
}

// The bytes of a random string that ends: text bytes, control codes with their argument bytes,
// pair codes, line breaks, then one of the three end codes with its arguments.
std::vector<uint8_t> random_string(std::mt19937& random) {
  // The game's argument counts of F0-FF, written out here so that a wrong count in the tool
  // shows as a string that does not read back.
  static constexpr int kArgBytes[16] = {0, 4, 2, 0, 1, 0, 0, 0, 0, 2, 1, 0, 1, 1, 0, 0};
  static constexpr uint8_t kControls[] = {0xF0, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8,
                                          0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE};
  static constexpr uint8_t kEnds[] = {0xF1, 0xF2, 0xFF};
  std::vector<uint8_t> s;
  const int length = static_cast<int>(random() % 40);
  for (int i = 0; i < length; ++i) {
    if (random() % 4 != 0) {
      s.push_back(static_cast<uint8_t>(random() % 0xC3));
      continue;
    }
    const uint8_t code = kControls[random() % sizeof kControls];
    s.push_back(code);
    for (int arg = 0; arg < kArgBytes[code - 0xF0]; ++arg) {
      s.push_back(static_cast<uint8_t>(random()));
    }
  }
  const uint8_t end = kEnds[random() % sizeof kEnds];
  s.push_back(end);
  for (int arg = 0; arg < kArgBytes[end - 0xF0]; ++arg) {
    s.push_back(static_cast<uint8_t>(random()));
  }
  return s;
}

TEST(Lossless, ScriptReadsBackToEachStringsRomBytes) {
  std::mt19937 random(20261211);
  constexpr int kStrings = 200;
  std::vector<std::vector<uint8_t>> strings;
  std::vector<uint8_t> rom(kRomSize, 0x00);
  uint32_t next = 0x4000 + 2 * kStrings;
  for (int i = 0; i < kStrings; ++i) {
    strings.push_back(random_string(random));
    rom[kBank + 2 * i] = static_cast<uint8_t>(next & 0xFF);
    rom[kBank + 2 * i + 1] = static_cast<uint8_t>(next >> 8);
    put_bytes(rom, kBankBase + next, strings.back());
    next += static_cast<uint32_t>(strings.back().size());
  }

  TestContext t;
  t.set_table(distinct_table());
  t.set_rom(rom);
  int32_t entry_index = 0;
  dump_pointer_bank(*t.ctx, kBank, entry_index);
  const std::string& script = t.script_bytes();
  ASSERT_EQ(t.console.bytes.substr(0, 9), "\r\n[FILE] ");

  size_t at = 0;
  for (int i = 0; i < kStrings; ++i) {
    const size_t body = script.find("#WRITE(PtrTable)\r\n\r\n", at);
    ASSERT_NE(body, std::string::npos) << "string " << i;
    std::vector<uint8_t> bytes;
    at = read_body(script, body + 20, bytes);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(bytes, strings[i]) << "string " << i;
  }
}

}  // namespace
}  // namespace quorin::test
