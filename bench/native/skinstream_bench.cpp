// Skin-stream decoding throughput: the program's decoder against a straightforward rendering of
// the same algorithm (one input byte per read callback, one bit per call, one output byte per write
// callback), side by side in one run; and the definition reader's parse + catalogue time.
//   skinstream_bench [SKIN_STREAM...]   extra skin streams (e.g. the default skin) to decode too
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchLine.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"
#if __has_include("TestSkin.h")
#include "SkinPack.h"
#include "TestSkin.h"
#define HAVE_ENCODER 1
#endif

namespace {

using Clock = std::chrono::steady_clock;

// The decoder as the algorithm is usually written: every bit through a call, every byte through a
// callback.
class ReferenceDecoder {
 public:
  using Read = std::function<size_t(uint8_t*, size_t)>;
  using Write = std::function<size_t(const uint8_t*, size_t)>;

  void Unpack(uint32_t size, const Read& read, const Write& write) {
    read_ = &read;
    StartHuff();
    for (int i = 0; i < N - F; ++i) text_[i] = ' ';
    for (int i = N - F; i < N; ++i) text_[i] = 0;
    int r = N - F;
    uint32_t count = 0;
    while (count < size) {
      const int c = DecodeChar();
      if (c < 256) {
        uint8_t b = static_cast<uint8_t>(c);
        write(&b, 1);
        text_[r++] = b;
        r &= N - 1;
        ++count;
      } else {
        const int i = (r - DecodePosition() - 1) & (N - 1);
        const int j = c - 255 + THRESHOLD;
        for (int k = 0; k < j; ++k) {
          uint8_t b = text_[(i + k) & (N - 1)];
          write(&b, 1);
          text_[r++] = b;
          r &= N - 1;
          ++count;
        }
      }
    }
  }

 private:
  static constexpr int N = 4096, F = 60, THRESHOLD = 2, N_CHAR = 314, T = 627, R = 626;

  int GetBit() {
    while (len_ <= 8) {
      uint8_t b = 0;
      (*read_)(&b, 1);
      buf_ |= static_cast<unsigned>(b) << (8 - len_);
      len_ += 8;
    }
    const int bit = (buf_ >> 15) & 1;
    buf_ = (buf_ << 1) & 0xFFFF;
    --len_;
    return bit;
  }
  int GetByte() {
    while (len_ <= 8) {
      uint8_t b = 0;
      (*read_)(&b, 1);
      buf_ |= static_cast<unsigned>(b) << (8 - len_);
      len_ += 8;
    }
    const int byte = (buf_ >> 8) & 0xFF;
    buf_ = (buf_ << 8) & 0xFFFF;
    len_ -= 8;
    return byte;
  }
  int DecodeChar() {
    int c = son_[R];
    while (c < T) c = son_[c + GetBit()];
    c -= T;
    Update(c);
    return c;
  }
  int DecodePosition() {
    const auto& t = skin::PositionTables();
    int i = GetByte();
    const int c = t.d_code[i] << 6;
    for (int j = t.d_len[i] - 2; j > 0; --j) i = (i << 1) + GetBit();
    return c | (i & 0x3F);
  }
  void StartHuff() {
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
    buf_ = 0;
    len_ = 0;
  }
  void Reconstruct() {
    int j = 0;
    for (int i = 0; i < T; ++i)
      if (son_[i] >= T) {
        freq_[j] = (freq_[i] + 1) / 2;
        son_[j] = son_[i];
        ++j;
      }
    for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
      const unsigned f = freq_[jj] = freq_[i] + freq_[i + 1];
      int k = jj - 1;
      while (f < freq_[k]) --k;
      ++k;
      for (int m = jj; m > k; --m) {
        freq_[m] = freq_[m - 1];
        son_[m] = son_[m - 1];
      }
      freq_[k] = f;
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
  void Update(int c) {
    if (freq_[R] == 0x8000) Reconstruct();
    c = prnt_[c + T];
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
    } while ((c = prnt_[c]) != 0);
  }

  const Read* read_ = nullptr;
  unsigned buf_ = 0;
  int len_ = 0;
  unsigned freq_[T + 1];
  int prnt_[T + N_CHAR];
  int son_[T];
  uint8_t text_[N + F - 1];
};

std::vector<uint8_t> ReferenceDecode(const std::vector<uint8_t>& stream) {
  const uint32_t size = stream[0] | stream[1] << 8 | stream[2] << 16 | uint32_t{stream[3]} << 24;
  size_t pos = 4;
  std::vector<uint8_t> out;
  auto decoder = std::make_unique<ReferenceDecoder>();
  decoder->Unpack(
      size,
      [&](uint8_t* b, size_t n) -> size_t {
        const size_t m = std::min(n, stream.size() - pos);
        std::memcpy(b, stream.data() + pos, m);
        pos += m;
        return m;
      },
      [&](const uint8_t* b, size_t n) -> size_t {
        out.insert(out.end(), b, b + n);
        return n;
      });
  return out;
}

// Best time of `runs` calls, in seconds.
template <typename F>
double Best(int runs, F&& f) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return best;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct Sample {
  std::string name;
  std::vector<uint8_t> stream;
};

void Compare(const Sample& s) {
  const skin::LzhResult fast = skin::TLZH::DecodeStream(s.stream);
  const std::vector<uint8_t> reference = ReferenceDecode(s.stream);
  const bool same = fast.status == skin::LzhStatus::kOk && fast.bytes == reference;
  const int runs = reference.size() > (4u << 20) ? 3 : 7;
  const double tFast = Best(runs, [&] { (void)skin::TLZH::DecodeStream(s.stream); });
  const double tRef = Best(runs, [&] { (void)ReferenceDecode(s.stream); });
  const double mb = reference.size() / 1e6;
  std::printf(
      "%-24s %9zu -> %9zu bytes  fast %8.3f ms (%6.1f MB/s)  reference %8.3f ms (%6.1f MB/s)"
      "  %.2fx  %s\n",
      s.name.c_str(), s.stream.size(), reference.size(), tFast * 1e3, mb / tFast, tRef * 1e3,
      mb / tRef, tRef / tFast, same ? "identical" : "OUTPUT DIFFERS");
  BenchLine("skinstream", "decode " + s.name + (same ? "" : " (OUTPUT DIFFERS)"), tFast * 1e3, "ms",
            "reference decoder", tRef * 1e3);
}

void IniBench(const std::string& name, const std::string& text) {
  skin::SkinDefinition d;
  const int iterations = 200;
  const double t = Best(5, [&] {
    for (int i = 0; i < iterations; ++i) {
      skin::TQuickIni ini;
      ini.LoadFromText(text);
      d = skin::ReadSkinDefinition(ini);
    }
  });
  std::printf("%-24s %6zu bytes of ini: parse + catalogue %7.1f us (%zu sections, %zu buttons)\n",
              name.c_str(), text.size(), t / iterations * 1e6, d.Sections.size(),
              d.CaptionButtons.size());
  const double parse = Best(5, [&] {
    for (int i = 0; i < iterations; ++i) {
      skin::TQuickIni ini;
      ini.LoadFromText(text);
    }
  });
  BenchLine("skinstream", name + ": parse + catalogue", t / iterations * 1e6, "us", "parse only",
            parse / iterations * 1e6);
}

// The repository, found from this file's path (benchmarks get no configured paths).
std::string SourceDir() {
  const std::string file = __FILE__;
  const size_t at = file.rfind("/bench/");
  return at == std::string::npos ? "." : file.substr(0, at);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Sample> samples;
  for (int i = 1; i < argc; ++i)
    samples.push_back({std::filesystem::path(argv[i]).filename().string(), ReadFile(argv[i])});
  samples.push_back({"lharc long text",
                     ReadFile(SourceDir() + "/tests/data/lh1/lharc113-long-text.lzs")});
#ifdef HAVE_ENCODER
  const testskin::TestSkin testSkin;
  samples.push_back({"test skin", testSkin.Stream()});
  std::mt19937 rng(11);
  std::vector<uint8_t> text, bitmap, artwork;
  static const char* words[] = {"skin ", "frame ",  "caption ",   "button ", "window ",
                                "the ",  "colour ", "border\r\n", "Image=",  "[Section]\r\n"};
  while (text.size() < (3u << 20)) {
    const char* w = words[rng() % std::size(words)];
    text.insert(text.end(), w, w + std::strlen(w));
  }
  // Gradients with per-pixel noise: close to the worst case, where decoding is all tree updates.
  for (int y = 0; bitmap.size() < (3u << 20); ++y)
    for (int x = 0; x < 1024; ++x)
      for (int c = 0; c < 3; ++c)
        bitmap.push_back(static_cast<uint8_t>((x * (c + 1) + y * 2) / 8 + (rng() % 3 == 0)));
  // Skin-like artwork: flat fills, vertical gradients and rounded-corner edges in 24-bit rows.
  for (int y = 0; artwork.size() < (3u << 20); ++y)
    for (int x = 0; x < 640; ++x) {
      const int cell = (x / 40 + y / 24) % 4;
      const int shade = cell == 0 ? 227 : cell == 1 ? 200 + (y % 24) * 2 : cell == 2 ? 255 : 120;
      const bool edge = (x % 40 == 0 || y % 24 == 0) && rng() % 2;
      artwork.push_back(static_cast<uint8_t>(edge ? 90 : shade));
      artwork.push_back(static_cast<uint8_t>(edge ? 110 : shade - 10));
      artwork.push_back(static_cast<uint8_t>(edge ? 140 : std::min(255, shade + 20)));
    }
  samples.push_back({"text-like 3 MiB", skinpack::EncodeSkinStream(text)});
  samples.push_back({"noisy bitmap 3 MiB", skinpack::EncodeSkinStream(bitmap)});
  samples.push_back({"skin-like artwork 3 MiB", skinpack::EncodeSkinStream(artwork)});
#endif
  for (const Sample& s : samples)
    if (s.stream.size() >= 4) Compare(s);

#ifdef HAVE_ENCODER
  IniBench("test skin definition", testSkin.IniText());
#endif
  const std::vector<uint8_t> def = ReadFile(SourceDir() + "/skins/default/skin.ini");
  if (!def.empty()) IniBench("default skin definition", std::string(def.begin(), def.end()));
  return 0;
}
