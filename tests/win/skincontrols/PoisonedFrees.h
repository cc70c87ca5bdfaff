// Freed memory scribbled over and kept while a test asks for it: a skinner used after it was
// freed then reads nonsense pointers (0x01010101) instead of stale but intact ones, and whatever
// it writes into itself shows in FreedBlocksUntouched.
#pragma once

namespace poison {

void SetPoisonFrees(bool on);
// Whether every block freed since poisoning began still holds nothing but the poison (a write
// into a freed object changes it).
bool FreedBlocksUntouched();

struct PoisonFreesScope {
  PoisonFreesScope() { SetPoisonFrees(true); }
  ~PoisonFreesScope() { SetPoisonFrees(false); }
  PoisonFreesScope(const PoisonFreesScope&) = delete;
  PoisonFreesScope& operator=(const PoisonFreesScope&) = delete;
};

}  // namespace poison
