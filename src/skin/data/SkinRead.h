// The skin stream: the LZHUF decoder (TLZH) and the reader of the decoded skin package
// (TSkinReader). A skin stream may come from a user's skin file, so every reader here treats its
// input as hostile: sizes are bounded, truncation is detected, nothing is read out of bounds.
// Portable: no Win32 here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// A growable byte buffer with a read position: what the package reader fills and the definition
// reader and image decoders consume.
class TMemoryStream {
 public:
  void Clear() {
    bytes_.clear();
    position_ = 0;
  }
  void Assign(std::span<const uint8_t> bytes) {
    bytes_.assign(bytes.begin(), bytes.end());
    position_ = 0;
  }
  void Rewind() { position_ = 0; }
  void Seek(size_t position) { position_ = position < bytes_.size() ? position : bytes_.size(); }
  size_t Position() const { return position_; }
  size_t Size() const { return bytes_.size(); }
  // Moves up to `count` bytes from the position on; answers the count moved.
  size_t Read(void* buffer, size_t count);
  // Bytes from the position to the end.
  std::span<const uint8_t> Remaining() const {
    return std::span<const uint8_t>(bytes_).subspan(position_);
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  size_t position_ = 0;
};

class ElzhException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class LzhStatus {
  kOk,
  kTruncated,  // the stream needed more bits than it holds
  kTooLarge,   // the announced size is above the caller's bound
};

struct LzhResult {
  std::vector<uint8_t> bytes;  // exactly the announced size when the status is kOk
  LzhStatus status = LzhStatus::kOk;
};

// LZSS with an adaptive Huffman code over 314 symbols and a fixed prefix code for the upper six
// bits of a match position (4096-byte window, 60-byte look-ahead, matches of 3 or more).
class TLZH {
 public:
  static constexpr int N = 4096;
  static constexpr int F = 60;
  static constexpr int THRESHOLD = 2;
  static constexpr int N_CHAR = 256 - THRESHOLD + F;
  static constexpr int T = N_CHAR * 2 - 1;
  static constexpr int R = T - 1;
  static constexpr unsigned MAX_FREQ = 0x8000;

  // A skin package is a few hundred kilobytes; anything announcing more than this is refused
  // before a byte is allocated.
  static constexpr uint32_t kDefaultMaxSize = 64u << 20;

  // Block callbacks: take a buffer and a requested count, answer the count actually moved.
  using ReadBlock = std::function<size_t(uint8_t* buffer, size_t count)>;
  using WriteBlock = std::function<size_t(const uint8_t* buffer, size_t count)>;

  // Decodes `size` bytes from the bit stream `packed` (the stream after its 4-byte size).
  static LzhResult Decode(std::span<const uint8_t> packed, uint32_t size,
                          uint32_t maxSize = kDefaultMaxSize);

  // The callback form: reads the whole bit stream through `read`, then writes the `size` decoded
  // bytes through `write`. Answers the status; nothing is written unless it is kOk.
  static LzhStatus Unpack(uint32_t size, const ReadBlock& read, const WriteBlock& write,
                          uint32_t maxSize = kDefaultMaxSize);

  // Decodes a whole skin stream: u32 LE decoded size, then the bit stream. A stream shorter than
  // its size field counts as truncated.
  static LzhResult DecodeStream(std::span<const uint8_t> stream,
                                uint32_t maxSize = kDefaultMaxSize);
};

// The fixed position code, shared with the encoder of the skin tools: for the next 8 input bits,
// the upper six bits of the position and the length of their code.
struct LzhPositionTables {
  uint8_t d_code[256];
  uint8_t d_len[256];
};
const LzhPositionTables& PositionTables();

// The text shown when a package's version is not one this reader knows.
inline constexpr std::string_view kOlderSkinMessage =
    "This is Older Skin File\rPlease update to new version !";

// Package versions and the size of the block each one carries after the 16-byte header.
struct PackageVersion {
  uint32_t version;
  uint32_t blockSize;
};
inline constexpr PackageVersion kPackageVersions[] = {
    {20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}, {60000, 117}, {70000, 69},
};
// The block size of a known version, or -1.
int VersionBlockSize(uint32_t version);

struct TSkinHeader {
  uint32_t Version = 0;
  uint32_t NameListLength = 0;
  uint8_t Unread[8] = {};
};

class TSkinReader {
 public:
  static constexpr size_t kMaxEntries = 1001;

  // Shows the older-file message to the user. The program passes one that opens a message box;
  // without one the message goes nowhere.
  using Reporter = std::function<void(std::string_view message)>;

  explicit TSkinReader(Reporter reporter = {}) : reporter_(std::move(reporter)) {}

  // Decodes a skin stream (u32 decoded size + bit stream) and parses the package in it. False for
  // an unknown version (after reporting the older-file message) and for a damaged stream or
  // package (no message; LastError() says why). A failed load leaves the reader empty.
  bool LoadPackage(std::span<const uint8_t> skinStream);
  bool LoadPackage(const TMemoryStream& skinStream) { return LoadPackage(skinStream.Bytes()); }
  // Parses an already decoded package.
  bool ParsePackage(std::span<const uint8_t> package);

  // Clears `out`, then copies the first entry whose name equals `name` ignoring case, and rewinds.
  void FindEntry(std::string_view name, TMemoryStream& out) const;
  // Clears `out`, then copies the first entry whose (lower-case) name contains `text`, rewinds and
  // sets `foundName`. No match leaves `foundName` as it was.
  void FindEntryContaining(std::string_view text, TMemoryStream& out, std::string& foundName) const;
  // Views of an entry's bytes; empty when there is no such entry.
  std::span<const uint8_t> Entry(std::string_view name) const;
  int IndexOf(std::string_view name) const;

  const std::vector<std::string>& Names() const { return names_; }
  size_t Count() const { return names_.size(); }
  const std::vector<uint32_t>& Sizes() const { return sizes_; }
  std::span<const uint8_t> EntryData(size_t index) const;
  const TSkinHeader& Header() const { return header_; }
  const std::string& LastError() const { return lastError_; }

 private:
  bool Fail(std::string why);
  void Reset();

  Reporter reporter_;
  TSkinHeader header_;
  std::vector<std::string> names_;
  std::vector<uint32_t> sizes_;
  std::vector<size_t> offsets_;
  std::vector<uint8_t> data_;
  std::string lastError_;
};

// The SkinStream property as a form stores it: u32 LE count N, then N bytes of skin stream.
// Reading replaces `stream` when N is above 0 (as a signed count) and answers the bytes consumed;
// a count of 0 or below reads nothing more and leaves `stream` as it was (answers 4). A payload
// shorter than its count is damaged: `stream` stays as it was and the answer is 0.
size_t ReadSkinStreamProperty(std::span<const uint8_t> payload, TMemoryStream& stream);
std::vector<uint8_t> WriteSkinStreamProperty(const TMemoryStream& stream);

// Splits text the way a string list takes its Text: CR, LF and CR LF each end a line, and a final
// line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace skin
