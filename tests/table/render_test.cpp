#include "table/render.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

struct RenderCase {
  const char* name;
  std::string table;
  std::function<void(const CharacterTable&, ScriptWriter&)> render;
  std::string expected;
};

void PrintTo(const RenderCase& c, std::ostream* os) {
  *os << c.name;
}

class RenderCases : public testing::TestWithParam<RenderCase> {};

TEST_P(RenderCases, WritesSlotTextOrItsFallback) {
  const RenderCase& c = GetParam();
  TestContext t;
  t.set_table(c.table);
  c.render(t.ctx->table, t.ctx->script);
  EXPECT_EQ(t.script_bytes(), c.expected);
}

auto chr(uint8_t code) {
  return [code](const CharacterTable& table, ScriptWriter& w) { render_char(table, w, code); };
}
auto code(uint8_t c) {
  return [c](const CharacterTable& table, ScriptWriter& w) { render_code(table, w, c); };
}
auto pair(uint8_t c, uint8_t arg) {
  return [c, arg](const CharacterTable& table, ScriptWriter& w) {
    render_code_pair(table, w, c, arg);
  };
}

const std::string kLongest(39, 'z');

INSTANTIATE_TEST_SUITE_P(
    Render, RenderCases,
    testing::Values(
        RenderCase{"CharFallback", "", chr(0x41), "<$41>"},
        RenderCase{"CharFallbackUpperCase", "", chr(0xAB), "<$AB>"},
        RenderCase{"CharZero", "", chr(0x00), "<$00>"},
        RenderCase{"CharSlot", "41=A\r\n", chr(0x41), "A"},
        RenderCase{"CharSlotLooksLikeAToken", "41=<CODE FF>\r\n", chr(0x41), "<CODE FF>"},
        RenderCase{"CharLongestSlot", "41=" + kLongest + "\r\n", chr(0x41), kLongest},
        RenderCase{"CodeFallback", "", code(0xF3), "<CODE F3>"},
        RenderCase{"CodeSlotWithoutLineBreak", "F0=[line]\r\n", code(0xF0), "[line]"},
        RenderCase{"PairFallback", "", pair(0xFA, 0x05), "<FA><$05>"},
        RenderCase{"PairFallbackUpperCase", "", pair(0xFD, 0xBC), "<FD><$BC>"},
        RenderCase{"PairFirstByteSlot", "FA=[item]\r\n", pair(0xFA, 0x05), "[item]<$05>"},
        RenderCase{"PairSlotWins", "FA=[item]\r\nFA05=[sword]\r\n", pair(0xFA, 0x05), "[sword]"},
        RenderCase{"PairSlotWithoutFirstByteSlot", "FA05=[sword]\r\n", pair(0xFA, 0x05), "[sword]"},
        RenderCase{"PairOtherArgumentFallsBack", "FA=[item]\r\nFA05=[sword]\r\n", pair(0xFA, 0x06),
                   "[item]<$06>"},
        RenderCase{"PairLongestFirstByteSlot", "FD=" + kLongest + "\r\n", pair(0xFD, 0xFF),
                   kLongest + "<$FF>"},
        RenderCase{"CharIgnoresPairSlots", "0041=A\r\nFA41=B\r\n", chr(0xFA), "<$FA>"}),
    [](const testing::TestParamInfo<RenderCase>& info) { return std::string(info.param.name); });

// Many tokens in a row cross the buffer's flush point without losing or doubling a byte.
TEST(Render, TokensAcrossBufferFlushesAreKeptWhole) {
  TestContext t;
  t.set_table("41=" + kLongest + "\r\n");
  std::string expected;
  const size_t rounds = kScriptBufferSize / 40 + 100;
  for (size_t i = 0; i < rounds; ++i) {
    render_char(t.ctx->table, t.ctx->script, 0x41);
    render_code_pair(t.ctx->table, t.ctx->script, 0xFA, 0x07);
    expected += kLongest + "<FA><$07>";
  }
  EXPECT_EQ(t.script_bytes(), expected);
}

}  // namespace
}  // namespace quorin::test
