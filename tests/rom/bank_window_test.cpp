#include "rom/bank_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

constexpr uint32_t kBank = 0x38000;
constexpr uint32_t kBase = kBank - 0x4000;

// A ROM whose byte at offset i is (i * 7 + i / 256) & 0xFF, so neighbouring bytes differ.
std::vector<uint8_t> patterned_rom(size_t size) {
  std::vector<uint8_t> rom(size);
  for (size_t i = 0; i < size; ++i)
    rom[i] = static_cast<uint8_t>(i * 7 + i / 256);
  return rom;
}

class BankWindowTest : public testing::Test {
 protected:
  void load(std::vector<uint8_t> rom, uint32_t address = kBank) {
    t.set_rom(std::move(rom));
    load_bank_window(window(), *t.ctx->rom, address);
  }
  BankWindow& window() { return t.ctx->window; }
  TestContext t;
};

TEST_F(BankWindowTest, IndexFourThousandHoldsTheLoadedAddress) {
  load(patterned_rom(0x80000));
  EXPECT_EQ(window().cursor, 0x4000);
  EXPECT_EQ(read_byte(window()), t.rom_bytes[kBank]);
  EXPECT_EQ(window().cursor, 0x4001);
  EXPECT_EQ(window().bytes[0], t.rom_bytes[kBase]);
  EXPECT_EQ(window().bytes[0xFFFF], t.rom_bytes[kBase + 0xFFFF]);
}

TEST_F(BankWindowTest, ReadByteStopsAtTheEnd) {
  load(patterned_rom(0x80000));
  window().cursor = 0xFFFF;
  EXPECT_EQ(read_byte(window()), t.rom_bytes[kBase + 0xFFFF]);
  EXPECT_EQ(window().cursor, 0x10000);
  EXPECT_EQ(read_byte(window()), 0xFF);
  EXPECT_EQ(window().cursor, 0x10000);
}

TEST_F(BankWindowTest, WordsAreLittleEndianAndWhollyInside) {
  load(patterned_rom(0x80000));
  window().cursor = 0xFFFE;
  const uint16_t last =
      static_cast<uint16_t>(t.rom_bytes[kBase + 0xFFFE] + 256 * t.rom_bytes[kBase + 0xFFFF]);
  EXPECT_EQ(peek_word(window()), last);
  EXPECT_EQ(peek_word(window()), last);
  EXPECT_EQ(window().cursor, 0xFFFE);
  EXPECT_EQ(read_word(window()), last);
  EXPECT_EQ(window().cursor, 0x10000);
  EXPECT_EQ(read_word(window()), 0xFFFF);
  EXPECT_GE(window().cursor, 0x10000);

  window().cursor = 0xFFFF;
  EXPECT_EQ(peek_word(window()), 0xFFFF);
  EXPECT_EQ(read_word(window()), 0xFFFF);
  EXPECT_GE(window().cursor, 0x10000);
}

// A ROM that fails at a bank's address after filling part of the block.
class FailingRom final : public RomSource {
 public:
  size_t read_at(uint32_t, uint8_t* dst, size_t n) override {
    std::fill(dst, dst + n / 2, 0x77);
    return 0;
  }
};

// After a load from a full ROM of 0xAA, a load from a ROM that gives less: the window holds its
// bytes (all 0x55) and zeros after them, never a byte of the earlier load or of a failed read.
TEST_F(BankWindowTest, WhatTheRomDoesNotGiveIsZero) {
  struct Case {
    const char* name;
    size_t rom_size;  // a ROM of this many bytes of 0x55; 0 for one that cannot be read
    uint32_t filled;  // window indices 0 .. filled-1 hold 0x55
  };
  for (const Case& c : {Case{"EndsInsideTheWindow", kBank + 0x10, 0x4010},
                        Case{"EndsBeforeTheWindow", 0x100, 0}, Case{"Unreadable", 0, 0}}) {
    load(std::vector<uint8_t>(0x80000, 0xAA));
    const std::vector<uint8_t> bytes(c.rom_size, 0x55);
    MemoryRom short_rom(bytes.data(), bytes.size());
    FailingRom failing;
    load_bank_window(window(), c.rom_size != 0 ? static_cast<RomSource&>(short_rom) : failing,
                     kBank);
    EXPECT_EQ(window().cursor, 0x4000) << c.name;
    for (uint32_t i = 0; i < kWindowSize; ++i)
      ASSERT_EQ(window().bytes[i], i < c.filled ? 0x55 : 0x00) << c.name << " at " << i;
  }
}

}  // namespace
}  // namespace quorin::test
