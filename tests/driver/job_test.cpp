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

// Which table renders the intro: each job loads its own, and a table that cannot be read leaves
// the one before it in force.
struct TableCase {
  const char* name;
  const char* dump_table;   // nullptr: no such file
  const char* intro_table;  // nullptr: no such file
  bool intro_unreadable;    // the intro table opens but its first read fails
  std::string first_intro_line;
  bool intro_reported;  // "Table file not found: table//table_intro.txt" on the console
};

void PrintTo(const TableCase& c, std::ostream* os) {
  *os << c.name;
}

class JobTables : public JobTest, public testing::WithParamInterface<TableCase> {};

TEST_P(JobTables, FirstIntroLineShowsTheTableInForce) {
  const TableCase& c = GetParam();
  if (c.dump_table != nullptr) workspace.tables[kDumpTablePath] = c.dump_table;
  if (c.intro_table != nullptr) workspace.tables[kIntroTablePath] = c.intro_table;
  if (c.intro_unreadable) workspace.unreadable.push_back(kIntroTablePath);
  EXPECT_EQ(run(), kExitSuccess);
  EXPECT_EQ(first_intro_line(workspace.scripts[kIntroScriptPath]), c.first_intro_line);
  const std::string report = "\r\nTable file not found: table//table_intro.txt";
  EXPECT_EQ(t.console.bytes.find(report) != std::string::npos, c.intro_reported);
  EXPECT_EQ(t.console.bytes.find("table_dump.txt") != std::string::npos, c.dump_table == nullptr);
  EXPECT_EQ(errors.bytes, "");
}

std::string zero_tokens(int count) {
  std::string tokens;
  for (int i = 0; i < count; ++i)
    tokens += "<$00>";
  return tokens;
}

INSTANTIATE_TEST_SUITE_P(
    Job, JobTables,
    testing::Values(TableCase{"EachJobLoadsItsOwnTable", "00=d\r\n", "00=i\r\n", false,
                              std::string(15, 'i'), false},
                    TableCase{"MissingIntroTableKeepsTheDumpTable", "00=d\r\n", nullptr, false,
                              std::string(15, 'd'), true},
                    TableCase{"UnreadableIntroTableKeepsTheDumpTable", "00=d\r\n", "00=i\r\n", true,
                              std::string(15, 'd'), true},
                    TableCase{"IntroTableReplacesTheDumpTableCompletely", "00=d\r\n",
                              "// nothing for byte 00\r\n", false, zero_tokens(15), false},
                    TableCase{"NoTableAtAllGivesTokens", nullptr, nullptr, false, zero_tokens(15),
                              true}),
    [](const testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

TEST_F(JobTest, MissingIntroTableIsReportedBetweenTheTwoDumps) {
  workspace.tables[kDumpTablePath] = "00=d\r\n";
  EXPECT_EQ(run(), kExitSuccess);
  EXPECT_EQ(t.console.bytes,
            "\r\n[FILE] 038000-038000\r\n[FILE] 03C000-03C000\r\n[FILE] 04C000-04C000"
            "\r\nTable file not found: table//table_intro.txt"
            "\r\n[FILE] 010AF5-010BE5\r\n[FILE] 010BE5-010CD5\r\n[FILE] 010CD5-010CD8"
            "\r\n[FILE] 010CD8-010CDF\r\n[FILE] 010CDF-010CE9");
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

// Bank 0x38000 gives more than one script buffer (4096 copies of a 1 KiB string), so its bytes
// reach the sink while the bank is still being dumped. A write that fails there stops the bank
// and the banks after it: no "[FILE]" line, no intro.
TEST_F(JobTest, WriteThatFailsInsideABankStopsTheDumpThere) {
  constexpr uint32_t kBank = 0x38000;
  constexpr uint32_t kPointers = 4096;
  std::vector<uint8_t> rom(kRomSize, 0x00);
  for (uint32_t i = 0; i < kPointers; ++i) {
    // Pointers that alternate between two strings, so that each one is a group of its own.
    const uint32_t target = 0x4000 + 2 * kPointers + (i % 2) * 0x400;
    put_bytes(rom, kBank + 2 * i,
              {static_cast<uint8_t>(target), static_cast<uint8_t>(target >> 8)});
  }
  put_bytes(rom, kBank + 2 * kPointers + 0x3FF, {0xFF});
  put_bytes(rom, kBank + 2 * kPointers + 0x7FF, {0xFF});
  t.set_rom(rom);
  workspace.script_fail_after = 1000;
  EXPECT_EQ(run(), kExitFailure);
  EXPECT_EQ(t.console.bytes, "\r\nTable file not found: table//table_dump.txt");
  EXPECT_EQ(errors.bytes, "ERROR - TEXT write failed\r\n");
  EXPECT_EQ(workspace.scripts.count(kIntroScriptPath), 0u);
}

TEST_F(JobTest, ScriptWhoseCloseFailsIsFatalAndNoFurtherJobRuns) {
  workspace.close_fails = true;
  EXPECT_EQ(run(), kExitFailure);
  EXPECT_EQ(errors.bytes, "ERROR - TEXT write failed\r\n");
  EXPECT_EQ(workspace.scripts.count(kIntroScriptPath), 0u);
  EXPECT_EQ(t.console.bytes.find("010AF5"), std::string::npos);
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
