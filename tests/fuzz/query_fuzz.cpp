// Arbitrary filter values, spin texts and host overrides: the query builder never fails, keeps the
// URL to its safe alphabet, orders and bounds the ranges, and the spin reader stays in range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/QueryBuilder.h"

namespace {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
  int Int() {
    int32_t v = 0;
    for (int i = 0; i < 4 && p_ < end_; ++i) v = (v << 8) | *p_++;
    return v;
  }
  std::u16string Text() {
    const size_t n = p_ < end_ ? *p_++ % 24 : 0;
    std::u16string s;
    for (size_t i = 0; i < n && p_ + 1 < end_; ++i, p_ += 2)
      s += static_cast<char16_t>(p_[0] | (p_[1] << 8));
    return s;
  }
  std::string Ascii() {
    std::string s;
    for (char16_t c : Text()) s += static_cast<char>(c & 0x7F);
    return s;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
};

bool UrlCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::strchr("%&=./?:_-", c) != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  app::QueryFilters f;
  f.keyword = in.Text();
  f.category = in.Int();
  f.lowerPrice = in.Int();
  f.upperPrice = in.Int();
  f.location = in.Int();
  f.locationCaption = in.Text();
  f.sort = in.Int();
  f.lowerCredit = in.Int();
  f.upperCredit = in.Int();
  const std::string host = app::ChooseHost(in.Ascii(), "top10.tarvimo.example");
  if (!app::IsValidHostSpec(host)) std::abort();

  const app::RankingQuery q = app::BuildRankingQuery(f, host);
  for (char c : q.url)
    if (!UrlCharacter(c)) std::abort();
  if (q.lowerPrice > q.upperPrice || q.lowerPrice < app::kPriceMin || q.upperPrice > app::kPriceMax)
    std::abort();
  if (q.lowerCredit > q.upperCredit || q.lowerCredit < 0 || q.upperCredit >= app::kCreditLevelCount)
    std::abort();

  const int lo = in.Int(), hi = in.Int();
  const int min = lo < hi ? lo : hi, max = lo < hi ? hi : lo;
  const int v = app::ParseSpinText(in.Text(), min, max);
  if (v < min || v > max) std::abort();
  return 0;
}
