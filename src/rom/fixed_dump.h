// The intro text: lines of a fixed number of bytes with no end codes, in five contiguous blocks.
#pragma once

#include <cstdint>

namespace quorin {

struct DumpState;

struct FixedBlock {
  uint32_t address;  // ROM offset of the block's first byte
  int characters_per_line;
  int lines;
};

inline constexpr FixedBlock kIntroBlocks[] = {
    {0x10AF5, 15, 16}, {0x10BE5, 15, 16}, {0x10CD5, 3, 1}, {0x10CD8, 7, 1}, {0x10CDF, 10, 1},
};

// Dumps the five intro blocks in order; a fault in one does not stop the next.
void dump_fixed_blocks(DumpState& dump);
// Dumps one block of `lines` lines of `characters_per_line` bytes (both at least 1).
void dump_fixed_block(DumpState& dump, uint32_t address, int characters_per_line, int lines);

}  // namespace quorin
