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

TEST(ScriptHeader, RuleLineHasItsHyphens) {
  EXPECT_EQ(std::string(kRuleLine), "//" + std::string(57, '-'));
}

}  // namespace
}  // namespace quorin::test
