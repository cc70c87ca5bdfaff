#include "skin/data/SkinRead.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "skin/data/LzhTree.h"
#include "ui/Text.h"

namespace skin {

size_t TMemoryStream::Read(void* buffer, size_t count) {
  const size_t n = std::min(count, bytes_.size() - position_);
  if (n) std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

namespace {

// The position code as counts per code length: 32 values of 0 with 3 bits, 16 each of 1..3 with 4
// bits, and so on. Expanding the counts keeps the tables reviewable against their definition.
LzhPositionTables BuildPositionTables() {
  struct Run {
    int codes, perCode, bits;
  };
  // codes with the same length, table entries per code, code length in bits
  const Run runs[] = {{1, 32, 3}, {3, 16, 4}, {8, 8, 5}, {12, 4, 6}, {24, 2, 7}, {16, 1, 8}};
  LzhPositionTables t{};
  int index = 0, code = 0;
  for (const Run& run : runs) {
    for (int c = 0; c < run.codes; ++c, ++code) {
      for (int k = 0; k < run.perCode; ++k, ++index) {
        t.d_code[index] = static_cast<uint8_t>(code);
        t.d_len[index] = static_cast<uint8_t>(run.bits);
      }
    }
  }
  return t;
}

// One decode: the adaptive tree, the window and a 64-bit MSB-first bit buffer fed straight from
// the input bytes. Bits past the end of the input read as 0, as the format allows for the final
// refill, but they are counted so that a stream that really needs them is known to be truncated.
class Decoder {
 public:
  explicit Decoder(std::span<const uint8_t> in)
      : in_(in.data()), end_(in.data() + in.size()), total_(in.size()) {
    std::memset(text_, ' ', TLZH::N - TLZH::F);
    std::memset(text_ + TLZH::N - TLZH::F, 0, TLZH::F);
  }

  // Fills `out` completely; false if the input ran out first.
  bool Run(uint8_t* out, size_t size) {
    constexpr unsigned kMask = TLZH::N - 1;
    unsigned r = TLZH::N - TLZH::F;
    size_t count = 0;
    while (count < size) {
      const unsigned c = DecodeChar();
      if (c < 256) {
        out[count++] = static_cast<uint8_t>(c);
        text_[r] = static_cast<uint8_t>(c);
        r = (r + 1) & kMask;
      } else {
        unsigned i = (r - DecodePosition() - 1) & kMask;
        // A match that would run past the announced size is cut there: the output never holds
        // more than was announced.
        const size_t length = std::min<size_t>(c - 255 + TLZH::THRESHOLD, size - count);
        for (size_t k = 0; k < length; ++k) {
          const uint8_t b = text_[i];
          out[count++] = b;
          text_[r] = b;
          r = (r + 1) & kMask;
          i = (i + 1) & kMask;
        }
      }
      // More than a bit buffer's worth of invented zero bytes means some were consumed.
      if (padding_ > 8) return false;
    }
    return ConsumedBits() <= total_ * 8;
  }

 private:
  static constexpr int T = TLZH::T;
  static constexpr int R = TLZH::R;

  uint64_t ConsumedBits() const { return (fetched_ + padding_) * 8 - count_; }

  void Refill() {
    while (count_ <= 56) {
      uint64_t byte = 0;
      if (in_ < end_) {
        byte = *in_++;
        ++fetched_;
      } else {
        ++padding_;
      }
      buf_ |= byte << (56 - count_);
      count_ += 8;
    }
  }

  unsigned GetBits(int n) {
    if (count_ < n) Refill();
    const unsigned v = static_cast<unsigned>(buf_ >> (64 - n));
    buf_ <<= n;
    count_ -= n;
    return v;
  }

  unsigned DecodeChar() {
    unsigned n = tree_.son[R];
    // Codes of the adaptive tree may be longer than any fixed peek width: walk bit by bit, on
    // local copies of the bit buffer so that they stay in registers.
    uint64_t buf = buf_;
    int count = count_;
    while (n < static_cast<unsigned>(T)) {
      if (count == 0) {
        buf_ = buf;
        count_ = 0;
        Refill();
        buf = buf_;
        count = count_;
      }
      n = tree_.son[n + static_cast<unsigned>(buf >> 63)];
      buf <<= 1;
      --count;
    }
    buf_ = buf;
    count_ = count;
    const unsigned symbol = n - T;
    tree_.Update(symbol);
    return symbol;
  }

  unsigned DecodePosition() {
    static const LzhPositionTables& tables = PositionTables();
    unsigned i = GetBits(8);
    const unsigned high = static_cast<unsigned>(tables.d_code[i]) << 6;
    const int extra = tables.d_len[i] - 2;
    i = (i << extra) | GetBits(extra);
    return high | (i & 0x3F);
  }

  const uint8_t* in_;
  const uint8_t* end_;
  uint64_t total_;
  uint64_t buf_ = 0;
  int count_ = 0;
  uint64_t fetched_ = 0;  // real input bytes taken into the bit buffer
  uint64_t padding_ = 0;  // zero bytes taken in after the input ended

  LzhTree tree_;
  uint8_t text_[TLZH::N];
};

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

const LzhPositionTables& PositionTables() {
  static const LzhPositionTables tables = BuildPositionTables();
  return tables;
}

LzhResult TLZH::Decode(std::span<const uint8_t> packed, uint32_t size, uint32_t maxSize) {
  LzhResult result;
  if (size > maxSize) {
    result.status = LzhStatus::kTooLarge;
    return result;
  }
  // Every input bit yields at most 6 bytes (a 60-byte match costs at least 10 bits), so a size
  // beyond that cannot be backed by this input: refuse it before allocating the output.
  if (size > static_cast<uint64_t>(packed.size()) * 48) {
    result.status = LzhStatus::kTruncated;
    return result;
  }
  try {
    auto decoder = std::make_unique<Decoder>(packed);
    result.bytes.resize(size);
    if (!decoder->Run(result.bytes.data(), size)) {
      result.bytes.clear();
      result.status = LzhStatus::kTruncated;
    }
  } catch (const std::bad_alloc&) {
    throw ElzhException("LZH : Cannot get memory for dictionary tables");
  }
  return result;
}

LzhStatus TLZH::Unpack(uint32_t size, const ReadBlock& read, const WriteBlock& write,
                       uint32_t maxSize) {
  if (size > maxSize) return LzhStatus::kTooLarge;
  std::vector<uint8_t> packed;
  uint8_t block[4096];
  // No output byte costs anywhere near 64 bits; stop reading a source that keeps giving past that.
  const uint64_t enough = static_cast<uint64_t>(size) * 8 + 64;
  for (;;) {
    const size_t n = read(block, sizeof block);
    if (n == 0) break;
    packed.insert(packed.end(), block, block + std::min(n, sizeof block));
    if (packed.size() > enough) break;
  }
  LzhResult result = Decode(packed, size, maxSize);
  if (result.status == LzhStatus::kOk && !result.bytes.empty())
    write(result.bytes.data(), result.bytes.size());
  return result.status;
}

LzhResult TLZH::DecodeStream(std::span<const uint8_t> stream, uint32_t maxSize) {
  if (stream.size() < 4) return {{}, LzhStatus::kTruncated};
  return Decode(stream.subspan(4), ReadU32(stream.data()), maxSize);
}

int VersionBlockSize(uint32_t version) {
  for (const PackageVersion& v : kPackageVersions)
    if (v.version == version) return static_cast<int>(v.blockSize);
  return -1;
}

size_t ReadSkinStreamProperty(std::span<const uint8_t> payload, TMemoryStream& stream) {
  if (payload.size() < 4) return 0;
  const int32_t count = static_cast<int32_t>(ReadU32(payload.data()));
  if (count <= 0) return 4;
  if (payload.size() - 4 < static_cast<uint32_t>(count)) return 0;
  stream.Assign(payload.subspan(4, static_cast<uint32_t>(count)));
  return 4 + static_cast<size_t>(count);
}

std::vector<uint8_t> WriteSkinStreamProperty(const TMemoryStream& stream) {
  const uint32_t n = static_cast<uint32_t>(stream.Size());
  std::vector<uint8_t> out(4 + n);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(n >> (8 * i));
  std::copy(stream.Bytes().begin(), stream.Bytes().end(), out.begin() + 4);
  return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    const size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    lines.emplace_back(text.substr(start, i - start));
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
  return lines;
}

void TSkinReader::Reset() {
  header_ = {};
  names_.clear();
  sizes_.clear();
  offsets_.clear();
  data_.clear();
}

bool TSkinReader::Fail(std::string why) {
  Reset();
  lastError_ = std::move(why);
  return false;
}

bool TSkinReader::LoadPackage(std::span<const uint8_t> skinStream) {
  Reset();
  lastError_.clear();
  LzhResult decoded = TLZH::DecodeStream(skinStream);
  switch (decoded.status) {
    case LzhStatus::kOk:
      break;
    case LzhStatus::kTruncated:
      return Fail("the skin stream is truncated");
    case LzhStatus::kTooLarge:
      return Fail("the skin stream announces an implausible size");
  }
  return ParsePackage(decoded.bytes);
}

bool TSkinReader::ParsePackage(std::span<const uint8_t> package) {
  Reset();
  lastError_.clear();
  // A short package reads as much of the header as there is; the rest stays 0, so an empty
  // package has version 0 and is reported like any other unknown version.
  uint8_t raw[16] = {};
  if (!package.empty()) std::memcpy(raw, package.data(), std::min<size_t>(16, package.size()));
  header_.Version = ReadU32(raw);
  header_.NameListLength = ReadU32(raw + 4);
  std::memcpy(header_.Unread, raw + 8, 8);

  const int block = VersionBlockSize(header_.Version);
  if (block < 0) {
    if (reporter_) reporter_(kOlderSkinMessage);
    return Fail("unknown package version " + std::to_string(header_.Version));
  }

  uint64_t pos = 16 + static_cast<uint64_t>(block);
  if (pos + header_.NameListLength > package.size())
    return Fail("the package ends inside its name list");
  const std::string_view nameText(reinterpret_cast<const char*>(package.data() + pos),
                                  header_.NameListLength);
  pos += header_.NameListLength;
  std::vector<std::string> names = SplitLines(ui::AsciiLower(nameText));
  if (names.size() > kMaxEntries)
    return Fail("the package has more than " + std::to_string(kMaxEntries) + " entries");
  if (pos + 4 * names.size() > package.size())
    return Fail("the package ends inside its size table");

  std::vector<uint32_t> sizes(names.size());
  std::vector<size_t> offsets(names.size());
  uint64_t total = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    sizes[i] = ReadU32(package.data() + pos + 4 * i);
    offsets[i] = static_cast<size_t>(total);
    total += sizes[i];
  }
  pos += 4 * names.size();
  const uint64_t dataSize = package.size() - pos;
  if (total > dataSize) return Fail("the package's entries run past its data");

  names_ = std::move(names);
  sizes_ = std::move(sizes);
  offsets_ = std::move(offsets);
  data_.assign(package.begin() + static_cast<ptrdiff_t>(pos), package.end());
  return true;
}

std::span<const uint8_t> TSkinReader::EntryData(size_t index) const {
  if (index >= names_.size()) return {};
  return std::span<const uint8_t>(data_).subspan(offsets_[index], sizes_[index]);
}

int TSkinReader::IndexOf(std::string_view name) const {
  const std::string lower = ui::AsciiLower(name);
  for (size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == lower) return static_cast<int>(i);
  return -1;
}

std::span<const uint8_t> TSkinReader::Entry(std::string_view name) const {
  const int i = IndexOf(name);
  return i < 0 ? std::span<const uint8_t>() : EntryData(static_cast<size_t>(i));
}

void TSkinReader::FindEntry(std::string_view name, TMemoryStream& out) const {
  out.Clear();
  out.Assign(Entry(name));
}

void TSkinReader::FindEntryContaining(std::string_view text, TMemoryStream& out,
                                      std::string& foundName) const {
  out.Clear();
  for (size_t i = 0; i < names_.size(); ++i) {
    if (names_[i].find(text) != std::string::npos) {
      out.Assign(EntryData(i));
      foundName = names_[i];
      return;
    }
  }
}

}  // namespace skin
