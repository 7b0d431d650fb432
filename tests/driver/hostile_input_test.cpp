// Hostile inputs to the whole job: ROM images that are empty, truncated, filled with one value or
// random; table files that are huge, unterminated, only a byte-order mark or binary garbage; and
// working directories with a file where a directory belongs, or the other way round.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "driver/job.h"
#include "support/expected_headers.h"
#include "support/memory_workspace.h"
#include "support/tool_runner.h"

namespace quorin::test {
namespace {

namespace fs = std::filesystem;

constexpr size_t kFullRomSize = size_t{512} << 10;
constexpr int kFailureStatus = 255;  // exit status -1 as the shell sees it

// What the in-memory job produced.
struct JobResult {
  int status;
  std::string console;
  std::string errors;
  std::string main;
  std::string intro;
};

// Runs DUMP_TEXT over rom from the start-up state, with the same table text in both table files.
JobResult run_job(const std::vector<uint8_t>& rom, const std::string& table) {
  TestContext t;
  t.set_rom(rom);
  MemoryWorkspace workspace;
  workspace.tables[kDumpTablePath] = table;
  workspace.tables[kIntroTablePath] = table;
  StringSink errors;
  JobResult result{};
  result.status = run_dump_text(*t.ctx, workspace, errors);
  result.console = t.console.bytes;
  result.errors = errors.bytes;
  result.main = workspace.scripts[kMainScriptPath];
  result.intro = workspace.scripts[kIntroScriptPath];
  return result;
}

std::string repeat(const std::string& text, size_t count) {
  std::string out;
  out.reserve(text.size() * count);
  for (size_t i = 0; i < count; ++i)
    out += text;
  return out;
}

std::string hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

std::string range(uint32_t start, uint32_t end) {
  return hex(start, 6) + "-" + hex(end, 6);
}

std::string trailer(uint32_t start, uint32_t end) {
  return "\r\n//[FILE] " + range(start, end) + kExpectedSlashLine + "\r\n\r\n\r\n";
}

// One entry group: its head, `writes` #WRITE lines and the string body.
std::string group(uint32_t string_offset, uint32_t entry_index, size_t writes,
                  const std::string& body) {
  return "\r\n//[" + hex(string_offset, 6) + " = " + hex(entry_index, 4) + "]" +
         repeat("\r\n#WRITE(PtrTable)", writes) + "\r\n\r\n" + body + "\r\n\r\n";
}

// The three text banks, each with an empty pointer table (first pointer 0x4000 or below).
std::string empty_banks() {
  return trailer(0x38000, 0x38000) + trailer(0x3C000, 0x3C000) + trailer(0x4C000, 0x4C000);
}

std::string empty_banks_console() {
  return "\r\n[FILE] 038000-038000\r\n[FILE] 03C000-03C000\r\n[FILE] 04C000-04C000";
}

struct IntroBlock {
  uint32_t address;
  int characters;
  int lines;
  uint32_t end;
};

constexpr IntroBlock kBlocks[] = {
    {0x10AF5, 15, 16, 0x10BE5}, {0x10BE5, 15, 16, 0x10CD5}, {0x10CD5, 3, 1, 0x10CD8},
    {0x10CD8, 7, 1, 0x10CDF},   {0x10CDF, 10, 1, 0x10CE9},
};

// The whole intro script when no block faults; token(offset) renders the ROM byte at offset.
std::string intro_script(const std::function<std::string(uint32_t)>& token) {
  std::string out = kExpectedIntroHeader;
  for (const IntroBlock& b : kBlocks) {
    out += "#JMP($" + hex(b.address, 0) + ")\r\n\r\n\r\n//[" + hex(b.address, 6) + "]\r\n\r\n";
    uint32_t offset = b.address;
    for (int line = 0; line < b.lines; ++line) {
      for (int i = 0; i < b.characters; ++i)
        out += token(offset++);
      out += "\r\n";
    }
    out += "\r\n#WARN($" + hex(b.end, 0) + ", \"Intro $" + hex(b.end, 0) + "\")\r\n\r\n";
    out += trailer(b.address, b.end);
  }
  return out;
}

std::string intro_of(const std::string& token) {
  return intro_script([&](uint32_t) { return token; });
}

std::string intro_console() {
  std::string out;
  for (const IntroBlock& b : kBlocks)
    out += "\r\n[FILE] " + range(b.address, b.end);
  return out;
}

// ---------------------------------------------------------------------------------------------
// ROM images, with empty tables: every byte renders as its token.

struct RomCase {
  const char* name;
  std::function<std::vector<uint8_t>()> rom;
  std::string console;
  std::string main;  // after the header
  std::string intro;
};

void PrintTo(const RomCase& c, std::ostream* os) {
  *os << c.name;
}

// Where two long texts first differ (their common length when one is a prefix of the other).
size_t first_difference(const std::string& a, const std::string& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i])
    ++i;
  return i;
}

class HostileRom : public testing::TestWithParam<RomCase> {};

TEST_P(HostileRom, BothScriptsAndTheConsoleByteForByte) {
  const RomCase& c = GetParam();
  const JobResult r = run_job(c.rom(), "");
  EXPECT_EQ(r.status, kExitSuccess);
  EXPECT_EQ(r.errors, "");
  EXPECT_EQ(r.console, c.console);
  const std::string expected = kExpectedMainHeader + c.main;
  EXPECT_TRUE(r.main == expected) << "main script of " << r.main.size() << " bytes, expected "
                                  << expected.size() << "; first difference at "
                                  << first_difference(r.main, expected);
  EXPECT_EQ(r.intro, c.intro);
}

// A bank of 0xFF bytes: its first pointer 0xFFFF makes the table run to the window's end, one
// group of 24576 equal pointers to the last byte, 0xFF, which is an end code.
std::string all_ff_bank(uint32_t address, uint32_t entry_index) {
  const uint32_t base = address - 0x4000;
  return group(0xFFFF + base, entry_index, 24576, "<CODE FF>") + trailer(address, address + 0xC000);
}

// 0x01 everywhere but a first pointer 0x4002 in bank 0x38000 and an empty table in bank 0x3C000,
// cut off just after that table: bank 0x38000's string runs through the 0x01 bytes, the table of
// bank 0x3C000 and the missing rest of the window, which reads as zero, up to the window's end.
std::vector<uint8_t> ends_inside_first_bank() {
  std::vector<uint8_t> rom(0x3C002, 0x01);
  put_bytes(rom, 0x38000, {0x02, 0x40});
  put_bytes(rom, 0x3C000, {0x00, 0x00});
  return rom;
}

// Zero but for three banks of one string each, cut off inside the last bank's string.
std::vector<uint8_t> ends_inside_last_bank() {
  std::vector<uint8_t> rom(0x4C010, 0x00);
  put_bytes(rom, 0x38000, {0x02, 0x40, 0x01, 0xFF});
  put_bytes(rom, 0x3C000, {0x02, 0x40, 0x02, 0xFF});
  put_bytes(rom, 0x4C000, {0x02, 0x40});
  for (uint32_t at = 0x4C002; at < 0x4C010; ++at)
    rom[at] = 0x03;
  return rom;
}

// Zero but for its last two bytes, in the middle of the last intro block.
std::vector<uint8_t> ends_inside_last_intro_block() {
  std::vector<uint8_t> rom(0x10CE4, 0x00);
  put_bytes(rom, 0x10CE2, {0x01, 0x02});
  return rom;
}

INSTANTIATE_TEST_SUITE_P(
    Rom, HostileRom,
    testing::Values(
        RomCase{"ZeroBytes", [] { return std::vector<uint8_t>{}; },
                empty_banks_console() + intro_console(), empty_banks(), intro_of("<$00>")},
        RomCase{"OneByte", [] { return std::vector<uint8_t>{0xC5}; },
                empty_banks_console() + intro_console(), empty_banks(), intro_of("<$00>")},
        RomCase{"AllZero", [] { return std::vector<uint8_t>(kFullRomSize, 0x00); },
                empty_banks_console() + intro_console(), empty_banks(), intro_of("<$00>")},
        RomCase{"AllFF", [] { return std::vector<uint8_t>(kFullRomSize, 0xFF); },
                "\r\n[FILE] 038000-044000\r\n[FILE] 03C000-048000\r\n[FILE] 04C000-058000" +
                    intro_console(),
                all_ff_bank(0x38000, 0x0000) + all_ff_bank(0x3C000, 0x6000) +
                    all_ff_bank(0x4C000, 0xC000),
                intro_of("<$FF>")},
        RomCase{"EndsBeforeTheBanks", [] { return std::vector<uint8_t>(0x20000, 0x01); },
                empty_banks_console() + intro_console(), empty_banks(), intro_of("<$01>")},
        RomCase{
            "EndsInsideFirstBank", ends_inside_first_bank,
            "\r\n[FILE] 038000-044000\r\n[FILE] 03C000-03C000\r\n[FILE] 04C000-04C000" +
                intro_console(),
            group(0x38002, 0, 1, repeat("<$01>", 0x3FFE) + repeat("<$00>", 0x8000) + "<CODE FF>") +
                trailer(0x38000, 0x44000) + trailer(0x3C000, 0x3C000) + trailer(0x4C000, 0x4C000),
            intro_of("<$01>")},
        RomCase{
            "EndsInsideLastBank", ends_inside_last_bank,
            "\r\n[FILE] 038000-038004\r\n[FILE] 03C000-03C004\r\n[FILE] 04C000-058000" +
                intro_console(),
            group(0x38002, 0, 1, "<$01><CODE FF>") + trailer(0x38000, 0x38004) +
                group(0x3C002, 1, 1, "<$02><CODE FF>") + trailer(0x3C000, 0x3C004) +
                group(0x4C002, 2, 1, repeat("<$03>", 14) + repeat("<$00>", 0xBFF0) + "<CODE FF>") +
                trailer(0x4C000, 0x58000),
            intro_of("<$00>")},
        RomCase{"EndsInsideLastIntroBlock", ends_inside_last_intro_block,
                empty_banks_console() + intro_console(), empty_banks(),
                intro_script([](uint32_t offset) {
                  if (offset == 0x10CE2) return std::string("<$01>");
                  if (offset == 0x10CE3) return std::string("<$02>");
                  return std::string("<$00>");
                })}),
    [](const testing::TestParamInfo<RomCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Table files, over a ROM whose first bank holds the string 41 42 FF and whose intro is zero.

struct TableCase {
  const char* name;
  std::function<std::string()> table;
  std::string string_body;  // the rendering of 41 42 FF
  std::string zero_token;   // the rendering of 0x00 in the intro
};

void PrintTo(const TableCase& c, std::ostream* os) {
  *os << c.name;
}

class HostileTable : public testing::TestWithParam<TableCase> {};

TEST_P(HostileTable, RendersWhatItsLinesDefine) {
  const TableCase& c = GetParam();
  std::vector<uint8_t> rom(kFullRomSize, 0x00);
  put_bytes(rom, 0x38000, {0x02, 0x40, 0x41, 0x42, 0xFF});
  const JobResult r = run_job(rom, c.table());
  EXPECT_EQ(r.status, kExitSuccess);
  EXPECT_EQ(r.errors, "");
  EXPECT_EQ(r.console, "\r\n[FILE] 038000-038005\r\n[FILE] 03C000-03C000\r\n[FILE] 04C000-04C000" +
                           intro_console());
  EXPECT_EQ(r.main, kExpectedMainHeader + group(0x38002, 0, 1, c.string_body) +
                        trailer(0x38000, 0x38005) + trailer(0x3C000, 0x3C000) +
                        trailer(0x4C000, 0x4C000));
  EXPECT_EQ(r.intro, intro_of(c.zero_token));
}

constexpr size_t kMebibyte = size_t{1} << 20;

// A string literal with every byte it holds, zero bytes included.
template <size_t N>
std::string literal_bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostileTable,
    testing::Values(TableCase{"OneMebibyteEntryLine",
                              [] {
                                return "41=" + std::string(kMebibyte, 'x') + "\r\n42=B\r\n00=.\r\n";
                              },
                              std::string(39, 'x') + "B<CODE FF>", "."},
                    TableCase{"OneMebibyteCommentLineThatLooksLikeEntries",
                              [] { return "//" + repeat("42=Z", kMebibyte / 4) + "\r\n41=A\r\n"; },
                              "A<$42><CODE FF>", "<$00>"},
                    TableCase{"OneMebibyteLineWithoutLineEnd",
                              [] { return "00=.\r\n41=" + std::string(kMebibyte, 'y'); },
                              std::string(39, 'y') + "<$42><CODE FF>", "."},
                    TableCase{"LastEntryWithoutLineEnd", [] { return std::string("00=.\r\n41=A"); },
                              "A<$42><CODE FF>", "."},
                    TableCase{"OnlyAByteOrderMark", [] { return std::string("\xEF\xBB\xBF"); },
                              "<$41><$42><CODE FF>", "<$00>"},
                    TableCase{"ByteOrderMarkThenOnlyLineEnds",
                              [] { return std::string("\xEF\xBB\xBF\r\n\r\n\n\r\n"); },
                              "<$41><$42><CODE FF>", "<$00>"},
                    TableCase{"BinaryGarbageAroundOneEntry",
                              [] {
                                return literal_bytes(
                                    "\x80\x00\xC3\xFF=41=\r\r\n"
                                    "\xFE\xFF\x00\x01\n"
                                    "\x00\x00"
                                    "41=Z\r\n"
                                    "\t42=no\r\n"
                                    "\xEF\xBB\xBF"
                                    "42=no\r\n"
                                    "41=A\r\n");
                              },
                              "A<$42><CODE FF>", "<$00>"},
                    TableCase{"ValuesHoldingLineEndBytesAlone",
                              [] { return std::string("41=\rA\r\n42=B\rC\r\n00=\n"); },
                              "<$41>B<CODE FF>", "<$00>"}),
    [](const testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// A table file whose reading fails part-way, as on a failing disk.

// Hands out `good` in one block, then fails every further read.
class FailingTableSource final : public ByteSource {
 public:
  explicit FailingTableSource(std::string good) : good_(std::move(good)) {}
  long read(uint8_t* dst, size_t n) override {
    if (done_) return -1;
    done_ = true;
    const size_t part = std::min(n, good_.size());
    std::memcpy(dst, good_.data(), part);
    return static_cast<long>(part);
  }

 private:
  std::string good_;
  bool done_ = false;
};

// The main table fails after `good`; every other file is in `files`.
class FailingTableWorkspace final : public Workspace {
 public:
  explicit FailingTableWorkspace(std::string good) : failing_(std::move(good)) {}
  ByteSource* open_table(const char* path) override {
    failing_open_ = std::string(path) == kDumpTablePath;
    return failing_open_ ? &failing_ : files.open_table(path);
  }
  void close_table() override {
    if (!failing_open_) files.close_table();
    failing_open_ = false;
  }
  ByteSink* create_script(const char* path) override { return files.create_script(path); }
  bool close_script() override { return files.close_script(); }

  MemoryWorkspace files;

 private:
  FailingTableSource failing_;
  bool failing_open_ = false;
};

TEST(HostileTableRead, AnErrorPartWayIsReportedAndTheLineItCutIsDropped) {
  TestContext t;
  std::vector<uint8_t> rom(kFullRomSize, 0x00);
  put_bytes(rom, 0x38000, {0x02, 0x40, 0x41, 0x42, 0xFF});
  t.set_rom(rom);
  // The file holds "41=A\r\n42=BC\r\n"; the read fails after "42=B".
  FailingTableWorkspace workspace("41=A\r\n42=B");
  workspace.files.tables[kIntroTablePath] = "00=-\r\n";
  StringSink errors;
  EXPECT_EQ(run_dump_text(*t.ctx, workspace, errors), kExitSuccess);
  EXPECT_EQ(errors.bytes, "");
  EXPECT_EQ(t.console.bytes,
            "\r\nTable file not found: table//table_dump.txt"
            "\r\n[FILE] 038000-038005\r\n[FILE] 03C000-03C000\r\n[FILE] 04C000-04C000" +
                intro_console());
  EXPECT_EQ(workspace.files.scripts[kMainScriptPath],
            kExpectedMainHeader + group(0x38002, 0, 1, "A<$42><CODE FF>") +
                trailer(0x38000, 0x38005) + trailer(0x3C000, 0x3C000) + trailer(0x4C000, 0x4C000));
  EXPECT_EQ(workspace.files.scripts[kIntroScriptPath], intro_of("-"));
}

// ---------------------------------------------------------------------------------------------
// Random ROM images and tables (fixed seeds): the bytes are not known, the shape of the result is.

// Splits the console into its messages, each of which starts with CR LF.
std::vector<std::string> console_lines(const std::string& console) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < console.size()) {
    EXPECT_EQ(console.compare(at, 2, "\r\n"), 0) << "message at " << at;
    size_t next = console.find("\r\n", at + 2);
    if (next == std::string::npos) next = console.size();
    lines.push_back(console.substr(at + 2, next - at - 2));
    at = next;
  }
  return lines;
}

bool reports_a_section(const std::string& line) {
  return line.rfind("[FILE] ", 0) == 0 || line.rfind("[LAYER2] CRASH ", 0) == 0 ||
         line.rfind("[LAYER2] BAD DUMP COUNT = -", 0) == 0;
}

std::vector<uint8_t> random_bytes(std::mt19937& rng, size_t n, bool valid_in_strings) {
  std::uniform_int_distribution<int> any(0x00, 0xFF);
  std::vector<uint8_t> bytes(n);
  for (uint8_t& b : bytes) {
    int value = any(rng);
    // Bytes 0xC3-0xEF end a bank at once; without them strings and banks run long.
    while (valid_in_strings && value >= 0xC3 && value <= 0xEF)
      value = any(rng);
    b = static_cast<uint8_t>(value);
  }
  return bytes;
}

TEST(HostileRandom, EveryBankAndBlockIsReportedOnceAndBothScriptsAreWhole) {
  constexpr unsigned kSeeds = 4;
  for (unsigned seed = 1; seed <= kSeeds; ++seed) {
    for (bool valid_in_strings : {false, true}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + (valid_in_strings ? ", no invalid bytes" : ""));
      std::mt19937 rng(seed);
      const std::vector<uint8_t> rom = random_bytes(rng, kFullRomSize, valid_in_strings);
      const std::vector<uint8_t> table = random_bytes(rng, 4096, false);
      const JobResult r = run_job(rom, std::string(table.begin(), table.end()));
      EXPECT_EQ(r.status, kExitSuccess);
      EXPECT_EQ(r.errors, "");
      EXPECT_EQ(r.main.compare(0, std::string(kExpectedMainHeader).size(), kExpectedMainHeader), 0);
      EXPECT_EQ(r.intro.compare(0, std::string(kExpectedIntroHeader).size(), kExpectedIntroHeader),
                0);
      const std::vector<std::string> lines = console_lines(r.console);
      ASSERT_EQ(lines.size(), 8u);
      for (const std::string& line : lines)
        EXPECT_TRUE(reports_a_section(line)) << line;
      if (valid_in_strings) {
        // No intro byte can fault, so every block ends at its own end.
        std::string intro_lines;
        for (size_t i = 3; i < lines.size(); ++i)
          intro_lines += "\r\n" + lines[i];
        EXPECT_EQ(intro_lines, intro_console());
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The working directory itself, end to end.

const std::string kNoDumpTable = "\r\nTable file not found: table//table_dump.txt";
const std::string kNoIntroTable = "\r\nTable file not found: table//table_intro.txt";

struct DirectoryCase {
  const char* name;
  std::function<void(const ToolDirectory&)> prepare;
  int status;
  std::string out;
  std::string err;
  std::string main;   // the whole main script, or "" when it must not exist
  std::string intro;  // likewise
  std::vector<std::pair<std::string, std::string>> kept;  // files that must keep their bytes
};

void PrintTo(const DirectoryCase& c, std::ostream* os) {
  *os << c.name;
}

class HostileDirectory : public testing::TestWithParam<DirectoryCase> {};

TEST_P(HostileDirectory, ConsoleStatusAndScripts) {
  const DirectoryCase& c = GetParam();
  ToolDirectory dir;
  dir.write_file("game.gb", std::vector<uint8_t>{});
  c.prepare(dir);
  const ToolRun run = dir.run({"DUMP_TEXT", "game.gb"});
  EXPECT_EQ(run.status, c.status);
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(run.err, c.err);
  EXPECT_EQ(run.console, c.out + c.err);
  if (c.main.empty()) {
    EXPECT_FALSE(dir.exists("text/script.txt"));
  } else {
    EXPECT_EQ(dir.read_file("text/script.txt"), c.main);
  }
  if (c.intro.empty()) {
    EXPECT_FALSE(dir.exists("text/script_intro.txt"));
  } else {
    EXPECT_EQ(dir.read_file("text/script_intro.txt"), c.intro);
  }
  for (const auto& [path, bytes] : c.kept)
    EXPECT_EQ(dir.read_file(path), bytes) << path;
}

void tables(const ToolDirectory& dir) {
  dir.write_file("table/table_dump.txt", std::string("00=d\r\n"));
  dir.write_file("table/table_intro.txt", std::string("00=i\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Directory, HostileDirectory,
    testing::Values(DirectoryCase{"TextIsAFile",
                                  [](const ToolDirectory& dir) {
                                    tables(dir);
                                    dir.write_file("text", std::string("not a directory\r\n"));
                                  },
                                  kFailureStatus,
                                  "",
                                  "ERROR - no TEXT dir\r\n",
                                  "",
                                  "",
                                  {{"text", "not a directory\r\n"}}},
                    DirectoryCase{
                        "TableIsAFile",
                        [](const ToolDirectory& dir) {
                          dir.write_file("table", std::string("00=x\r\n"));
                          fs::create_directory(dir.path() / "text");
                        },
                        0,
                        kNoDumpTable + empty_banks_console() + kNoIntroTable + intro_console(),
                        "",
                        kExpectedMainHeader + empty_banks(),
                        intro_of("<$00>"),
                        {{"table", "00=x\r\n"}}},
                    DirectoryCase{"DumpTablePathIsADirectory",
                                  [](const ToolDirectory& dir) {
                                    tables(dir);
                                    fs::remove(dir.path() / "table" / "table_dump.txt");
                                    fs::create_directory(dir.path() / "table" / "table_dump.txt");
                                    fs::create_directory(dir.path() / "text");
                                  },
                                  0,
                                  kNoDumpTable + empty_banks_console() + intro_console(),
                                  "",
                                  kExpectedMainHeader + empty_banks(),
                                  intro_of("i"),
                                  {}}),
    [](const testing::TestParamInfo<DirectoryCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorin::test
