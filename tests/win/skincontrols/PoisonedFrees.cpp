// The binary's own operator delete: the C runtime's free, after filling the block with 0xFE while
// poisoning is on. Blocks come from malloc (the runtime's operator new), whose size _msize knows.
#include "PoisonedFrees.h"

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {
bool g_poison = false;
// Pointers read from a freed object point nowhere (0x01010101) and its flags read true, so a
// use goes on to the pointers rather than stopping at a flag that happens to read false.
constexpr int kPoison = 0x01;
// Blocks freed while poisoning is on stay allocated (and scribbled over) until it ends, so that
// the heap's own bookkeeping or a new object never puts sensible values back into them.
void* g_kept[4096];
size_t g_keptCount = 0;

void Release(void* p) noexcept {
  if (!p) return;
  if (g_poison) {
    std::memset(p, kPoison, _msize(p));
    if (g_keptCount < sizeof g_kept / sizeof g_kept[0]) {
      g_kept[g_keptCount++] = p;
      return;
    }
  }
  std::free(p);
}
}  // namespace

namespace poison {
bool FreedBlocksUntouched() {
  for (size_t i = 0; i < g_keptCount; ++i) {
    const auto* bytes = static_cast<const unsigned char*>(g_kept[i]);
    const size_t size = _msize(g_kept[i]);
    for (size_t b = 0; b < size; ++b)
      if (bytes[b] != kPoison) return false;
  }
  return true;
}

void SetPoisonFrees(bool on) {
  g_poison = on;
  if (on) return;
  for (size_t i = 0; i < g_keptCount; ++i) std::free(g_kept[i]);
  g_keptCount = 0;
}
}  // namespace poison

void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
