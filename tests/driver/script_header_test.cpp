#include "driver/script_header.h"

#include <gtest/gtest.h>

#include <string>

#include "support/expected_headers.h"
#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

TEST(ScriptHeader, MainHeaderIsExactBytes) {
  TestContext t;
  write_main_header(t.ctx->script);
  EXPECT_EQ(t.script_bytes(), kExpectedMainHeader);
}

TEST(ScriptHeader, IntroHeaderIsExactBytes) {
  TestContext t;
  write_intro_header(t.ctx->script);
  EXPECT_EQ(t.script_bytes(), kExpectedIntroHeader);
}

TEST(ScriptHeader, RuleAndSlashLinesHaveTheirCounts) {
  EXPECT_EQ(std::string(kRuleLine), "//" + std::string(57, '-'));
  EXPECT_EQ(std::string(kExpectedSlashLine), "\r\n" + std::string(58, '/'));
}

TEST(ScriptHeader, FileTrailerPadsOffsetsToSixDigits) {
  TestContext t;
  write_file_trailer(t.ctx->script, 0x38000, 0x1234);
  EXPECT_EQ(t.script_bytes(),
            std::string("\r\n//[FILE] 038000-001234") + kExpectedSlashLine + "\r\n\r\n\r\n");
}

}  // namespace
}  // namespace quorin::test
