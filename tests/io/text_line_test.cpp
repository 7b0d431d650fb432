#include "io/text_line.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "io/hex.h"
#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

std::string text_of(const TextLine& line) {
  return std::string(line.bytes, line.length);
}

TEST(TextLine, HexPadsToTheMinimumAndGrowsPastIt) {
  struct Case {
    uint32_t value;
    int digits;
    const char* expected;
  };
  for (const Case& c :
       {Case{0, 0, "0"}, Case{0, 4, "0000"}, Case{0xAB, 2, "AB"}, Case{0x38005, 0, "38005"},
        Case{0x1234, 6, "001234"}, Case{0x10000, 4, "10000"}, Case{0xFFFFFFFF, 4, "FFFFFFFF"}}) {
    TextLine line{};
    line_hex(line, c.value, c.digits);
    EXPECT_EQ(text_of(line), c.expected) << c.value;
  }
}

TEST(TextLine, DecimalIsSigned) {
  for (const auto& [value, expected] : {std::pair<int32_t, const char*>{0, "0"},
                                        {-1, "-1"},
                                        {24576, "24576"},
                                        {INT32_MIN, "-2147483648"},
                                        {INT32_MAX, "2147483647"}}) {
    TextLine line{};
    line_decimal(line, value);
    EXPECT_EQ(text_of(line), expected);
  }
}

TEST(TextLine, LineBreaksBecomeCrLfAndOverflowIsDropped) {
  TextLine line{};
  line_text(line, "\na\n");
  EXPECT_EQ(text_of(line), "\r\na\r\n");
  line_text(line, std::string(2 * kTextLineSize, 'x').c_str());
  EXPECT_EQ(line.length, kTextLineSize);
}

TEST(TextLine, RangeGivesTwoOffsetsOfAtLeastSixDigits) {
  TextLine line{};
  line_range(line, 0x38000, 0x1234567);
  EXPECT_EQ(text_of(line), "038000-1234567");
}

TEST(TextLine, SendLineHandsTheWholeLineToTheSink) {
  TextLine line{};
  line_text(line, "\n[FILE] ");
  StringSink sink;
  EXPECT_TRUE(send_line(sink, line));
  EXPECT_EQ(sink.bytes, "\r\n[FILE] ");
  sink.fail_after = 0;
  EXPECT_FALSE(send_line(sink, line));
}

TEST(Hex, PutHexPadsGrowsAndReturnsTheEnd) {
  struct Case {
    uint32_t value;
    int digits;
    const char* expected;
  };
  for (const Case& c : {Case{0, 1, "0"}, Case{0x38008, 6, "038008"}, Case{0xABCDEF, 4, "ABCDEF"},
                        Case{0x10000, 4, "10000"}, Case{0xFFFFFFFF, 0, "FFFFFFFF"}}) {
    uint8_t out[16] = {};
    const uint8_t* end = put_hex(out, c.value, c.digits);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), static_cast<size_t>(end - out)), c.expected)
        << c.value;
  }
}

}  // namespace
}  // namespace quorin::test
