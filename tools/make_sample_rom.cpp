// Writes a synthetic 512 KiB ROM with the game's text layout: a pointer table and strings in each
// of the three text banks, and the five intro blocks. examples/table/ maps its bytes to text.
//
// Usage: make_sample_rom OUTPUT.gb

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t kRomSize = 512 * 1024;
constexpr uint32_t kBankCpuStart = 0x4000;
constexpr uint32_t kTextBanks[] = {0x38000, 0x3C000, 0x4C000};
constexpr uint32_t kIntroStart = 0x10AF5;
constexpr size_t kIntroLineWidth = 15;
constexpr size_t kIntroLongLines = 16;

// The sample encoding (examples/table/table_dump.txt): 0x00 space, 0x01-0x1A 'A'-'Z',
// 0x1B-0x34 'a'-'z', 0x35-0x3E '0'-'9', then punctuation.
uint8_t encode_char(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<uint8_t>(0x01 + (c - 'A'));
  if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(0x1B + (c - 'a'));
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(0x35 + (c - '0'));
  switch (c) {
    case '.':
      return 0x3F;
    case ',':
      return 0x40;
    case '!':
      return 0x41;
    case '?':
      return 0x42;
    case '\'':
      return 0x43;
    case '-':
      return 0x44;
    case ':':
      return 0x45;
    default:
      return 0x00;
  }
}

void text(Bytes& out, const char* s) {
  for (; *s != '\0'; ++s)
    out.push_back(encode_char(*s));
}

void codes(Bytes& out, std::initializer_list<uint8_t> bytes) {
  out.insert(out.end(), bytes);
}

// Control codes of the game.
constexpr uint8_t kLine = 0xF0, kEndArgs4 = 0xF1, kEndArgs2 = 0xF2, kWait = 0xF4, kSound = 0xF9,
                  kItem = 0xFA, kName = 0xFD, kPage = 0xFE, kEnd = 0xFF;

struct Bank {
  std::vector<Bytes> strings;
  std::vector<size_t> table;  // per pointer, the index of its string
};

Bank first_bank() {
  Bank bank;
  Bytes s;
  text(s, "Welcome to Quorin!");
  codes(s, {kLine});
  text(s, "Your journey begins.");
  codes(s, {kEnd});
  bank.strings.push_back(s);
  s.clear();
  text(s, "You got ");
  codes(s, {kItem, 0x01});
  text(s, "!");
  codes(s, {kWait, 0x10, kEnd});
  bank.strings.push_back(s);
  s.clear();
  codes(s, {kName, 0x00});
  text(s, ": Let's go.");
  codes(s, {kPage});
  text(s, "The gate is open.");
  codes(s, {kEndArgs4, 0x12, 0x34, 0x56, 0x78});
  bank.strings.push_back(s);
  // Entries 1 and 2 share one string: one group with two #WRITE lines.
  bank.table = {0, 1, 1, 2};
  return bank;
}

Bank second_bank() {
  Bank bank;
  Bytes s;
  text(s, "Shop: 30 coins.");
  codes(s, {kLine});
  text(s, "Buy it?");
  codes(s, {kEndArgs2, 0x02, 0x00});
  bank.strings.push_back(s);
  s.clear();
  codes(s, {kSound, 0x07, 0x01});
  text(s, "Thank you!");
  codes(s, {kEnd});
  bank.strings.push_back(s);
  s.clear();
  text(s, "Found ");
  codes(s, {kItem, 0x09});
  text(s, " in the chest.");
  codes(s, {kEnd});
  bank.strings.push_back(s);
  bank.table = {0, 1, 2};
  return bank;
}

Bank third_bank() {
  Bank bank;
  Bytes s;
  text(s, "The end?");
  codes(s, {kLine});
  text(s, "Not yet, ");
  codes(s, {kName, 0x00});
  text(s, ".");
  codes(s, {kEnd});
  bank.strings.push_back(s);
  bank.table = {0};
  return bank;
}

void place_bank(Bytes& rom, uint32_t address, const Bank& bank) {
  const size_t table_bytes = bank.table.size() * 2;
  std::vector<uint32_t> cpu_address;
  uint32_t next = kBankCpuStart + static_cast<uint32_t>(table_bytes);
  for (const Bytes& s : bank.strings) {
    cpu_address.push_back(next);
    std::memcpy(&rom[address + (next - kBankCpuStart)], s.data(), s.size());
    next += static_cast<uint32_t>(s.size());
  }
  for (size_t i = 0; i < bank.table.size(); ++i) {
    const uint32_t pointer = cpu_address[bank.table[i]];
    rom[address + 2 * i] = static_cast<uint8_t>(pointer & 0xFF);
    rom[address + 2 * i + 1] = static_cast<uint8_t>(pointer >> 8);
  }
}

// Fixed-width intro lines, padded with spaces; the three short blocks follow the two long ones.
void place_intro(Bytes& rom) {
  const char* long_lines[2 * kIntroLongLines] = {"Long ago, the",
                                                 "land of Quorin",
                                                 "knew peace.",
                                                 "",
                                                 "Then the",
                                                 "storm came.",
                                                 "",
                                                 "Cities fell,",
                                                 "rivers dried,",
                                                 "and the old",
                                                 "songs faded.",
                                                 "",
                                                 "Only one",
                                                 "hope remained:",
                                                 "a child of the",
                                                 "mountain.",
                                                 "Her name was",
                                                 "lost to time,",
                                                 "but her deeds",
                                                 "were not.",
                                                 "",
                                                 "This is her",
                                                 "story.",
                                                 "",
                                                 "",
                                                 "",
                                                 "",
                                                 "",
                                                 "",
                                                 "",
                                                 "",
                                                 "Press START"};
  uint32_t at = kIntroStart;
  for (const char* line : long_lines) {
    const size_t n = std::strlen(line);
    for (size_t i = 0; i < kIntroLineWidth; ++i)
      rom[at + i] = i < n ? encode_char(line[i]) : 0x00;
    at += static_cast<uint32_t>(kIntroLineWidth);
  }
  const char* short_blocks[] = {"Yes", "Options", "New Game  "};
  for (const char* block : short_blocks) {
    for (const char* p = block; *p != '\0'; ++p)
      rom[at++] = encode_char(*p);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_rom OUTPUT.gb\n");
    return 2;
  }
  Bytes rom(kRomSize, 0x00);
  const Bank banks[] = {first_bank(), second_bank(), third_bank()};
  for (size_t i = 0; i < 3; ++i)
    place_bank(rom, kTextBanks[i], banks[i]);
  place_intro(rom);

  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "make_sample_rom: cannot create %s\n", argv[1]);
    return 1;
  }
  const bool written = std::fwrite(rom.data(), 1, rom.size(), out) == rom.size();
  const bool closed = std::fclose(out) == 0;
  if (!written || !closed) {
    std::fprintf(stderr, "make_sample_rom: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
