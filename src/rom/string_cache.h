// The strings the pointer dump has decoded in the current bank, kept as the script bytes they
// gave, so that a pointer that comes back replays them instead of decoding them again. What a
// string gives depends only on the window bytes, where it starts and the character table, and none
// of these changes within a bank.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorin {

inline constexpr size_t kCachedStrings = 4;
inline constexpr size_t kCachedStringSize = size_t{1} << 18;
// Shorter strings decode about as fast as they are looked up and copied, so they are not kept
// and leave the entries to the long strings, where replaying pays.
inline constexpr size_t kCachedStringMin = 1024;

struct CachedString {
  int32_t start;  // the window index the string was decoded from
  int32_t end;    // the cursor just past its end code and argument bytes
  size_t size;    // script bytes kept; 0 for an unused entry
  uint8_t bytes[kCachedStringSize];
};

struct StringCache {
  CachedString entries[kCachedStrings];
  size_t next;  // the entry to be replaced next
};

// Forgets every string: for a new window or table.
void cache_clear(StringCache& cache);
// The kept string that was decoded from window index start, or nullptr.
const CachedString* cache_find(const StringCache& cache, int32_t start);
// Keeps the n script bytes that the string at start gave and the cursor it ended at, in place of
// the entry kept longest; n below kCachedStringMin or above kCachedStringSize keeps nothing.
void cache_store(StringCache& cache, int32_t start, int32_t end, const uint8_t* bytes, size_t n);

}  // namespace quorin
