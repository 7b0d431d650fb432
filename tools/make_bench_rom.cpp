// Writes a 512 KiB ROM and its dump table for the benchmark.
//
//   realistic: each of the three text banks holds about 800 short strings behind its pointer
//              table, as a finished game would;
//   worst:     each bank's pointer table has 2048 entries alternating between two strings of 0x00
//              that run to the window's end, so every entry writes some 45 KB of script.
//
// The table maps every text byte 0x00-0xC2 to one or two letters; control codes stay tokens.
//
// Usage: make_bench_rom realistic|worst OUTPUT.gb TABLE.txt

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t kRomSize = 512 * 1024;
constexpr uint32_t kTextBanks[] = {0x38000, 0x3C000, 0x4C000};
constexpr uint32_t kBankCpuStart = 0x4000;
constexpr uint32_t kBankSize = 0x4000;
constexpr uint8_t kLastTextByte = 0xC2;

constexpr size_t kRealisticStrings = 800;
constexpr size_t kShortestText = 4;
constexpr size_t kLongestText = 24;
// One entry in this many repeats the one before it (a run of equal pointers).
constexpr uint32_t kRepeatOneIn = 20;

constexpr size_t kWorstEntries = 2048;

constexpr uint32_t kIntroStart = 0x10AF5;
constexpr uint32_t kIntroEnd = 0x10CE9;

// Control codes of the game and their argument byte counts.
constexpr uint8_t kLine = 0xF0, kEndArgs4 = 0xF1, kEndArgs2 = 0xF2, kWait = 0xF4, kSound = 0xF9,
                  kItem = 0xFA, kName = 0xFD, kPage = 0xFE, kEnd = 0xFF;

// A fixed sequence of pseudo-random numbers, so that every run builds the same ROM.
struct Random {
  uint32_t state = 0x2545F491u;
  uint32_t next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  uint32_t below(uint32_t n) { return next() % n; }
};

void put_pointer(Bytes& rom, uint32_t at, uint32_t pointer) {
  rom[at] = static_cast<uint8_t>(pointer & 0xFF);
  rom[at + 1] = static_cast<uint8_t>(pointer >> 8);
}

// A short string: text bytes with now and then a control code, closed by an end code.
Bytes realistic_string(Random& random) {
  Bytes s;
  const size_t length = kShortestText + random.below(kLongestText - kShortestText + 1);
  for (size_t i = 0; i < length; ++i) {
    const uint32_t roll = random.below(40);
    if (roll == 0 && i + 1 < length) {
      s.push_back(kLine);
    } else if (roll == 1) {
      s.push_back(kWait);
      s.push_back(static_cast<uint8_t>(random.below(256)));
    } else if (roll == 2) {
      s.push_back(kItem);
      s.push_back(static_cast<uint8_t>(random.below(16)));
    } else if (roll == 3) {
      s.push_back(kName);
      s.push_back(0x00);
    } else if (roll == 4) {
      s.push_back(kSound);
      s.push_back(static_cast<uint8_t>(random.below(256)));
      s.push_back(static_cast<uint8_t>(random.below(256)));
    } else if (roll == 5 && i + 1 < length) {
      s.push_back(kPage);
    } else {
      s.push_back(static_cast<uint8_t>(random.below(kLastTextByte + 1u)));
    }
  }
  const uint32_t end = random.below(20);
  if (end == 0) {
    s.insert(s.end(), {kEndArgs4, 0x01, 0x02, 0x03, 0x04});
  } else if (end == 1) {
    s.insert(s.end(), {kEndArgs2, 0x02, 0x00});
  } else {
    s.push_back(kEnd);
  }
  return s;
}

// Returns false when the strings do not fit into the bank.
bool place_realistic_bank(Bytes& rom, uint32_t address, Random& random) {
  const uint32_t table_bytes = 2 * kRealisticStrings;
  uint32_t next = kBankCpuStart + table_bytes;
  uint32_t pointer = next;
  for (size_t i = 0; i < kRealisticStrings; ++i) {
    if (i == 0 || random.below(kRepeatOneIn) != 0) {
      const Bytes s = realistic_string(random);
      if (next + s.size() > kBankCpuStart + kBankSize) return false;
      pointer = next;
      std::memcpy(&rom[address + (next - kBankCpuStart)], s.data(), s.size());
      next += static_cast<uint32_t>(s.size());
    }
    put_pointer(rom, address + 2 * static_cast<uint32_t>(i), pointer);
  }
  return true;
}

// The strings are the zero bytes behind the table: the first starts where the table ends, the
// second one byte later, and both run to the window's end. Alternating keeps every entry a group
// of its own.
void place_worst_bank(Bytes& rom, uint32_t address) {
  const uint32_t first = kBankCpuStart + 2 * kWorstEntries;
  for (size_t i = 0; i < kWorstEntries; ++i)
    put_pointer(rom, address + 2 * static_cast<uint32_t>(i), first + (i % 2));
}

void place_intro(Bytes& rom, Random& random) {
  for (uint32_t at = kIntroStart; at < kIntroEnd; ++at)
    rom[at] = static_cast<uint8_t>(random.below(kLastTextByte + 1u));
}

// Bytes 0x00-0x33 are one letter each, the rest two letters.
std::string table_text() {
  constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  constexpr unsigned kLetterCount = sizeof kLetters - 1;
  std::string text = "// Benchmark table: every text byte is one or two letters.\r\n";
  for (unsigned b = 0; b <= kLastTextByte; ++b) {
    char line[16];
    if (b < kLetterCount) {
      std::snprintf(line, sizeof line, "%02X=%c\r\n", b, kLetters[b]);
    } else {
      const unsigned n = b - kLetterCount;
      std::snprintf(line, sizeof line, "%02X=%c%c\r\n", b, kLetters[n / kLetterCount],
                    kLetters[n % kLetterCount]);
    }
    text += line;
  }
  return text;
}

bool write_file(const char* path, const void* data, size_t n) {
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "make_bench_rom: cannot create %s\n", path);
    return false;
  }
  const bool written = std::fwrite(data, 1, n, out) == n;
  const bool closed = std::fclose(out) == 0;
  if (!written || !closed) std::fprintf(stderr, "make_bench_rom: cannot write %s\n", path);
  return written && closed;
}

}  // namespace

int main(int argc, char** argv) {
  const bool realistic = argc == 4 && std::strcmp(argv[1], "realistic") == 0;
  const bool worst = argc == 4 && std::strcmp(argv[1], "worst") == 0;
  if (!realistic && !worst) {
    std::fprintf(stderr, "usage: make_bench_rom realistic|worst OUTPUT.gb TABLE.txt\n");
    return 2;
  }
  Bytes rom(kRomSize, 0x00);
  Random random;
  for (uint32_t address : kTextBanks) {
    if (worst) {
      place_worst_bank(rom, address);
    } else if (!place_realistic_bank(rom, address, random)) {
      std::fprintf(stderr, "make_bench_rom: the strings do not fit into bank %X\n", address);
      return 1;
    }
  }
  if (realistic) place_intro(rom, random);
  const std::string table = table_text();
  if (!write_file(argv[2], rom.data(), rom.size())) return 1;
  if (!write_file(argv[3], table.data(), table.size())) return 1;
  return 0;
}
