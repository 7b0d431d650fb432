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

TEST_F(BankWindowTest, ShortRomLeavesTheRestZeroEvenAfterAFullerLoad) {
  load(std::vector<uint8_t>(0x80000, 0xAA));
  std::vector<uint8_t> short_rom(kBank + 0x10, 0x55);
  load(short_rom);
  // ROM offsets base .. bank+0x0F exist: window indices 0 .. 0x400F.
  EXPECT_EQ(window().bytes[0], 0x55);
  EXPECT_EQ(window().bytes[0x400F], 0x55);
  for (uint32_t i = 0x4010; i < kWindowSize; ++i)
    ASSERT_EQ(window().bytes[i], 0x00) << i;
}

TEST_F(BankWindowTest, RomThatEndsBeforeTheWindowGivesZeros) {
  load(std::vector<uint8_t>(0x80000, 0xAA));
  load(std::vector<uint8_t>(0x100, 0x55));
  for (uint32_t i = 0; i < kWindowSize; ++i)
    ASSERT_EQ(window().bytes[i], 0x00) << i;
  EXPECT_EQ(window().cursor, 0x4000);
}

// A ROM that fails at a bank's address after filling part of the block.
class FailingRom final : public RomSource {
 public:
  size_t read_at(uint32_t, uint8_t* dst, size_t n) override {
    std::fill(dst, dst + n / 2, 0x77);
    return 0;
  }
};

TEST_F(BankWindowTest, UnreadableRomGivesAWindowOfZeros) {
  load(std::vector<uint8_t>(0x80000, 0xAA));
  FailingRom failing;
  load_bank_window(window(), failing, kBank);
  for (uint32_t i = 0; i < kWindowSize; ++i)
    ASSERT_EQ(window().bytes[i], 0x00) << i;
  EXPECT_EQ(window().cursor, 0x4000);
}

}  // namespace
}  // namespace quorin::test
