#include "table/character_table.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

const uint8_t* bytes(const std::string& s) {
  return reinterpret_cast<const uint8_t*>(s.data());
}

TEST(CharacterTable, SetStoresTextAndLengthAndClipsAtThirtyNine) {
  TestContext t;
  CharacterTable& table = t.ctx->table;
  const std::string long_text(45, 'x');
  table_set(table, 0xFA05, bytes(long_text), long_text.size());
  EXPECT_EQ(std::string(table.text[0xFA05]), std::string(kSlotTextMax, 'x'));
  EXPECT_EQ(table.length[0xFA05], kSlotTextMax);

  // A shorter value leaves nothing of the longer one behind.
  table_set(table, 0xFA05, bytes("ab"), 2);
  EXPECT_EQ(std::string(table.text[0xFA05], kSlotSize), "ab" + std::string(kSlotSize - 2, '\0'));
  EXPECT_EQ(table.length[0xFA05], 2);

  table_set(table, 0xFA05, bytes(""), 0);
  EXPECT_EQ(table.length[0xFA05], 0);
  EXPECT_EQ(table.text[0xFA05][0], '\0');
}

TEST(CharacterTable, ClearEmptiesEverySlot) {
  TestContext t;
  CharacterTable& table = t.ctx->table;
  for (uint32_t key = 0; key < kSlotCount; key += 0x101)
    table_set(table, key, bytes("v"), 1);
  table_set(table, 0xFFFF, bytes("last"), 4);
  table_clear(table);
  for (uint32_t key = 0; key < kSlotCount; ++key) {
    ASSERT_EQ(table.length[key], 0) << key;
    ASSERT_EQ(std::string(table.text[key], kSlotSize), std::string(kSlotSize, '\0')) << key;
  }
}

}  // namespace
}  // namespace quorin::test
