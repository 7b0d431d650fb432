#include "rom/fixed_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/expected_headers.h"
#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

constexpr size_t kRomSize = 0x20000;
constexpr uint32_t kIntroStart = 0x10AF5;

std::string token(uint8_t byte) {
  char text[8];
  std::snprintf(text, sizeof text, "<$%02X>", byte);
  return text;
}

std::string head(const char* address_hex, const char* padded) {
  return std::string("#JMP($") + address_hex + ")\r\n\r\n\r\n//[" + padded + "]\r\n\r\n";
}

std::string tail(const char* end_hex, const char* range) {
  return std::string("\r\n#WARN($") + end_hex + ", \"Intro $" + end_hex + "\")\r\n\r\n" +
         "\r\n//[FILE] " + range + kExpectedSlashLine + "\r\n\r\n\r\n";
}

// The ROM of these tests: intro byte i (from 0x10AF5 on) is i % 0xC3, never an invalid byte.
std::vector<uint8_t> intro_rom() {
  std::vector<uint8_t> rom(kRomSize, 0x00);
  for (uint32_t i = 0; i < 0x1F4; ++i)
    rom[kIntroStart + i] = static_cast<uint8_t>(i % 0xC3);
  return rom;
}

// Lines of tokens for the intro bytes [from, from + lines * width).
std::string token_lines(uint32_t from, int width, int lines) {
  std::string text;
  for (int line = 0; line < lines; ++line) {
    for (int i = 0; i < width; ++i) {
      text += token(static_cast<uint8_t>((from + static_cast<uint32_t>(line * width + i)) % 0xC3));
    }
    text += "\r\n";
  }
  return text;
}

TEST(FixedDump, AllFiveBlocksInOrder) {
  TestContext t;
  t.set_rom(intro_rom());
  dump_fixed_blocks(*t.ctx);
  EXPECT_EQ(t.script_bytes(),
            head("10AF5", "010AF5") + token_lines(0, 15, 16) + tail("10BE5", "010AF5-010BE5") +
                head("10BE5", "010BE5") + token_lines(240, 15, 16) +
                tail("10CD5", "010BE5-010CD5") + head("10CD5", "010CD5") + token_lines(480, 3, 1) +
                tail("10CD8", "010CD5-010CD8") + head("10CD8", "010CD8") + token_lines(483, 7, 1) +
                tail("10CDF", "010CD8-010CDF") + head("10CDF", "010CDF") + token_lines(490, 10, 1) +
                tail("10CE9", "010CDF-010CE9"));
  EXPECT_EQ(t.console.bytes,
            "\r\n[FILE] 010AF5-010BE5\r\n[FILE] 010BE5-010CD5\r\n[FILE] 010CD5-010CD8"
            "\r\n[FILE] 010CD8-010CDF\r\n[FILE] 010CDF-010CE9");
}

TEST(FixedDump, ControlBytesArePlainCodesHere) {
  TestContext t;
  t.set_table("F0=[br]\r\n41=A\r\n");
  t.set_rom(rom_with(kRomSize, 0x41, 0x10CDF, {0xF0, 0xFF, 0xFA, 0xF1, 0xFE}));
  dump_fixed_block(*t.ctx, 0x10CDF, 10, 1);
  EXPECT_EQ(t.script_bytes(), head("10CDF", "010CDF") + "[br]<$FF><$FA><$F1><$FE>AAAAA\r\n" +
                                  tail("10CE9", "010CDF-010CE9"));
}

TEST(FixedDump, InvalidByteStopsTheBlockMidLine) {
  TestContext t;
  std::vector<uint8_t> rom = intro_rom();
  rom[kIntroStart + 20] = 0xC3;  // line 2, sixth byte, ROM offset 0x10B09
  t.set_rom(rom);
  dump_fixed_blocks(*t.ctx);
  std::string partial = token_lines(0, 15, 1);
  for (uint32_t i = 15; i < 20; ++i)
    partial += token(static_cast<uint8_t>(i));
  const std::string expected_start = head("10AF5", "010AF5") + partial + head("10BE5", "010BE5");
  EXPECT_EQ(t.script_bytes().substr(0, expected_start.size()), expected_start);
  EXPECT_EQ(t.console.bytes,
            "\r\n[LAYER2] CRASH 00C3 @ 10B08\r\n[FILE] 010BE5-010CD5\r\n[FILE] 010CD5-010CD8"
            "\r\n[FILE] 010CD8-010CDF\r\n[FILE] 010CDF-010CE9");
}

TEST(FixedDump, FaultInBlockThreeLeavesBlocksFourAndFive) {
  TestContext t;
  std::vector<uint8_t> rom = intro_rom();
  rom[0x10CD7] = 0xEF;  // the last byte of block 3
  t.set_rom(rom);
  dump_fixed_blocks(*t.ctx);
  const std::string& script = t.script_bytes();
  const std::string expected_end = head("10CD5", "010CD5") + token(480 % 0xC3) + token(481 % 0xC3) +
                                   head("10CD8", "010CD8") + token_lines(483, 7, 1) +
                                   tail("10CDF", "010CD8-010CDF") + head("10CDF", "010CDF") +
                                   token_lines(490, 10, 1) + tail("10CE9", "010CDF-010CE9");
  ASSERT_GE(script.size(), expected_end.size());
  EXPECT_EQ(script.substr(script.size() - expected_end.size()), expected_end);
  EXPECT_EQ(t.console.bytes,
            "\r\n[FILE] 010AF5-010BE5\r\n[FILE] 010BE5-010CD5\r\n[LAYER2] CRASH 00EF @ 10CD6"
            "\r\n[FILE] 010CD8-010CDF\r\n[FILE] 010CDF-010CE9");
}

}  // namespace
}  // namespace quorin::test
