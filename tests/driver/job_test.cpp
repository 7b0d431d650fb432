#include "driver/job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/expected_headers.h"
#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

constexpr size_t kRomSize = 0x50000;

class JobTest : public testing::Test {
 protected:
  JobTest() { t.set_rom(std::vector<uint8_t>(kRomSize, 0x00)); }
  int run() { return run_dump_text(*t.ctx, workspace, errors); }
  TestContext t;
  MemoryWorkspace workspace;
  StringSink errors;
};

// Intro bytes are zero in these ROMs; the first intro line shows how byte 0x00 was rendered.
std::string first_intro_line(const std::string& script) {
  const std::string header =
      kExpectedIntroHeader + std::string("#JMP($10AF5)\r\n\r\n\r\n//[010AF5]\r\n\r\n");
  EXPECT_EQ(script.substr(0, header.size()), header);
  return script.substr(header.size(), script.find("\r\n", header.size()) - header.size());
}

TEST_F(JobTest, EachJobLoadsItsOwnTable) {
  workspace.tables[kDumpTablePath] = "00=d\r\n";
  workspace.tables[kIntroTablePath] = "00=i\r\n";
  EXPECT_EQ(run(), kExitSuccess);
  EXPECT_EQ(first_intro_line(workspace.scripts[kIntroScriptPath]), std::string(15, 'i'));
  EXPECT_EQ(t.console.bytes.find("Table file"), std::string::npos);
  EXPECT_EQ(errors.bytes, "");
}

TEST_F(JobTest, MissingIntroTableKeepsTheDumpTable) {
  workspace.tables[kDumpTablePath] = "00=d\r\n";
  EXPECT_EQ(run(), kExitSuccess);
  EXPECT_EQ(first_intro_line(workspace.scripts[kIntroScriptPath]), std::string(15, 'd'));
  EXPECT_EQ(t.console.bytes,
            "\r\n[FILE] 038000-038000\r\n[FILE] 03C000-03C000\r\n[FILE] 04C000-04C000"
            "\r\nTable file not found: table//table_intro.txt"
            "\r\n[FILE] 010AF5-010BE5\r\n[FILE] 010BE5-010CD5\r\n[FILE] 010CD5-010CD8"
            "\r\n[FILE] 010CD8-010CDF\r\n[FILE] 010CDF-010CE9");
}

TEST_F(JobTest, UnreadableTableCountsAsNotFoundAndKeepsThePreviousTable) {
  workspace.tables[kDumpTablePath] = "00=d\r\n";
  workspace.tables[kIntroTablePath] = "00=i\r\n";
  workspace.unreadable.push_back(kIntroTablePath);
  EXPECT_EQ(run(), kExitSuccess);
  EXPECT_EQ(first_intro_line(workspace.scripts[kIntroScriptPath]), std::string(15, 'd'));
  EXPECT_NE(t.console.bytes.find("\r\nTable file not found: table//table_intro.txt"),
            std::string::npos);
}

TEST_F(JobTest, IntroTableReplacesTheDumpTableCompletely) {
  workspace.tables[kDumpTablePath] = "00=d\r\n";
  workspace.tables[kIntroTablePath] = "// nothing for byte 00\r\n";
  EXPECT_EQ(run(), kExitSuccess);
  std::string tokens;
  for (int i = 0; i < 15; ++i)
    tokens += "<$00>";
  EXPECT_EQ(first_intro_line(workspace.scripts[kIntroScriptPath]), tokens);
}

TEST_F(JobTest, MainScriptThatCannotBeCreatedStopsAfterItsTableLoad) {
  workspace.uncreatable.push_back(kMainScriptPath);
  EXPECT_EQ(run(), kExitFailure);
  EXPECT_EQ(t.console.bytes, "\r\nTable file not found: table//table_dump.txt");
  EXPECT_EQ(errors.bytes, "ERROR - no TEXT dir\r\n");
  EXPECT_TRUE(workspace.scripts.empty());
}

TEST_F(JobTest, ScriptThatCannotBeWrittenIsFatalAndNoFurtherJobRuns) {
  workspace.script_fail_after = 100;
  EXPECT_EQ(run(), kExitFailure);
  EXPECT_EQ(errors.bytes, "ERROR - TEXT write failed\r\n");
  EXPECT_EQ(workspace.scripts.count(kIntroScriptPath), 0u);
}

TEST_F(JobTest, DumpFaultsEverywhereStillEndWithSuccess) {
  std::vector<uint8_t> rom(kRomSize, 0xC3);
  for (uint32_t bank : {0x38000u, 0x3C000u, 0x4C000u})
    put_bytes(rom, bank, {0x02, 0x40});
  t.set_rom(rom);
  EXPECT_EQ(run(), kExitSuccess);
  EXPECT_EQ(errors.bytes, "");
  EXPECT_EQ(workspace.scripts[kMainScriptPath].substr(0, sizeof kExpectedMainHeader - 1),
            kExpectedMainHeader);
  EXPECT_EQ(workspace.scripts[kIntroScriptPath],
            kExpectedIntroHeader + std::string("#JMP($10AF5)\r\n\r\n\r\n//[010AF5]\r\n\r\n"
                                               "#JMP($10BE5)\r\n\r\n\r\n//[010BE5]\r\n\r\n"
                                               "#JMP($10CD5)\r\n\r\n\r\n//[010CD5]\r\n\r\n"
                                               "#JMP($10CD8)\r\n\r\n\r\n//[010CD8]\r\n\r\n"
                                               "#JMP($10CDF)\r\n\r\n\r\n//[010CDF]\r\n\r\n"));
}

}  // namespace
}  // namespace quorin::test
