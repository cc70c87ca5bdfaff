#include "StreamTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace streamtest {

namespace {
constexpr uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

uint32_t Rotr(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

void Block(uint32_t h[8], const uint8_t* p) {
  uint32_t w[64];
  for (int i = 0; i < 16; ++i)
    w[i] = uint32_t{p[4 * i]} << 24 | uint32_t{p[4 * i + 1]} << 16 | uint32_t{p[4 * i + 2]} << 8 |
           p[4 * i + 3];
  for (int i = 16; i < 64; ++i) {
    const uint32_t s0 = Rotr(w[i - 15], 7) ^ Rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const uint32_t s1 = Rotr(w[i - 2], 17) ^ Rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], k = h[7];
  for (int i = 0; i < 64; ++i) {
    const uint32_t t1 =
        k + (Rotr(e, 6) ^ Rotr(e, 11) ^ Rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRound[i] + w[i];
    const uint32_t t2 = (Rotr(a, 2) ^ Rotr(a, 13) ^ Rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
    k = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e, h[5] += f, h[6] += g, h[7] += k;
}
}  // namespace

std::string Sha256Hex(std::span<const uint8_t> data) {
  uint32_t h[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                   0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  size_t i = 0;
  for (; i + 64 <= data.size(); i += 64) Block(h, data.data() + i);
  uint8_t tail[128] = {};
  const size_t rest = data.size() - i;
  std::copy(data.begin() + static_cast<ptrdiff_t>(i), data.end(), tail);
  tail[rest] = 0x80;
  const size_t tailSize = rest + 9 <= 64 ? 64 : 128;
  const uint64_t bits = static_cast<uint64_t>(data.size()) * 8;
  for (int b = 0; b < 8; ++b) tail[tailSize - 1 - b] = static_cast<uint8_t>(bits >> (8 * b));
  for (size_t t = 0; t < tailSize; t += 64) Block(h, tail + t);
  std::string hex;
  char buf[9];
  for (uint32_t v : h) {
    std::snprintf(buf, sizeof buf, "%08x", v);
    hex += buf;
  }
  return hex;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

skin::PixelBuffer DecodeTestBmp(std::span<const uint8_t> bmp) {
  auto u32 = [&](size_t o) {
    return uint32_t{bmp[o]} | uint32_t{bmp[o + 1]} << 8 | uint32_t{bmp[o + 2]} << 16 |
           uint32_t{bmp[o + 3]} << 24;
  };
  if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') return {};
  const int w = static_cast<int>(u32(18)), h = static_cast<int>(u32(22));
  const int bpp = bmp[28];
  const uint32_t offset = u32(10);
  if ((bpp != 24 && bpp != 32) || w <= 0 || h <= 0) return {};
  skin::PixelBuffer image(w, h, bpp);
  if (offset + image.stride() * h > bmp.size()) return {};
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = bmp.data() + offset + image.stride() * (h - 1 - y);
    std::copy(row, row + image.stride(), image.Row(y));
  }
  return image;
}

std::vector<uint8_t> Bytes(std::string_view text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace streamtest
