// Replacement of the global operator new and delete for this test binary (one per area, so only
// these tests are affected). Memory comes from malloc, so AddressSanitizer still checks every
// block; outside a scope nothing is counted.
#include "AllocationLimit.h"

#include <cstdlib>
#include <new>

namespace alloclimit {
namespace {

struct State {
  bool active = false;
  size_t limit = 0;
  Usage usage;
};
State state;

void* Allocate(size_t size) {
  if (state.active) {
    ++state.usage.requests;
    if (size > state.usage.largest) state.usage.largest = size;
    if (size > state.limit - state.usage.bytes) {
      state.usage.refused = true;
      return nullptr;
    }
    state.usage.bytes += size;
  }
  return std::malloc(size ? size : 1);
}

}  // namespace

Scope::Scope(size_t limitBytes) { state = State{true, limitBytes, {}}; }
Scope::~Scope() { state.active = false; }
Usage Scope::usage() const { return state.usage; }

}  // namespace alloclimit

void* operator new(size_t size) {
  if (void* p = alloclimit::Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  return alloclimit::Allocate(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  return alloclimit::Allocate(size);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
