// Fuzz target: the whole DUMP_TEXT job in memory, from the start-up state every time.
//
// Input layout:
//   byte 0      length D of the main table text (table//table_dump.txt); 0xFF: no such file
//   byte 1      length I of the intro table text (table//table_intro.txt); 0xFF: no such file
//   byte 2      the ROM image: bit 7 chooses its fill byte (clear 0xFF, set 0x00); bits 0-6 its
//               size, 0 giving 512 KiB and any other value S giving (S - 1) * 4 KiB, so that the
//               ROM can end at every 4 KiB step below the full size, 0 bytes included
//   D bytes     the main table text, I bytes the intro table text (cut short where the input ends)
//   the rest    the ROM payload P
// The ROM image is 512 KiB of the fill byte with copies of P: its first 16 KiB at most at each
// text bank address (0x38000, 0x3C000, 0x4C000) and at the first intro block (0x10AF5), and its
// last 16 KiB at most so that they end where each bank's 64 KiB window ends (bank + 0xC000). So
// even a short input puts a pointer table at the head of every bank, bytes into the intro lines
// and into the last bytes of every window, which pointers up to 0xFFFF reach; the copies do not
// overlap. The image is then cut to its size, which may end it inside or before any window. A
// fill of 0xFF (erased padding) ends a string that runs into it at once; a fill of 0x00 is text,
// so such a string runs on to the window's end.
//
// The rules let a hostile bank write far more than its ROM bytes: every group of a pointer table
// of up to 24576 entries decodes its own copy of a string that may run to the window's end. Each
// script here may take kScriptBudget bytes; past that its writes fail as on a full disk, which the
// tool must report and stop on. That bounds the time and memory of one input.
//
// Checked on every input: both scripts begin with their headers, and the console holds one line
// per bank and per block dumped (its range or its fault) plus one per missing table, each of a
// known form; the run exits with 0 and nothing on the error stream, or, when a script reached the
// budget, with -1 and "ERROR - TEXT write failed" before the intro job starts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "driver/context.h"
#include "driver/job.h"
#include "io/byte_io.h"
#include "rom/fixed_dump.h"
#include "rom/pointer_dump.h"
#include "support/expected_headers.h"
#include "support/memory_workspace.h"

namespace {

using namespace quorin;

constexpr size_t kHeaderSize = 3;
constexpr uint8_t kAbsentTable = 0xFF;
constexpr uint8_t kFillBit = 0x80;
constexpr uint8_t kSizeBits = 0x7F;
constexpr size_t kFullRomSize = size_t{512} << 10;
constexpr size_t kRomSizeStep = size_t{4} << 10;
constexpr size_t kPayloadMax = size_t{16} << 10;
constexpr size_t kScriptBudget = size_t{8} << 20;
constexpr uint32_t kPayloadAddresses[] = {kTextBanks[0], kTextBanks[1], kTextBanks[2],
                                          kIntroBlocks[0].address};
constexpr size_t kMainSections = std::size(kTextBanks);
constexpr size_t kIntroSections = std::size(kIntroBlocks);

void require(bool ok) {
  if (!ok) std::abort();
}

bool starts_with(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// Takes the next table text from the input; returns false for an absent file.
bool take_table(uint8_t length, const uint8_t*& data, size_t& size, std::string& text) {
  if (length == kAbsentTable) return false;
  const size_t n = length < size ? length : size;
  text.assign(reinterpret_cast<const char*>(data), n);
  data += n;
  size -= n;
  return true;
}

// Every console message starts with CR LF; checks each and returns how many report a section.
size_t count_section_lines(const std::string& console) {
  size_t sections = 0;
  size_t at = 0;
  while (at < console.size()) {
    require(console.compare(at, 2, "\r\n") == 0);
    size_t next = console.find("\r\n", at + 2);
    if (next == std::string::npos) next = console.size();
    const std::string line = console.substr(at + 2, next - at - 2);
    if (starts_with(line, "[FILE] ") || starts_with(line, "[LAYER2] CRASH ") ||
        starts_with(line, "[LAYER2] BAD DUMP COUNT = -")) {
      ++sections;
    } else {
      require(line == std::string("Table file not found: ") + kDumpTablePath ||
              line == std::string("Table file not found: ") + kIntroTablePath);
    }
    at = next;
  }
  return sections;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeaderSize) return 0;
  const uint8_t dump_length = data[0];
  const uint8_t intro_length = data[1];
  const uint8_t fill = (data[2] & kFillBit) != 0 ? 0x00 : 0xFF;
  const size_t size_code = data[2] & kSizeBits;
  data += kHeaderSize;
  size -= kHeaderSize;

  test::MemoryWorkspace workspace;
  workspace.script_fail_after = kScriptBudget;
  std::string text;
  if (take_table(dump_length, data, size, text)) workspace.tables[kDumpTablePath] = text;
  if (take_table(intro_length, data, size, text)) workspace.tables[kIntroTablePath] = text;

  std::vector<uint8_t> image(kFullRomSize, fill);
  const size_t payload = size < kPayloadMax ? size : kPayloadMax;
  if (payload > 0) {
    for (uint32_t address : kPayloadAddresses)
      std::memcpy(image.data() + address, data, payload);
    for (uint32_t bank : kTextBanks) {
      const size_t window_end = bank - static_cast<uint32_t>(kWindowBankStart) + kWindowSize;
      std::memcpy(image.data() + window_end - payload, data + size - payload, payload);
    }
  }
  image.resize(size_code == 0 ? kFullRomSize : (size_code - 1) * kRomSizeStep);

  // The tool's context is static and zero at start-up; so is this one before every run.
  static const auto context = std::make_unique<DumpContext>();
  DumpContext& ctx = *context;
  std::memset(&ctx, 0, sizeof ctx);
  MemoryRom rom(image.data(), image.size());
  test::StringSink console;
  test::StringSink errors;
  ctx.rom = &rom;
  ctx.console = &console;

  const int status = run_dump_text(ctx, workspace, errors);
  const size_t sections = count_section_lines(console.bytes);
  require(starts_with(workspace.scripts[kMainScriptPath], test::kExpectedMainHeader));
  if (status == kExitSuccess) {
    require(errors.bytes.empty());
    require(starts_with(workspace.scripts[kIntroScriptPath], test::kExpectedIntroHeader));
    require(sections == kMainSections + kIntroSections);
    return 0;
  }
  require(status == kExitFailure);
  require(errors.bytes == "ERROR - TEXT write failed\r\n");
  // Only the main script can grow that large; the intro blocks hold 500 bytes in all.
  const size_t largest_write = kScriptBufferSize + kTokenRoom;
  require(workspace.scripts[kMainScriptPath].size() + largest_write > kScriptBudget);
  require(workspace.scripts.count(kIntroScriptPath) == 0);
  require(sections <= kMainSections);
  return 0;
}
