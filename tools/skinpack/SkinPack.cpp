#include "SkinPack.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "skin/data/SkinRead.h"

namespace skinpack {

using skin::TLZH;

const std::vector<std::string>& DefaultEntryOrder() {
  static const std::vector<std::string> order = {
      "buttons.bmp",         "checkbox.bmp",      "radiobutton.bmp",    "progress.bmp",
      "progresschunk.bmp",   "tab.bmp",           "tabsheet.bmp",       "comboboxbtn.bmp",
      "statusbar.bmp",       "header.bmp",        "scrollbararrow.bmp", "scrollbarhthumb.bmp",
      "scrollbarvthumb.bmp", "scrollbarhbar.bmp", "scrollbarvbar.bmp",  "menubackground.bmp",
      "menuitem.bmp",        "extraimages.bmp",   "trackthumbh.bmp",    "trackbot.bmp",
      "trackbar.bmp",        "trackbarv.bmp",     "mdibutton.bmp",      "spin.bmp",
      "spinarrow.bmp",       "spinh.bmp",         "spinharrow.bmp",     "closebutton.bmp",
      "maxbutton.bmp",       "minbutton.bmp",     "restrorebutton.bmp", "frameleft.bmp",
      "frameright.bmp",      "frametop.bmp",      "framebottom.bmp",    "mincaption.bmp",
  };
  return order;
}

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// MSB-first bit writer. Codes of the adaptive tree can be longer than 16 bits, so codes are
// written a bit at a time from an explicit path rather than from a fixed-width code word.
class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
  void Put(unsigned bits, int count) {
    for (int i = count - 1; i >= 0; --i) PutBit((bits >> i) & 1);
  }
  void PutBit(unsigned bit) {
    acc_ = static_cast<uint8_t>((acc_ << 1) | bit);
    if (++n_ == 8) {
      out_.push_back(acc_);
      acc_ = 0;
      n_ = 0;
    }
  }
  void Flush() {
    if (n_) out_.push_back(static_cast<uint8_t>(acc_ << (8 - n_)));
    acc_ = 0;
    n_ = 0;
  }

 private:
  std::vector<uint8_t>& out_;
  uint8_t acc_ = 0;
  int n_ = 0;
};

// The encoder's half of the adaptive Huffman model; it must evolve exactly as the decoder's does.
class HuffmanModel {
 public:
  static constexpr int T = TLZH::T, R = TLZH::R, N_CHAR = TLZH::N_CHAR;

  HuffmanModel() {
    for (int i = 0; i < N_CHAR; ++i) {
      freq_[i] = 1;
      son_[i] = i + T;
      prnt_[i + T] = i;
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
      freq_[j] = freq_[i] + freq_[i + 1];
      son_[j] = i;
      prnt_[i] = prnt_[i + 1] = j;
    }
    freq_[T] = 0xFFFF;
    prnt_[R] = 0;
  }

  // Answers the code's length in bits.
  int Encode(int symbol, BitWriter& out) {
    // Collect the path leaf→root, then emit it root first.
    uint8_t path[T];
    int depth = 0;
    for (int k = prnt_[symbol + T]; k != R; k = prnt_[k]) path[depth++] = k & 1;
    const int length = depth;
    while (depth > 0) out.PutBit(path[--depth]);
    Update(symbol);
    return length;
  }

 private:
  void Reconstruct() {
    int j = 0;
    for (int i = 0; i < T; ++i) {
      if (son_[i] >= T) {
        freq_[j] = (freq_[i] + 1) / 2;
        son_[j] = son_[i];
        ++j;
      }
    }
    for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
      const unsigned f = freq_[i] + freq_[i + 1];
      freq_[jj] = f;
      int k = jj - 1;
      while (f < freq_[k]) --k;
      ++k;
      std::memmove(&freq_[k + 1], &freq_[k], (jj - k) * sizeof(freq_[0]));
      freq_[k] = f;
      std::memmove(&son_[k + 1], &son_[k], (jj - k) * sizeof(son_[0]));
      son_[k] = i;
    }
    for (int i = 0; i < T; ++i) {
      const int k = son_[i];
      if (k >= T) {
        prnt_[k] = i;
      } else {
        prnt_[k] = prnt_[k + 1] = i;
      }
    }
  }

  void Update(int symbol) {
    if (freq_[R] == TLZH::MAX_FREQ) Reconstruct();
    int c = prnt_[symbol + T];
    do {
      const unsigned k = ++freq_[c];
      int l = c + 1;
      if (k > freq_[l]) {
        while (k > freq_[++l]) {
        }
        --l;
        freq_[c] = freq_[l];
        freq_[l] = k;
        const int i = son_[c];
        prnt_[i] = l;
        if (i < T) prnt_[i + 1] = l;
        const int j = son_[l];
        son_[l] = i;
        prnt_[j] = c;
        if (j < T) prnt_[j + 1] = c;
        son_[c] = j;
        c = l;
      }
      c = prnt_[c];
    } while (c != 0);
  }

  unsigned freq_[T + 1];
  int prnt_[T + N_CHAR];
  int son_[T];
};

// The position code derived from the decoder's tables: for each upper six bits, the first table
// index that decodes to it, and the code length.
struct PositionCode {
  uint8_t index[64];
  uint8_t bits[64];
  PositionCode() {
    const auto& t = skin::PositionTables();
    for (int i = 255; i >= 0; --i) {
      index[t.d_code[i]] = static_cast<uint8_t>(i);
      bits[t.d_code[i]] = t.d_len[i];
    }
  }
};

// Longest-match search over the window with a binary search tree per first byte, the classic
// structure of this scheme's encoders.
class MatchFinder {
 public:
  static constexpr int N = TLZH::N, F = TLZH::F, NIL = N;

  explicit MatchFinder(uint8_t* text) : text_(text) {
    for (int i = N + 1; i <= N + 256; ++i) rson_[i] = NIL;
    for (int i = 0; i < N; ++i) dad_[i] = NIL;
  }

  int matchLength = 0;
  int matchPosition = 0;  // distance - 1

  void Insert(int r) {
    int cmp = 1;
    const uint8_t* key = &text_[r];
    int p = N + 1 + key[0];
    rson_[r] = lson_[r] = NIL;
    matchLength = 0;
    for (;;) {
      if (cmp >= 0) {
        if (rson_[p] != NIL) {
          p = rson_[p];
        } else {
          rson_[p] = r;
          dad_[r] = p;
          return;
        }
      } else {
        if (lson_[p] != NIL) {
          p = lson_[p];
        } else {
          lson_[p] = r;
          dad_[r] = p;
          return;
        }
      }
      int i = 1;
      for (; i < F; ++i)
        if ((cmp = key[i] - text_[p + i]) != 0) break;
      if (i > TLZH::THRESHOLD) {
        const int position = ((r - p) & (N - 1)) - 1;
        if (i > matchLength) {
          matchPosition = position;
          if ((matchLength = i) >= F) break;
        } else if (i == matchLength && position < matchPosition) {
          matchPosition = position;
        }
      }
    }
    // A full-length match: the new node replaces the old one in the tree.
    dad_[r] = dad_[p];
    lson_[r] = lson_[p];
    rson_[r] = rson_[p];
    dad_[lson_[p]] = r;
    dad_[rson_[p]] = r;
    if (rson_[dad_[p]] == p) {
      rson_[dad_[p]] = r;
    } else {
      lson_[dad_[p]] = r;
    }
    dad_[p] = NIL;
  }

  void Delete(int p) {
    if (dad_[p] == NIL) return;
    int q;
    if (rson_[p] == NIL) {
      q = lson_[p];
    } else if (lson_[p] == NIL) {
      q = rson_[p];
    } else {
      q = lson_[p];
      if (rson_[q] != NIL) {
        do {
          q = rson_[q];
        } while (rson_[q] != NIL);
        rson_[dad_[q]] = lson_[q];
        dad_[lson_[q]] = dad_[q];
        lson_[q] = lson_[p];
        dad_[lson_[p]] = q;
      }
      rson_[q] = rson_[p];
      dad_[rson_[p]] = q;
    }
    dad_[q] = dad_[p];
    if (rson_[dad_[p]] == p) {
      rson_[dad_[p]] = q;
    } else {
      lson_[dad_[p]] = q;
    }
    dad_[p] = NIL;
  }

 private:
  uint8_t* text_;
  int lson_[N + 1] = {};
  int rson_[N + 257] = {};
  int dad_[N + 1] = {};
};

struct EncoderState {
  static constexpr int N = TLZH::N, F = TLZH::F;
  // The window, with its first F-1 bytes mirrored past the end so that a string starting near the
  // end can be compared without wrapping.
  uint8_t text[N + F - 1] = {};
  MatchFinder finder{text};
};

}  // namespace

struct LzhBitEncoder::Model {
  explicit Model(std::vector<uint8_t>& out) : bits(out) {}
  BitWriter bits;
  HuffmanModel huffman;
  PositionCode position;
};

LzhBitEncoder::LzhBitEncoder() : model_(std::make_unique<Model>(out_)) {}
LzhBitEncoder::~LzhBitEncoder() = default;

void LzhBitEncoder::Literal(uint8_t byte) {
  longestCode_ = std::max(longestCode_, model_->huffman.Encode(byte, model_->bits));
  ++symbols_;
}

void LzhBitEncoder::Match(int length, int position) {
  if (length <= TLZH::THRESHOLD || length > TLZH::F || position < 0 || position >= TLZH::N)
    throw std::invalid_argument("match out of range");
  longestCode_ =
      std::max(longestCode_, model_->huffman.Encode(255 - TLZH::THRESHOLD + length, model_->bits));
  const int upper = position >> 6;
  const int codeBits = model_->position.bits[upper];
  model_->bits.Put(model_->position.index[upper] >> (8 - codeBits), codeBits);
  model_->bits.Put(position & 0x3F, 6);
  ++symbols_;
  ++matches_;
}

std::vector<uint8_t> LzhBitEncoder::Finish() {
  model_->bits.Flush();
  return std::move(out_);
}

std::vector<uint8_t> LzhEncode(std::span<const uint8_t> data, EncodeStats* stats) {
  constexpr int N = TLZH::N, F = TLZH::F, THRESHOLD = TLZH::THRESHOLD;
  if (data.empty()) return {};
  LzhBitEncoder encoder;
  auto state = std::make_unique<EncoderState>();
  uint8_t* text = state->text;
  MatchFinder& finder = state->finder;

  size_t next = 0;
  auto getc = [&](int& c) {
    if (next >= data.size()) return false;
    c = data[next++];
    return true;
  };

  int s = 0, r = N - F;
  std::memset(text, ' ', r);
  int len = 0, c = 0;
  for (; len < F && getc(c); ++len) text[r + len] = static_cast<uint8_t>(c);
  for (int i = 1; i <= F; ++i) finder.Insert(r - i);
  finder.Insert(r);
  do {
    if (finder.matchLength > len) finder.matchLength = len;
    if (finder.matchLength <= THRESHOLD) {
      finder.matchLength = 1;
      encoder.Literal(text[r]);
    } else {
      encoder.Match(finder.matchLength, finder.matchPosition);
    }
    const int lastMatchLength = finder.matchLength;
    int i = 0;
    for (; i < lastMatchLength && getc(c); ++i) {
      finder.Delete(s);
      text[s] = static_cast<uint8_t>(c);
      if (s < F - 1) text[s + N] = static_cast<uint8_t>(c);
      s = (s + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      finder.Insert(r);
    }
    while (i++ < lastMatchLength) {
      finder.Delete(s);
      s = (s + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      if (--len) finder.Insert(r);
    }
  } while (len > 0);
  if (stats) *stats = {encoder.LongestCode(), encoder.Symbols(), encoder.Matches()};
  return encoder.Finish();
}

std::vector<uint8_t> EncodeSkinStream(std::span<const uint8_t> package) {
  std::vector<uint8_t> out;
  PutU32(out, static_cast<uint32_t>(package.size()));
  const std::vector<uint8_t> packed = LzhEncode(package);
  out.insert(out.end(), packed.begin(), packed.end());
  return out;
}

std::vector<uint8_t> BuildPackage(const std::vector<PackageEntry>& entries, uint32_t version) {
  // Only tests make packages of unknown versions; those get no version block.
  const int block = std::max(skin::VersionBlockSize(version), 0);
  std::string names;
  for (const PackageEntry& e : entries) {
    if (e.name.find_first_of("\r\n") != std::string::npos)
      throw std::invalid_argument("entry name with a line break: " + e.name);
    names += e.name;
    names += "\r\n";
  }
  std::vector<uint8_t> out;
  PutU32(out, version);
  PutU32(out, static_cast<uint32_t>(names.size()));
  out.resize(out.size() + 8 + block, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const PackageEntry& e : entries) PutU32(out, static_cast<uint32_t>(e.bytes.size()));
  for (const PackageEntry& e : entries) out.insert(out.end(), e.bytes.begin(), e.bytes.end());
  return out;
}

}  // namespace skinpack
