#include "rom/pointer_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/expected_headers.h"
#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

constexpr uint32_t kBank = 0x38000;
constexpr uint32_t kBankBase = kBank - 0x4000;
constexpr size_t kRomSize = 0x50000;

std::string trailer(const std::string& range) {
  return "\r\n//[FILE] " + range + kExpectedSlashLine + "\r\n\r\n\r\n";
}

class PointerDumpTest : public testing::Test {
 protected:
  // Dumps bank 0x38000 of a ROM of zeros with `bytes` at `offset`.
  void dump_bank(uint32_t offset, const std::vector<uint8_t>& bytes, uint8_t fill = 0x00) {
    t.set_rom(rom_with(kRomSize, fill, offset, bytes));
    dump_pointer_bank(*t.ctx, kBank, entry_index);
  }
  TestContext t;
  int32_t entry_index = 0;
};

TEST_F(PointerDumpTest, WorkedExample) {
  dump_bank(kBank, {0x08, 0x40, 0x08, 0x40, 0x0B, 0x40, 0x10, 0x40, 0x41, 0xF0, 0xFF, 0xF1,
                    0x0A, 0x0B, 0x0C, 0x0D, 0xFA, 0x07, 0xF4, 0x99, 0xFE, 0x42, 0xFF});
  const std::string expected =
      "\r\n//[038008 = 0000]\r\n#WRITE(PtrTable)\r\n#WRITE(PtrTable)\r\n\r\n"
      "<$41><CODE F0>\r\n<CODE FF>\r\n\r\n"
      "\r\n//[03800B = 0002]\r\n#WRITE(PtrTable)\r\n\r\n"
      "<CODE F1><$0A><$0B><$0C><$0D>\r\n\r\n"
      "\r\n//[038010 = 0003]\r\n#WRITE(PtrTable)\r\n\r\n"
      "<FA><$07><CODE F4><$99><CODE FE>\r\n<$42><CODE FF>\r\n\r\n"
      "\r\n//[FILE] 038000-038017\r\n"
      "//////////////////////////////////////////////////////////\r\n\r\n\r\n";
  EXPECT_EQ(expected.size(), 345u);
  EXPECT_EQ(t.script_bytes(), expected);
  EXPECT_EQ(t.console.bytes, "\r\n[FILE] 038000-038017");
  EXPECT_EQ(entry_index, 4);
}

TEST_F(PointerDumpTest, FirstPointerAtOrBelowTheTableStartDumpsNothing) {
  for (std::vector<uint8_t> table :
       {std::vector<uint8_t>{0x00, 0x40}, {0x00, 0x00}, {0xFF, 0x3F}}) {
    TestContext fresh;
    fresh.set_rom(rom_with(kRomSize, 0x00, kBank, table));
    int32_t index = 7;
    dump_pointer_bank(*fresh.ctx, kBank, index);
    EXPECT_EQ(fresh.script_bytes(), trailer("038000-038000"));
    EXPECT_EQ(fresh.console.bytes, "\r\n[FILE] 038000-038000");
    EXPECT_EQ(index, 7);
  }
}

TEST_F(PointerDumpTest, PointerRepeatedApartIsDecodedEachTime) {
  dump_bank(kBank, {0x06, 0x40, 0x09, 0x40, 0x06, 0x40, 0x41, 0x42, 0xFF, 0x43, 0xFF});
  EXPECT_EQ(t.script_bytes(),
            "\r\n//[038006 = 0000]\r\n#WRITE(PtrTable)\r\n\r\n<$41><$42><CODE FF>"
            "\r\n\r\n\r\n//[038009 = 0001]\r\n#WRITE(PtrTable)\r\n\r\n<$43><CODE FF>"
            "\r\n\r\n\r\n//[038006 = 0002]\r\n#WRITE(PtrTable)\r\n\r\n<$41><$42>"
            "<CODE FF>\r\n\r\n" +
                trailer("038000-038009"));
}

TEST_F(PointerDumpTest, OddTableEndTakesTheStraddlingWordAsLastEntry) {
  // Words 0x4005, 0x4007 and, across the first string's first byte, 0x4005 again.
  dump_bank(kBank, {0x05, 0x40, 0x07, 0x40, 0x05, 0x40, 0xFF, 0xFF});
  EXPECT_EQ(t.script_bytes(),
            "\r\n//[038005 = 0000]\r\n#WRITE(PtrTable)\r\n\r\n<$40><CODE FF>"
            "\r\n\r\n\r\n//[038007 = 0001]\r\n#WRITE(PtrTable)\r\n\r\n<CODE FF>"
            "\r\n\r\n\r\n//[038005 = 0002]\r\n#WRITE(PtrTable)\r\n\r\n<$40>"
            "<CODE FF>\r\n\r\n" +
                trailer("038000-038007"));
  EXPECT_EQ(entry_index, 3);
}

TEST_F(PointerDumpTest, RunPastTheTableEndIsABadCount) {
  dump_bank(kBank, {0x04, 0x40, 0x04, 0x40, 0x04, 0x40, 0xFF});
  EXPECT_EQ(t.script_bytes(),
            "\r\n//[038004 = 0000]\r\n#WRITE(PtrTable)\r\n#WRITE(PtrTable)\r\n#WRITE(PtrTable)"
            "\r\n\r\n<$04><$40><CODE FF>\r\n\r\n");
  EXPECT_EQ(t.console.bytes, "\r\n[LAYER2] BAD DUMP COUNT = -1");
  EXPECT_EQ(entry_index, 3);
}

TEST_F(PointerDumpTest, InvalidByteEndsTheBankAtOnce) {
  // One entry; its string holds 0xC5 at ROM offset 0x38006; a second table entry is never reached.
  dump_bank(kBank, {0x02, 0x40, 0x41, 0x42, 0x41, 0x42, 0xC5, 0x41, 0xFF});
  EXPECT_EQ(t.script_bytes(),
            "\r\n//[038002 = 0000]\r\n#WRITE(PtrTable)\r\n\r\n<$41><$42><$41><$42>");
  EXPECT_EQ(t.console.bytes, "\r\n[LAYER2] CRASH 00C5 @ 38005");
}

TEST_F(PointerDumpTest, EveryInvalidByteIsReported) {
  for (int code = 0xC3; code <= 0xEF; ++code) {
    TestContext fresh;
    fresh.set_rom(rom_with(kRomSize, 0x00, kBank, {0x02, 0x40, static_cast<uint8_t>(code)}));
    int32_t index = 0;
    dump_pointer_bank(*fresh.ctx, kBank, index);
    char expected[64];
    std::snprintf(expected, sizeof expected, "\r\n[LAYER2] CRASH %04X @ 38001", code);
    EXPECT_EQ(fresh.console.bytes, expected);
    EXPECT_EQ(fresh.script_bytes(), "\r\n//[038002 = 0000]\r\n#WRITE(PtrTable)\r\n\r\n");
  }
}

TEST_F(PointerDumpTest, ControlCodesTakeTheirArgumentBytes) {
  dump_bank(kBank, {0x02, 0x40, 0xF3, 0xF4, 0x01, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0x02, 0x03,
                    0xFB, 0xFC, 0x04, 0xFD, 0x05, 0xFE, 0xC2, 0xF0, 0xF2, 0x06, 0x07});
  EXPECT_EQ(t.script_bytes(),
            "\r\n//[038002 = 0000]\r\n#WRITE(PtrTable)\r\n\r\n"
            "<CODE F3><CODE F4><$01><CODE F5><CODE F6><CODE F7><CODE F8><CODE F9><$02><$03>"
            "<CODE FB><CODE FC><$04><FD><$05><CODE FE>\r\n<$C2><CODE F0>\r\n<CODE F2><$06><$07>"
            "\r\n\r\n" +
                trailer("038000-038017"));
}

// With byte 0x41 mapped to "a", an argument byte shows as "<$41>" and a text byte as "a", so each
// code's argument count stands in the script.
TEST(PointerDumpArguments, EachControlCodeTakesItsCountOfArgumentBytes) {
  struct Case {
    uint8_t code;
    const char* body;
  };
  const Case cases[] = {
      {0xF0, "<CODE F0>\r\naaaaa<CODE FF>"}, {0xF1, "<CODE F1><$41><$41><$41><$41>"},
      {0xF2, "<CODE F2><$41><$41>"},         {0xF3, "<CODE F3>aaaaa<CODE FF>"},
      {0xF4, "<CODE F4><$41>aaaa<CODE FF>"}, {0xF5, "<CODE F5>aaaaa<CODE FF>"},
      {0xF6, "<CODE F6>aaaaa<CODE FF>"},     {0xF7, "<CODE F7>aaaaa<CODE FF>"},
      {0xF8, "<CODE F8>aaaaa<CODE FF>"},     {0xF9, "<CODE F9><$41><$41>aaa<CODE FF>"},
      {0xFA, "<FA><$41>aaaa<CODE FF>"},      {0xFB, "<CODE FB>aaaaa<CODE FF>"},
      {0xFC, "<CODE FC><$41>aaaa<CODE FF>"}, {0xFD, "<FD><$41>aaaa<CODE FF>"},
      {0xFE, "<CODE FE>\r\naaaaa<CODE FF>"}, {0xFF, "<CODE FF>"},
  };
  for (const Case& c : cases) {
    TestContext t;
    t.set_table("41=a\r\n");
    t.set_rom(
        rom_with(kRomSize, 0x00, kBank, {0x02, 0x40, c.code, 0x41, 0x41, 0x41, 0x41, 0x41, 0xFF}));
    int32_t index = 0;
    dump_pointer_bank(*t.ctx, kBank, index);
    const std::string& script = t.script_bytes();
    const std::string head = "\r\n//[038002 = 0000]\r\n#WRITE(PtrTable)\r\n\r\n";
    ASSERT_EQ(script.substr(0, head.size()), head) << std::hex << int{c.code};
    EXPECT_EQ(script.substr(head.size(), script.find("\r\n\r\n", head.size()) - head.size()),
              c.body)
        << std::hex << int{c.code};
  }
}

TEST_F(PointerDumpTest, TableTextStandsForCodes) {
  t.set_table("41=a\r\nF0=[br]\r\nFF=[end]\r\nFA=[item]\r\nFD07=[hero]\r\n");
  dump_bank(kBank, {0x02, 0x40, 0x41, 0xF0, 0xFA, 0x01, 0xFD, 0x07, 0xFD, 0x08, 0xFF});
  EXPECT_EQ(t.script_bytes(),
            "\r\n//[038002 = 0000]\r\n#WRITE(PtrTable)\r\n\r\n"
            "a[br]\r\n[item]<$01>[hero]<FD><$08>[end]\r\n\r\n" +
                trailer("038000-03800B"));
}

// Entries 0x4004 (string FF) and 0xFFFF, the window's last byte (ROM offset 0x43FFF).
TEST_F(PointerDumpTest, CodeInTheWindowsLastByteReadsPastTheEnd) {
  struct Case {
    uint8_t last_byte;
    std::string body;
    std::string range;
  };
  for (const Case& c : {
           // Argument bytes past the end read as zeros and still advance the cursor.
           Case{0xF1, "<CODE F1><$00><$00><$00><$00>", "038000-044004"},
           // A pair code takes the end-of-window 0xFF as its argument, then ends there.
           Case{0xFA, "<FA><$FF><CODE FF>", "038000-044000"},
       }) {
    TestContext fresh;
    std::vector<uint8_t> rom = rom_with(kRomSize, 0x00, kBank, {0x04, 0x40, 0xFF, 0xFF, 0xFF});
    rom[kBankBase + 0xFFFF] = c.last_byte;
    rom[kBankBase + 0x10000] = 0x77;  // outside the window: never read
    fresh.set_rom(rom);
    int32_t index = 0;
    dump_pointer_bank(*fresh.ctx, kBank, index);
    EXPECT_EQ(fresh.script_bytes(),
              "\r\n//[038004 = 0000]\r\n#WRITE(PtrTable)\r\n\r\n<CODE FF>\r\n\r\n"
              "\r\n//[043FFF = 0001]\r\n#WRITE(PtrTable)\r\n\r\n" +
                  c.body + "\r\n\r\n" + trailer(c.range));
  }
}

TEST_F(PointerDumpTest, StringRunningToTheWindowsEndIsClosedThere) {
  std::vector<uint8_t> rom = rom_with(kRomSize, 0x41, kBank, {0x02, 0x40});
  t.set_rom(rom);
  dump_pointer_bank(*t.ctx, kBank, entry_index);
  std::string body;
  for (uint32_t i = 0x4002; i < 0x10000; ++i)
    body += "<$41>";
  EXPECT_EQ(t.script_bytes(), "\r\n//[038002 = 0000]\r\n#WRITE(PtrTable)\r\n\r\n" + body +
                                  "<CODE FF>\r\n\r\n" + trailer("038000-044000"));
  EXPECT_EQ(t.console.bytes, "\r\n[FILE] 038000-044000");
}

TEST_F(PointerDumpTest, BankOfFFBytesEndsItsRunAtTheWindowsEnd) {
  t.set_rom(std::vector<uint8_t>(kRomSize, 0xFF));
  dump_pointer_bank(*t.ctx, kBank, entry_index);
  std::string writes;
  for (int i = 0; i < 24576; ++i)
    writes += "\r\n#WRITE(PtrTable)";
  EXPECT_EQ(t.script_bytes(), "\r\n//[043FFF = 0000]" + writes + "\r\n\r\n<CODE FF>\r\n\r\n" +
                                  trailer("038000-044000"));
  EXPECT_EQ(t.console.bytes, "\r\n[FILE] 038000-044000");
  EXPECT_EQ(entry_index, 24576);
}

TEST_F(PointerDumpTest, EntriesAreNumberedAcrossBanksAndFaultsDoNotStopTheNext) {
  std::vector<uint8_t> rom(kRomSize, 0x00);
  put_bytes(rom, 0x38000, {0x04, 0x40, 0x05, 0x40, 0xFF, 0xC3});              // 2 entries, a fault
  put_bytes(rom, 0x3C000, {0x06, 0x40, 0x06, 0x40, 0x07, 0x40, 0xFF, 0xFF});  // 3 entries
  put_bytes(rom, 0x4C000, {0x02, 0x40, 0xFF});                                // 1 entry
  t.set_rom(rom);
  dump_pointer_banks(*t.ctx);
  EXPECT_EQ(t.script_bytes(),
            "\r\n//[038004 = 0000]\r\n#WRITE(PtrTable)\r\n\r\n<CODE FF>\r\n\r\n"
            "\r\n//[038005 = 0001]\r\n#WRITE(PtrTable)\r\n\r\n"
            "\r\n//[03C006 = 0002]\r\n#WRITE(PtrTable)\r\n#WRITE(PtrTable)\r\n\r\n<CODE FF>"
            "\r\n\r\n\r\n//[03C007 = 0004]\r\n#WRITE(PtrTable)\r\n\r\n<CODE FF>\r\n\r\n" +
                trailer("03C000-03C008") +
                "\r\n//[04C002 = 0005]\r\n#WRITE(PtrTable)\r\n\r\n<CODE FF>\r\n\r\n" +
                trailer("04C000-04C003"));
  EXPECT_EQ(t.console.bytes,
            "\r\n[LAYER2] CRASH 00C3 @ 38004\r\n[FILE] 03C000-03C008\r\n[FILE] "
            "04C000-04C003");
}

TEST_F(PointerDumpTest, GroupHeadsGrowPastFourDigits) {
  int32_t index = 0x12345;
  t.set_rom(rom_with(kRomSize, 0x00, kBank, {0x02, 0x40, 0xFF}));
  dump_pointer_bank(*t.ctx, kBank, index);
  EXPECT_EQ(t.script_bytes().substr(0, 20), "\r\n//[038002 = 12345]");
  EXPECT_EQ(index, 0x12346);
}

TEST(RawBytes, ZerosPastTheWindowAndNothingForZero) {
  TestContext t;
  t.ctx->window.bytes[0xFFFE] = 0xAB;
  t.ctx->window.bytes[0xFFFF] = 0xCD;
  t.ctx->window.cursor = 0xFFFE;
  dump_raw_bytes(*t.ctx, 0);
  dump_raw_bytes(*t.ctx, 4);
  EXPECT_EQ(t.script_bytes(), "<$AB><$CD><$00><$00>");
  EXPECT_EQ(t.ctx->window.cursor, 0x10002);
}

}  // namespace
}  // namespace quorin::test
