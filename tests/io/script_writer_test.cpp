#include "io/script_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

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
