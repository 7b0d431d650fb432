// End to end: the built tool in a temporary working directory.
#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/expected_headers.h"
#include "support/memory_workspace.h"
#include "support/tool_runner.h"

namespace quorin::test {
namespace {

namespace fs = std::filesystem;

constexpr int kFailureStatus = 255;  // exit status -1 as the shell sees it
constexpr size_t kRomSize = 0x50000;
const std::string kNoTable = "\r\nTable file not found: table//table_dump.txt";
const std::string kNoIntroTable = "\r\nTable file not found: table//table_intro.txt";

// A ROM whose banks all have empty pointer tables and whose intro is zero bytes.
std::vector<uint8_t> zero_rom() {
  return std::vector<uint8_t>(kRomSize, 0x00);
}

// The console of a whole run over zero_rom() without tables.
std::string zero_rom_console() {
  return kNoTable + crlf("\n[FILE] 038000-038000\n[FILE] 03C000-03C000\n[FILE] 04C000-04C000") +
         kNoIntroTable +
         crlf(
             "\n[FILE] 010AF5-010BE5\n[FILE] 010BE5-010CD5\n[FILE] 010CD5-010CD8"
             "\n[FILE] 010CD8-010CDF\n[FILE] 010CDF-010CE9");
}

std::string trailer(const std::string& range) {
  return "\r\n//[FILE] " + range + kExpectedSlashLine + "\r\n\r\n\r\n";
}

// A main script of three empty banks.
std::string zero_rom_main_script() {
  return kExpectedMainHeader + trailer("038000-038000") + trailer("03C000-03C000") +
         trailer("04C000-04C000");
}

struct FatalCase {
  const char* name;
  std::function<void(const ToolDirectory&)> prepare;
  std::vector<std::string> args;
  int status;
  std::string out;
  std::string err;
  std::vector<std::string> files_absent;
};

void PrintTo(const FatalCase& c, std::ostream* os) {
  *os << c.name;
}

class CommandLineCases : public testing::TestWithParam<FatalCase> {};

TEST_P(CommandLineCases, ConsoleStatusAndFiles) {
  const FatalCase& c = GetParam();
  ToolDirectory dir;
  c.prepare(dir);
  if (IsSkipped()) return;
  const ToolRun run = dir.run(c.args);
  EXPECT_EQ(run.status, c.status);
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(run.err, c.err);
  EXPECT_EQ(run.console, c.out + c.err) << "standard output comes before the fatal error";
  for (const std::string& file : c.files_absent)
    EXPECT_FALSE(dir.exists(file)) << file;
}

void rom_and_text(const ToolDirectory& dir) {
  dir.write_file("game.gb", zero_rom());
  fs::create_directory(dir.path() / "text");
}

// text/script.txt stands for a file on a full disk.
void script_on_full_disk(const ToolDirectory& dir) {
#ifdef _WIN32
  (void)dir;
  GTEST_SKIP() << "Windows has no /dev/full to stand in for a full disk";
#else
  rom_and_text(dir);
  fs::create_symlink("/dev/full", dir.path() / "text" / "script.txt");
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Fatal, CommandLineCases,
    testing::Values(FatalCase{"NoArguments",
                              rom_and_text,
                              {},
                              kFailureStatus,
                              "",
                              "ERROR - no ROM args\r\n",
                              {"text/script.txt"}},
                    FatalCase{"KeywordOnly",
                              rom_and_text,
                              {"DUMP_TEXT"},
                              kFailureStatus,
                              "",
                              "ERROR - no ROM file\r\n",
                              {"text/script.txt"}},
                    FatalCase{"MissingRom",
                              rom_and_text,
                              {"DUMP_TEXT", "absent.gb"},
                              kFailureStatus,
                              "",
                              "ERROR - no ROM file\r\n",
                              {"text/script.txt"}},
                    FatalCase{"RomIsADirectory",
                              rom_and_text,
                              {"DUMP_TEXT", "text"},
                              kFailureStatus,
                              "",
                              "ERROR - no ROM file\r\n",
                              {"text/script.txt"}},
                    FatalCase{"WrongKeywordIsSilent",
                              rom_and_text,
                              {"dump_text", "game.gb"},
                              0,
                              "",
                              "",
                              {"text/script.txt", "text/script_intro.txt"}},
                    FatalCase{"KeywordWithATailIsSilent",
                              rom_and_text,
                              {"DUMP_TEXTS", "game.gb"},
                              0,
                              "",
                              "",
                              {"text/script.txt", "text/script_intro.txt"}},
                    FatalCase{"KeywordCutShortIsSilent",
                              rom_and_text,
                              {"DUMP_TEX", "game.gb"},
                              0,
                              "",
                              "",
                              {"text/script.txt", "text/script_intro.txt"}},
                    FatalCase{"ArgumentsInTheWrongOrderAreSilent",
                              rom_and_text,
                              {"game.gb", "DUMP_TEXT"},
                              kFailureStatus,
                              "",
                              "ERROR - no ROM file\r\n",
                              {"text/script.txt", "text/script_intro.txt"}},
                    FatalCase{"WrongKeywordStillNeedsTheRom",
                              rom_and_text,
                              {"dump_text", "absent.gb"},
                              kFailureStatus,
                              "",
                              "ERROR - no ROM file\r\n",
                              {"text/script.txt"}},
                    FatalCase{
                        "NoTextDirectory",
                        [](const ToolDirectory& dir) { dir.write_file("game.gb", zero_rom()); },
                        {"DUMP_TEXT", "game.gb"},
                        kFailureStatus,
                        kNoTable,
                        "ERROR - no TEXT dir\r\n",
                        {"text"}},
                    FatalCase{"ScriptOnFullDisk",
                              script_on_full_disk,
                              {"DUMP_TEXT", "game.gb"},
                              kFailureStatus,
                              kNoTable + crlf("\n[FILE] 038000-038000\n[FILE] 03C000-03C000"
                                              "\n[FILE] 04C000-04C000"),
                              "ERROR - TEXT write failed\r\n",
                              {"text/script_intro.txt"}}),
    [](const testing::TestParamInfo<FatalCase>& info) { return std::string(info.param.name); });

TEST(CommandLine, IntroScriptThatCannotBeCreatedComesAfterACompleteFirstScript) {
  ToolDirectory dir;
  rom_and_text(dir);
  fs::create_directory(dir.path() / "text" / "script_intro.txt");
  const ToolRun run = dir.run({"DUMP_TEXT", "game.gb"});
  EXPECT_EQ(run.status, kFailureStatus);
  EXPECT_EQ(run.out, kNoTable +
                         crlf("\n[FILE] 038000-038000\n[FILE] 03C000-03C000"
                              "\n[FILE] 04C000-04C000") +
                         kNoIntroTable);
  EXPECT_EQ(run.err, "ERROR - no TEXT dir\r\n");
  EXPECT_EQ(dir.read_file("text/script.txt"), zero_rom_main_script());
}

TEST(CommandLine, ExtraArgumentsAreIgnoredAndExistingScriptsAreTruncated) {
  ToolDirectory dir;
  rom_and_text(dir);
  dir.write_file("text/script.txt", std::string(100000, 'x'));
  const ToolRun run = dir.run({"DUMP_TEXT", "game.gb", "extra", "words"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, zero_rom_console());
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(dir.read_file("text/script.txt"), zero_rom_main_script());
}

TEST(CommandLine, TablePathThatIsADirectoryCountsAsNotFound) {
  ToolDirectory dir;
  rom_and_text(dir);
  fs::create_directories(dir.path() / "table" / "table_dump.txt");
  fs::create_directories(dir.path() / "table" / "table_intro.txt");
  const ToolRun run = dir.run({"DUMP_TEXT", "game.gb"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, zero_rom_console());
}

// The intro section of a block that dumps without fault: every line `line` and its trailer.
std::string intro_block(uint32_t address, uint32_t end, const std::string& line, int lines) {
  char head[64];
  std::snprintf(head, sizeof head, "#JMP($%X)\n\n\n//[%06X]\n\n", address, address);
  std::string body = crlf(head);
  for (int i = 0; i < lines; ++i)
    body += line + "\r\n";
  char warn[64];
  std::snprintf(warn, sizeof warn, "\n#WARN($%X, \"Intro $%X\")\n\n", end, end);
  char range[32];
  std::snprintf(range, sizeof range, "%06X-%06X", address, end);
  return body + crlf(warn) + trailer(range);
}

TEST(CommandLine, WholeRunWritesBothScriptsAndTheConsoleByteForByte) {
  ToolDirectory dir;
  std::vector<uint8_t> rom = zero_rom();
  // Bank 0x38000: pointers 0x4006, 0x4006, 0x400A; "A" line break "B" end; pair FA 01, 03, end.
  put_bytes(rom, 0x38000,
            {0x06, 0x40, 0x06, 0x40, 0x0A, 0x40, 0x01, 0xF0, 0x02, 0xFF, 0xFA, 0x01, 0x03, 0xFF});
  // Bank 0x3C000 keeps an empty table; bank 0x4C000 has one string with a byte no string holds.
  put_bytes(rom, 0x4C000, {0x02, 0x40, 0xC5});
  // Intro block 3 stops at 0xC3 after one byte.
  put_bytes(rom, 0x10CD5, {0x01, 0xC3});
  dir.write_file("game.gb", rom);
  dir.write_file("table/table_dump.txt",
                 std::string("01=A\r\n02=B\r\nF0=[LINE]\r\nFA01=[Potion]\r\n"));
  dir.write_file("table/table_intro.txt", std::string("00=.\r\n01=A\r\n"));
  fs::create_directory(dir.path() / "text");

  const ToolRun run = dir.run({"DUMP_TEXT", "game.gb"});

  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, crlf("\n[FILE] 038000-03800E"
                          "\n[FILE] 03C000-03C000"
                          "\n[LAYER2] CRASH 00C5 @ 4C001"
                          "\n[FILE] 010AF5-010BE5"
                          "\n[FILE] 010BE5-010CD5"
                          "\n[LAYER2] CRASH 00C3 @ 10CD5"
                          "\n[FILE] 010CD8-010CDF"
                          "\n[FILE] 010CDF-010CE9"));
  EXPECT_EQ(dir.read_file("text/script.txt"),
            kExpectedMainHeader +
                crlf("\n//[038006 = 0000]\n#WRITE(PtrTable)\n#WRITE(PtrTable)\n\n"
                     "A[LINE]\nB<CODE FF>\n\n"
                     "\n//[03800A = 0002]\n#WRITE(PtrTable)\n\n"
                     "[Potion]<$03><CODE FF>\n\n") +
                trailer("038000-03800E") + trailer("03C000-03C000") +
                crlf("\n//[04C002 = 0003]\n#WRITE(PtrTable)\n\n"));
  EXPECT_EQ(dir.read_file("text/script_intro.txt"),
            kExpectedIntroHeader + intro_block(0x10AF5, 0x10BE5, std::string(15, '.'), 16) +
                intro_block(0x10BE5, 0x10CD5, std::string(15, '.'), 16) +
                crlf("#JMP($10CD5)\n\n\n//[010CD5]\n\nA") +
                intro_block(0x10CD8, 0x10CDF, std::string(7, '.'), 1) +
                intro_block(0x10CDF, 0x10CE9, std::string(10, '.'), 1));
}

}  // namespace
}  // namespace quorin::test
