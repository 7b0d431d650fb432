#include "driver/output.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

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

TEST(ScriptWriter, TextAndBytesArriveInOrderAcrossFlushes) {
  TestContext t;
  ScriptWriter& w = t.ctx->script;
  write_text(w, "a\nb\n\n");
  const std::string big(kScriptBufferSize + 12345, 'q');
  write_bytes(w, big.data(), big.size());
  write_line_break(w);
  EXPECT_EQ(t.script_bytes(), "a\r\nb\r\n\r\n" + big + "\r\n");
}

TEST(ScriptWriter, AFailedWriteStaysFailedAndLaterBytesAreDropped) {
  TestContext t;
  t.script.fail_after = 10;
  ScriptWriter& w = t.ctx->script;
  write_text(w, "0123456789abc");
  EXPECT_FALSE(script_flush(w));
  EXPECT_TRUE(w.failed);
  t.script.fail_after = SIZE_MAX;
  write_text(w, "more");
  EXPECT_FALSE(script_flush(w));
  EXPECT_EQ(t.script.bytes, "");
}

}  // namespace
}  // namespace quorin::test
