#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "SkinPack.h"
#include "StreamTestSupport.h"
#include "skin/data/SkinRead.h"

using skin::LzhStatus;
using skin::TLZH;
using streamtest::Bytes;

namespace {

std::vector<uint8_t> Decoded(std::span<const uint8_t> packed, uint32_t size) {
  skin::LzhResult r = TLZH::Decode(packed, size);
  EXPECT_EQ(r.status, LzhStatus::kOk);
  return r.bytes;
}

std::vector<uint8_t> RoundTrip(std::span<const uint8_t> data,
                               skinpack::EncodeStats* stats = nullptr) {
  const std::vector<uint8_t> packed = skinpack::LzhEncode(data, stats);
  return Decoded(packed, static_cast<uint32_t>(data.size()));
}

std::vector<uint8_t> TextLike(size_t size, unsigned seed) {
  static const char* words[] = {"skin ",      "frame ",        "button ", "caption ",
                                "window ",    "the ",          "of ",     "border ",
                                "colour\r\n", "[Section]\r\n", "Image=",  "5 "};
  std::mt19937 rng(seed);
  std::vector<uint8_t> out;
  while (out.size() < size) {
    const char* w = words[rng() % std::size(words)];
    out.insert(out.end(), w, w + std::strlen(w));
  }
  out.resize(size);
  return out;
}

}  // namespace

// Streams made by independent compressors of the same scheme, with the digests of their output.
TEST(LzhDecoder, ReproducesTheReferenceStreams) {
  const std::string dir = std::string(TARVIMO_TESTDATA_DIR) + "/lh1/";
  std::ifstream sums(dir + "SHA256SUMS.decoded");
  ASSERT_TRUE(sums) << "missing " << dir;
  std::string name, digest;
  uint32_t size;
  int streams = 0;
  while (sums >> name >> size >> digest) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> stream = streamtest::ReadFile(dir + name);
    skin::LzhResult r = TLZH::DecodeStream(stream);
    ASSERT_EQ(r.status, LzhStatus::kOk);
    ASSERT_EQ(r.bytes.size(), size);
    EXPECT_EQ(streamtest::Sha256Hex(r.bytes), digest);
    ++streams;
  }
  EXPECT_EQ(streams, 7);
}

TEST(LzhDecoder, HandMadeStreams) {
  {  // A match that overlaps the bytes it is producing repeats them.
    skinpack::LzhBitEncoder e;
    e.Literal('A');
    e.Literal('B');
    e.Match(10, 1);  // distance 2
    EXPECT_EQ(Decoded(e.Finish(), 12), Bytes("ABABABABABAB"));
  }
  {  // The window starts as spaces...
    skinpack::LzhBitEncoder e;
    e.Match(5, 0);
    EXPECT_EQ(Decoded(e.Finish(), 5), Bytes("     "));
  }
  {  // ...except its last 60 positions, which start as zeros.
    skinpack::LzhBitEncoder e;
    e.Match(3, 4094);
    EXPECT_EQ(Decoded(e.Finish(), 3), std::vector<uint8_t>(3, 0));
  }
  {  // The farthest distance, 4096, reaches the oldest byte of the window.
    skinpack::LzhBitEncoder e;
    std::vector<uint8_t> expected;
    for (int i = 0; i < 4096; ++i) {
      const uint8_t b = static_cast<uint8_t>(i * 7 + i / 256);
      e.Literal(b);
      expected.push_back(b);
    }
    e.Match(3, 4095);
    for (int k = 0; k < 3; ++k) expected.push_back(expected[expected.size() - 4096]);
    EXPECT_EQ(Decoded(e.Finish(), 4099), expected);
  }
  {  // A match running past the announced size is cut at it.
    skinpack::LzhBitEncoder e;
    e.Literal('x');
    e.Match(60, 0);
    const std::vector<uint8_t> packed = e.Finish();
    EXPECT_EQ(Decoded(packed, 10), std::vector<uint8_t>(10, 'x'));
  }
}

TEST(LzhDecoder, RoundTripsThroughTheEncoder) {
  EXPECT_TRUE(RoundTrip({}).empty());
  const std::vector<uint8_t> one = {42};
  EXPECT_EQ(RoundTrip(one), one);

  std::vector<uint8_t> literals(256);
  for (int i = 0; i < 256; ++i) literals[i] = static_cast<uint8_t>(i);
  skinpack::EncodeStats stats;
  EXPECT_EQ(RoundTrip(literals, &stats), literals);
  EXPECT_EQ(stats.matches, 0u);

  const std::vector<uint8_t> zeros(200000, 0);  // nearly all longest matches
  EXPECT_EQ(RoundTrip(zeros, &stats), zeros);
  EXPECT_LT(stats.symbols, 200000u / 50);

  std::mt19937 rng(7);
  std::vector<uint8_t> noise(100000);
  for (auto& b : noise) b = static_cast<uint8_t>(rng());
  EXPECT_EQ(RoundTrip(noise), noise);
}

// More than 0x8000 symbols force the tree to be rebuilt several times; bytes never seen before,
// arriving once a skewed tree has matured, get codes longer than 16 bits. Encoder and decoder must
// stay in step through both.
TEST(LzhDecoder, SurvivesTreeRebuildsAndLongCodes) {
  std::mt19937 rng(3);
  std::vector<uint8_t> letters(200000);
  for (auto& b : letters) b = static_cast<uint8_t>('a' + rng() % 26);
  skinpack::EncodeStats stats;
  EXPECT_EQ(RoundTrip(letters, &stats), letters);
  EXPECT_GT(stats.symbols, 3u * 0x8000);

  // Literal counts growing like Fibonacci numbers from 233 give the deepest tree the frequency
  // cap allows; the 200-odd bytes not yet seen then sit 18 levels down.
  skinpack::LzhBitEncoder e;
  std::vector<uint8_t> expected;
  long count = 233, next = 376;
  int symbol = 0;
  for (long total = 0; total + count < 32000 - 314; total += count, ++symbol) {
    for (long i = 0; i < count; ++i) expected.push_back(static_cast<uint8_t>(symbol));
    const long sum = count + next;
    count = next;
    next = sum;
  }
  std::shuffle(expected.begin(), expected.end(), std::mt19937(1));
  for (int v = symbol; v < 256; ++v) expected.push_back(static_cast<uint8_t>(v));
  for (uint8_t b : expected) e.Literal(b);
  EXPECT_GT(e.LongestCode(), 16);
  EXPECT_EQ(Decoded(e.Finish(), static_cast<uint32_t>(expected.size())), expected);
}

TEST(LzhDecoder, DetectsTruncationButAcceptsTheFinalRefill) {
  const std::vector<uint8_t> text = TextLike(20000, 2);
  const std::vector<uint8_t> packed = skinpack::LzhEncode(text);
  EXPECT_EQ(TLZH::Decode(packed, 20000).bytes, text);
  for (size_t cut : {size_t{1}, size_t{2}, size_t{10}, packed.size() / 2, packed.size()}) {
    std::span<const uint8_t> shorter(packed.data(), packed.size() - cut);
    skin::LzhResult r = TLZH::Decode(shorter, 20000);
    EXPECT_EQ(r.status, LzhStatus::kTruncated) << "cut " << cut;
    EXPECT_TRUE(r.bytes.empty());
  }
  // Trailing bytes after the stream are harmless.
  std::vector<uint8_t> longer = packed;
  longer.insert(longer.end(), 5, 0xFF);
  EXPECT_EQ(TLZH::Decode(longer, 20000).bytes, text);
}

TEST(LzhDecoder, RefusesImplausibleSizesBeforeDecoding) {
  const std::vector<uint8_t> packed = skinpack::LzhEncode(Bytes("abc"));
  EXPECT_EQ(TLZH::Decode(packed, TLZH::kDefaultMaxSize + 1).status, LzhStatus::kTooLarge);
  EXPECT_EQ(TLZH::Decode(packed, 0xFFFFFFFFu).status, LzhStatus::kTooLarge);
  EXPECT_EQ(TLZH::Decode(packed, 100, 99).status, LzhStatus::kTooLarge);
  // A large size backed by a tiny stream fails fast as truncated, not after megabytes of zeros.
  EXPECT_EQ(TLZH::Decode(packed, 50u << 20).status, LzhStatus::kTruncated);
  EXPECT_EQ(TLZH::DecodeStream(Bytes("\x01\x00")).status, LzhStatus::kTruncated);
}

TEST(LzhDecoder, BlockCallbacksGiveTheSameBytes) {
  const std::vector<uint8_t> text = TextLike(30000, 4);
  const std::vector<uint8_t> packed = skinpack::LzhEncode(text);
  size_t readPos = 0;
  std::vector<uint8_t> written;
  // The program's read callback moves min(requested, left) bytes; ask for one at a time here to
  // show the decoder does not depend on block sizes.
  const auto status = TLZH::Unpack(
      static_cast<uint32_t>(text.size()),
      [&](uint8_t* buf, size_t) -> size_t {
        if (readPos >= packed.size()) return 0;
        *buf = packed[readPos++];
        return 1;
      },
      [&](const uint8_t* buf, size_t n) -> size_t {
        written.insert(written.end(), buf, buf + n);
        return n;
      });
  EXPECT_EQ(status, LzhStatus::kOk);
  EXPECT_EQ(written, text);
}
