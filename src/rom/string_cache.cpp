#include "rom/string_cache.h"

#include <cstring>

namespace quorin {

void cache_clear(StringCache& cache) {
  for (CachedString& entry : cache.entries)
    entry.size = 0;
  cache.next = 0;
}

const CachedString* cache_find(const StringCache& cache, int32_t start) {
  for (const CachedString& entry : cache.entries) {
    if (entry.size != 0 && entry.start == start) return &entry;
  }
  return nullptr;
}

void cache_store(StringCache& cache, int32_t start, int32_t end, const uint8_t* bytes, size_t n) {
  if (n < kCachedStringMin || n > kCachedStringSize) return;
  CachedString& entry = cache.entries[cache.next];
  cache.next = (cache.next + 1) % kCachedStrings;
  entry.start = start;
  entry.end = end;
  entry.size = n;
  std::memcpy(entry.bytes, bytes, n);
}

}  // namespace quorin
