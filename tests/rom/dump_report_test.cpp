#include "rom/dump_report.h"

#include <gtest/gtest.h>

#include <string>

#include "support/expected_headers.h"
#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

TEST(DumpReport, SlashLineIsALineBreakAnd58Slashes) {
  EXPECT_EQ(std::string(kSlashLine), "\n" + std::string(58, '/'));
}

TEST(DumpReport, FileTrailerPadsOffsetsToSixDigits) {
  TestContext t;
  write_file_trailer(t.ctx->script, 0x38000, 0x1234);
  EXPECT_EQ(t.script_bytes(),
            std::string("\r\n//[FILE] 038000-001234") + kExpectedSlashLine + "\r\n\r\n\r\n");
}

TEST(DumpReport, CrashNamesTheOffsetOneBeforeTheByte) {
  TestContext t;
  t.set_rom(std::vector<uint8_t>(0x40000, 0x00));
  load_bank_window(t.ctx->window, *t.ctx->rom, 0x38000);
  t.ctx->window.cursor = 0x4007;  // just past the byte at ROM offset 0x38006
  report_crash(*t.ctx, 0xC5, 0x38000 - 0x4000);
  EXPECT_EQ(t.console.bytes, "\r\n[LAYER2] CRASH 00C5 @ 38005");
}

}  // namespace
}  // namespace quorin::test
