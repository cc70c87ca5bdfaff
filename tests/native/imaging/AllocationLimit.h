// Counts what this test binary asks of operator new, so a test can show how much memory a piece of
// code requests for a given input. Inside a scope, a request that would take the scope's total
// past its limit is refused with std::bad_alloc instead of made: a fault that would allocate a
// gigabyte fails its test without touching the memory.
#pragma once

#include <cstddef>

namespace alloclimit {

struct Usage {
  size_t requests = 0;
  size_t bytes = 0;    // every request of the scope added up (frees are not subtracted)
  size_t largest = 0;  // the largest request, refused or not
  bool refused = false;
};

class Scope {
 public:
  explicit Scope(size_t limitBytes);
  ~Scope();
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;

  Usage usage() const;
};

}  // namespace alloclimit
