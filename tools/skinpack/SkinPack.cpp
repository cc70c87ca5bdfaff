#include "SkinPack.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "skin/data/LzhTree.h"
#include "skin/data/SkinRead.h"

namespace skinpack {

using skin::LzhTree;
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

// The encoder's half of the adaptive Huffman model: the decoder's own tree, walked upwards.
class HuffmanModel {
 public:
  // Answers the code's length in bits.
  int Encode(int symbol, BitWriter& out) {
    // Collect the path leaf→root, then emit it root first.
    uint8_t path[LzhTree::T];
    int depth = 0;
    for (int k = tree_.prnt[symbol + LzhTree::T]; k != LzhTree::R; k = tree_.prnt[k])
      path[depth++] = k & 1;
    const int length = depth;
    while (depth > 0) out.PutBit(path[--depth]);
    tree_.Update(static_cast<unsigned>(symbol));
    return length;
  }

 private:
  LzhTree tree_;
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
