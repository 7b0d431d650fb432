// Strings replayed from the cache give exactly the bytes that decoding them gives.
#include "rom/string_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "rom/pointer_dump.h"
#include "support/expected_headers.h"
#include "support/memory_workspace.h"

namespace quorin::test {
namespace {

constexpr size_t kRomSize = 0x80000;
constexpr uint32_t kBank = 0x38000;
constexpr uint32_t kBase = kBank - 0x4000;
constexpr uint32_t kWindowEnd = 0x10000;
// 0x03 has the longest text a slot holds.
const std::string kLongestText = "0123456789abcdefghijklmnopqrstuvwxyzABC";
const std::string kTable = "01=x\r\n02=yz\r\n03=" + kLongestText + "\r\n";

std::string hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

std::string repeat(const std::string& text, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i)
    out += text;
  return out;
}

// n bytes of value, then tail. Built by one copy into a sized vector: GCC 12 misreads an insert
// at the end of a vector of this size as an out-of-bounds move.
std::vector<uint8_t> bytes_of(uint8_t value, size_t n, const std::vector<uint8_t>& tail) {
  std::vector<uint8_t> out(n + tail.size(), value);
  std::copy(tail.begin(), tail.end(), out.begin() + static_cast<std::ptrdiff_t>(n));
  return out;
}

// One group of a single pointer.
std::string group(uint32_t offset, int index, const std::string& body) {
  return "\r\n//[" + hex(offset, 6) + " = " + hex(static_cast<uint32_t>(index), 4) + "]" +
         "\r\n#WRITE(PtrTable)\r\n\r\n" + body + "\r\n\r\n";
}

std::string trailer(uint32_t start, uint32_t end) {
  return "\r\n//[FILE] " + hex(start, 6) + "-" + hex(end, 6) + kExpectedSlashLine + "\r\n\r\n\r\n";
}

void put_pointers(std::vector<uint8_t>& rom, uint32_t bank, const std::vector<uint16_t>& ptrs) {
  for (size_t i = 0; i < ptrs.size(); ++i) {
    rom[bank + 2 * i] = static_cast<uint8_t>(ptrs[i] & 0xFF);
    rom[bank + 2 * i + 1] = static_cast<uint8_t>(ptrs[i] >> 8);
  }
}

struct ReplayCase {
  const char* name;
  std::map<uint16_t, std::vector<uint8_t>> strings;  // by window index
  std::vector<uint16_t> pointers;                    // no two adjacent ones equal
  std::map<uint16_t, std::string> bodies;            // the string text each pointer gives
  uint32_t end;                                      // ROM offset in the trailer
};

void PrintTo(const ReplayCase& c, std::ostream* os) {
  *os << c.name;
}

// Window indices of the strings below.
constexpr uint16_t kA = 0x400C;      // after a table of six pointers
constexpr uint16_t kB = kA + 1501;   // after A
constexpr uint16_t kC = kB + 1204;   // after B
constexpr uint16_t kLongA = 0x4080;  // after a table of 64 pointers
constexpr uint16_t kLongB = kLongA + 20001;
constexpr uint16_t kToEnd = 0x4006;  // after a table of three pointers
constexpr uint16_t kHuge = 0x4006;   // after a table of three pointers
constexpr uint16_t kAfterHuge = kHuge + 30001;

std::vector<uint16_t> alternate(uint16_t a, uint16_t b, size_t n) {
  std::vector<uint16_t> out;
  for (size_t i = 0; i < n; ++i)
    out.push_back(i % 2 == 0 ? a : b);
  return out;
}

class StringReplay : public ::testing::TestWithParam<ReplayCase> {};

TEST_P(StringReplay, EveryCopyOfAStringHasTheBytesOfItsFirst) {
  const ReplayCase& c = GetParam();
  std::vector<uint8_t> rom(kRomSize, 0x00);
  put_pointers(rom, kBank, c.pointers);
  for (const auto& [index, bytes] : c.strings)
    put_bytes(rom, kBase + index, bytes);
  TestContext t;
  t.set_rom(rom);
  t.set_table(kTable);
  t.begin_script();
  int32_t entry_index = 0;
  dump_pointer_bank(*t.ctx, kBank, entry_index);

  std::string expected;
  for (size_t i = 0; i < c.pointers.size(); ++i)
    expected += group(kBase + c.pointers[i], static_cast<int>(i), c.bodies.at(c.pointers[i]));
  expected += trailer(kBank, c.end);
  EXPECT_EQ(t.script_bytes(), expected);
  EXPECT_EQ(t.console.bytes, "\r\n[FILE] " + hex(kBank, 6) + "-" + hex(c.end, 6));
  EXPECT_EQ(entry_index, static_cast<int32_t>(c.pointers.size()));
}

INSTANTIATE_TEST_SUITE_P(
    PointerDump, StringReplay,
    ::testing::Values(
        // A and B are long enough to be kept, C is not; B holds a line break and a code with
        // an argument byte. The trailer ends after the last string in table order (B).
        ReplayCase{"LongAndShortStringsInTurn",
                   {{kA, bytes_of(0x01, 1500, {0xFF})},
                    {kB,
                     [] {
                       std::vector<uint8_t> b = bytes_of(0x02, 1201, {0xF4, 0x33, 0xFF});
                       b[600] = 0xF0;
                       return b;
                     }()},
                    {kC, {0x04, 0xFF}}},
                   {kA, kB, kC, kA, kC, kB},
                   {{kA, repeat("x", 1500) + "<CODE FF>"},
                    {kB, repeat("yz", 600) + "<CODE F0>\r\n" + repeat("yz", 600) +
                             "<CODE F4><$33><CODE FF>"},
                    {kC, "<$04><CODE FF>"}},
                   kBase + kB + 1204},
        // Two strings that run to the window's end, where 0xFF closes them.
        ReplayCase{"StringsRunningToTheWindowsEnd",
                   {{kToEnd, std::vector<uint8_t>(kWindowEnd - kToEnd, 0x01)}},
                   {kToEnd, kToEnd + 1, kToEnd},
                   {{kToEnd, repeat("x", kWindowEnd - kToEnd) + "<CODE FF>"},
                    {kToEnd + 1, repeat("x", kWindowEnd - kToEnd - 1) + "<CODE FF>"}},
                   kBase + kWindowEnd},
        // Some 1.9 MB of script: copies are decoded and replayed across buffer flushes.
        ReplayCase{
            "CopiesAcrossBufferFlushes",
            {{kLongA, bytes_of(0x01, 20000, {0xFF})}, {kLongB, bytes_of(0x02, 20000, {0xFF})}},
            alternate(kLongA, kLongB, 64),
            {{kLongA, repeat("x", 20000) + "<CODE FF>"},
             {kLongB, repeat("yz", 20000) + "<CODE FF>"}},
            kBase + kLongB + 20001},
        // 1.17 MB from one string: more than the script buffer holds, so its bytes never lie
        // together in the buffer and its second copy is decoded again.
        ReplayCase{"AStringLongerThanTheScriptBuffer",
                   {{kHuge, bytes_of(0x03, 30000, {0xFF})}, {kAfterHuge, {0x01, 0xFF}}},
                   {kHuge, kAfterHuge, kHuge},
                   {{kHuge, repeat(kLongestText, 30000) + "<CODE FF>"}, {kAfterHuge, "x<CODE FF>"}},
                   kBase + kHuge + 30001}),
    [](const ::testing::TestParamInfo<ReplayCase>& info) { return std::string(info.param.name); });

// The same pointer value in the next bank names other bytes, and a new table renders them anew.
TEST(StringReplay, NothingIsReplayedFromAnotherBankOrTable) {
  constexpr uint32_t kSecondBank = 0x3C000;
  constexpr uint16_t kString = 0x4002;
  std::vector<uint8_t> rom(kRomSize, 0x00);
  put_pointers(rom, kBank, {kString});
  put_pointers(rom, kSecondBank, {kString});
  put_bytes(rom, kBank + 2, bytes_of(0x01, 2000, {0xFF}));
  put_bytes(rom, kSecondBank + 2, bytes_of(0x02, 2000, {0xFF}));
  TestContext t;
  t.set_rom(rom);
  t.set_table(kTable);
  t.begin_script();
  dump_pointer_banks(*t.ctx);
  EXPECT_EQ(t.script_bytes(), group(0x38002, 0, repeat("x", 2000) + "<CODE FF>") +
                                  trailer(0x38000, 0x387D3) +
                                  group(0x3C002, 1, repeat("yz", 2000) + "<CODE FF>") +
                                  trailer(0x3C000, 0x3C7D3) + trailer(0x4C000, 0x4C000));

  t.set_table("01=Q\r\n");
  t.begin_script();
  int32_t entry_index = 0;
  dump_pointer_bank(*t.ctx, kBank, entry_index);
  EXPECT_EQ(t.script_bytes(),
            group(0x38002, 0, repeat("Q", 2000) + "<CODE FF>") + trailer(0x38000, 0x387D3));
}

}  // namespace
}  // namespace quorin::test
