// Everything one run works with, in static storage owned by the driver: what the dumps work on,
// the table loader and the buffer table files are read through.
#pragma once

#include <cstddef>
#include <cstdint>

#include "rom/dump_state.h"
#include "table/table_loader.h"

namespace quorin {

// Table files are read in blocks of this size.
inline constexpr size_t kReadBufferSize = size_t{1} << 16;

struct DumpContext : DumpState {
  TableLoader loader;
  uint8_t read_buffer[kReadBufferSize];
};

}  // namespace quorin
