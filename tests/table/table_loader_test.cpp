#include "table/table_loader.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

using Slots = std::map<uint32_t, std::string>;

struct LoaderCase {
  const char* name;
  std::string text;
  Slots expected;  // every slot that must hold text; all others must be empty
};

void PrintTo(const LoaderCase& c, std::ostream* os) {
  *os << c.name;
}

// Every filled slot of the table, with its text.
Slots filled_slots(const CharacterTable& table) {
  Slots slots;
  for (uint32_t key = 0; key < kSlotCount; ++key) {
    const std::string text(table.text[key]);
    EXPECT_EQ(table.length[key], text.size()) << "length of slot " << key;
    EXPECT_EQ(table.text[key][kSlotTextMax], '\0') << "terminator of slot " << key;
    if (!text.empty()) slots[key] = text;
  }
  return slots;
}

class TableLoaderCases : public testing::TestWithParam<LoaderCase> {};

TEST_P(TableLoaderCases, FillsExactlyTheExpectedSlots) {
  const LoaderCase& c = GetParam();
  TestContext t;
  t.set_table(c.text);
  EXPECT_EQ(filled_slots(t.ctx->table), c.expected);
}

// The same text handed over one byte at a time, or in odd pieces, gives the same table.
TEST_P(TableLoaderCases, PiecesOfAnySizeGiveTheSameTable) {
  const LoaderCase& c = GetParam();
  for (size_t piece : {size_t{1}, size_t{3}, size_t{64}}) {
    TestContext t;
    table_load_begin(t.ctx->loader, t.ctx->table);
    for (size_t at = 0; at < c.text.size(); at += piece) {
      const size_t n = std::min(piece, c.text.size() - at);
      table_load_feed(t.ctx->loader, reinterpret_cast<const uint8_t*>(c.text.data() + at), n);
    }
    table_load_end(t.ctx->loader);
    EXPECT_EQ(filled_slots(t.ctx->table), c.expected) << "pieces of " << piece;
  }
}

const std::string kLongComment = "//" + std::string(300, 'x') + "41=tail\r\n";
const std::string kLongValue = std::string(60, 'v');
constexpr char kNulInValue[] = "41=A\0B\r\n42=C\r\n";

INSTANTIATE_TEST_SUITE_P(
    Loader, TableLoaderCases,
    testing::Values(
        LoaderCase{"Empty", "", {}}, LoaderCase{"OneEntry", "41=A\r\n", {{0x41, "A"}}},
        LoaderCase{"LastLineWithoutLineEnd", "41=A\r\n42=B", {{0x41, "A"}, {0x42, "B"}}},
        LoaderCase{"BareLineFeeds", "41=A\n42=B\n", {{0x41, "A"}, {0x42, "B"}}},
        LoaderCase{"ByteOrderMarkSkipped",
                   "\xEF\xBB\xBF"
                   "41=A\r\n",
                   {{0x41, "A"}}},
        LoaderCase{"PartialMarkIsText",
                   "\xEF\xBB"
                   "41=A\r\n42=B\r\n",
                   {{0x42, "B"}}},
        LoaderCase{"MarkOnlyAtTheStart",
                   "41=A\r\n\xEF\xBB\xBF"
                   "42=B\r\n",
                   {{0x41, "A"}}},
        LoaderCase{"LaterLineReplaces", "41=A\r\n41=B\r\n", {{0x41, "B"}}},
        LoaderCase{"EmptyValueClears", "41=A\r\n41=\r\n", {}},
        LoaderCase{"FourDigitKey", "0041=B\r\n", {{0x41, "B"}}},
        LoaderCase{"SixDigitKey", "000041=six\r\n", {{0x41, "six"}}},
        LoaderCase{"EightDigitKey", "0000FFFF=top\r\n", {{0xFFFF, "top"}}},
        LoaderCase{"PairKeyIndependentOfFirstByte",
                   "FA=[item]\r\nFA05=[name]\r\n",
                   {{0xFA, "[item]"}, {0xFA05, "[name]"}}},
        LoaderCase{"LowerCaseKey", "fa0b=x\r\nab=y\r\n", {{0xFA0B, "x"}, {0xAB, "y"}}},
        LoaderCase{"EqualsInsideValue", "41=A=B\r\n", {{0x41, "A=B"}}},
        LoaderCase{"SpacesKept", "41= A \r\n", {{0x41, " A "}}},
        LoaderCase{"BytesKeptAsTheyStand", "41=\xC3\xA9\t<$42>\r\n", {{0x41, "\xC3\xA9\t<$42>"}}},
        LoaderCase{"CommentsAndBlankLinesIgnored",
                   "// 41=A\r\n#42=B\r\n 43=C\r\n;44=D\r\n\r\n\r\n\xC3"
                   "45=E\r\n46=F\r\n",
                   {{0x46, "F"}}},
        LoaderCase{"LongLineTailIsNoEntry", kLongComment + "42=B\r\n", {{0x42, "B"}}},
        LoaderCase{"LongValueKeepsThirtyNine",
                   "41=" + kLongValue + "\r\n",
                   {{0x41, std::string(kSlotTextMax, 'v')}}},
        LoaderCase{"ValueEndsAtCarriageReturn", "41=A\rB\r\n", {{0x41, "A"}}},
        LoaderCase{"LoneCarriageReturnDoesNotStartAnEntry", "41=A\r42=B\r\n", {{0x41, "A"}}},
        LoaderCase{"PartialMarkBeforeAnEntryIsText",
                   "\xEF\xBB"
                   "A41=A\r\n43=C\r\n",
                   {{0x43, "C"}}},
        LoaderCase{"MarkWithAWrongThirdByteIsText",
                   "\xEF\xBB\xBE"
                   "41=A\r\n",
                   {}},
        LoaderCase{"EmptyValueAtLineFeedClears", "41=A\n41=\n42=B\n", {{0x42, "B"}}},
        LoaderCase{"EmptyValueAtTheEndOfTheTextClears", "41=A\r\n41=", {}},
        LoaderCase{"LongestValueBehindAnEightDigitKey",
                   "00000041=" + kLongValue + "\r\n",
                   {{0x41, std::string(kSlotTextMax, 'v')}}},
        LoaderCase{"LongestValueBehindMarkAndEightDigitKey",
                   "\xEF\xBB\xBF"
                   "0000FA05=" +
                       kLongValue + "\r\n",
                   {{0xFA05, std::string(kSlotTextMax, 'v')}}},
        LoaderCase{"ValueEndsAtNul",
                   std::string(kNulInValue, sizeof kNulInValue - 1),
                   {{0x41, "A"}, {0x42, "C"}}},
        LoaderCase{"EndOfTextMarkEndsTheTable",
                   "41=A\r\n42=B\x1A"
                   "C\r\n43=D\r\n",
                   {{0x41, "A"}, {0x42, "B"}}},
        LoaderCase{"EqualsAtNoKeyOffset", "4=A\r\nABC\r\n415=A\r\n4=AB=C\r\n", {}},
        LoaderCase{"KeyNotHexadecimal", "GZ=x\r\n4G=y\r\n00G1=z\r\n", {}},
        LoaderCase{"KeyAboveSixteenBits", "010000=x\r\nFFFFFFFF=y\r\n", {}},
        LoaderCase{"FirstOffsetHoldingEqualsDecides", "41==\r\n0041==B\r\n", {{0x41, "=B"}}}),
    [](const testing::TestParamInfo<LoaderCase>& info) { return std::string(info.param.name); });

TEST(TableLoader, LoadStartsFromAnEmptyTable) {
  TestContext t;
  t.set_table("41=A\r\nFA05=[x]\r\n");
  t.set_table("42=B\r\n");
  EXPECT_EQ(filled_slots(t.ctx->table), (Slots{{0x42, "B"}}));
}

TEST(TableLoader, EveryKeyOfAWholeTableIsFilled) {
  std::string text;
  for (uint32_t key = 0; key < kSlotCount; ++key) {
    char line[32];
    std::snprintf(line, sizeof line, "%04X=k%X\r\n", key, key);
    text += line;
  }
  TestContext t;
  t.set_table(text);
  const Slots slots = filled_slots(t.ctx->table);
  ASSERT_EQ(slots.size(), kSlotCount);
  for (const auto& [key, value] : slots) {
    char expected[16];
    std::snprintf(expected, sizeof expected, "k%X", key);
    ASSERT_EQ(value, expected);
  }
}

}  // namespace
}  // namespace quorin::test
