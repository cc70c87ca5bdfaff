// The adaptive Huffman model of the skin stream's LZH scheme, shared by the decoder and by the
// encoder of the skin tools: both sides must evolve it identically, symbol by symbol.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "skin/data/SkinRead.h"

namespace skin {

class LzhTree {
 public:
  static constexpr int T = TLZH::T;
  static constexpr int R = TLZH::R;
  static constexpr int N_CHAR = TLZH::N_CHAR;

  LzhTree() { Start(); }

  // Node layout: son[n] is the left child of inner node n (the right one is son[n] + 1), or
  // leaf + T for a leaf; prnt[] maps nodes and leaves (at T + symbol) to their parents.
  unsigned freq[T + 1];
  uint16_t prnt[T + N_CHAR];
  uint16_t son[T];

  // Counts one more use of `symbol` and keeps the tree ordered by frequency.
  void Update(unsigned symbol) {
    if (freq[R] == TLZH::MAX_FREQ) Reconstruct();
    unsigned c = prnt[symbol + T];
    do {
      const unsigned k = ++freq[c];
      if (k > freq[c + 1]) {
        const unsigned l = LastBelow(c + 1, k);
        freq[c] = freq[l];
        freq[l] = k;
        const unsigned i = son[c];
        prnt[i] = static_cast<uint16_t>(l);
        if (i < static_cast<unsigned>(T)) prnt[i + 1] = static_cast<uint16_t>(l);
        const unsigned j = son[l];
        son[l] = static_cast<uint16_t>(i);
        prnt[j] = static_cast<uint16_t>(c);
        if (j < static_cast<unsigned>(T)) prnt[j + 1] = static_cast<uint16_t>(c);
        son[c] = static_cast<uint16_t>(j);
        c = l;
      }
      c = prnt[c];
    } while (c != 0);
  }

 private:
  void Start() {
    for (int i = 0; i < N_CHAR; ++i) {
      freq[i] = 1;
      son[i] = static_cast<uint16_t>(i + T);
      prnt[i + T] = static_cast<uint16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
      freq[j] = freq[i] + freq[i + 1];
      son[j] = static_cast<uint16_t>(i);
      prnt[i] = prnt[i + 1] = static_cast<uint16_t>(j);
    }
    freq[T] = 0xFFFF;
    prnt[R] = 0;
  }

  // Halves the frequencies and rebuilds the tree, so that old statistics fade and no count
  // overflows.
  void Reconstruct() {
    int j = 0;
    for (int i = 0; i < T; ++i) {
      if (son[i] >= T) {
        freq[j] = (freq[i] + 1) / 2;
        son[j] = son[i];
        ++j;
      }
    }
    for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
      const unsigned f = freq[i] + freq[i + 1];
      freq[jj] = f;
      int k = jj - 1;
      while (f < freq[k]) --k;
      ++k;
      std::memmove(&freq[k + 1], &freq[k], (jj - k) * sizeof(freq[0]));
      freq[k] = f;
      std::memmove(&son[k + 1], &son[k], (jj - k) * sizeof(son[0]));
      son[k] = static_cast<uint16_t>(i);
    }
    for (int i = 0; i < T; ++i) {
      const unsigned k = son[i];
      if (k >= static_cast<unsigned>(T)) {
        prnt[k] = static_cast<uint16_t>(i);
      } else {
        prnt[k] = prnt[k + 1] = static_cast<uint16_t>(i);
      }
    }
  }

  // The last node from `from` on whose frequency is below k. Frequencies are kept in ascending
  // order and freq[T] is a sentinel above them all; runs of equal counts can be long, so gallop
  // and then halve instead of stepping.
  unsigned LastBelow(unsigned from, unsigned k) const {
    unsigned lo = from, step = 1, hi = from + 1;
    while (freq[hi] < k) {
      lo = hi;
      step <<= 1;
      hi = std::min<unsigned>(lo + step, T);
    }
    while (hi - lo > 1) {
      const unsigned mid = (lo + hi) / 2;
      if (freq[mid] < k) {
        lo = mid;
      } else {
        hi = mid;
      }
    }
    return lo;
  }
};

}  // namespace skin
