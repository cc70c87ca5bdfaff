// The failure words and the address rules of the page-failure message.
#include "browser/NavigateFailure.h"

#include <cstdio>

namespace app {

namespace {

bool IsHttpStatus(int32_t status) { return status >= 100 && status <= 599; }

std::u16string Ascii(const char* text) {
  std::u16string out;
  for (; *text; ++text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
  return out;
}

std::u16string Hex(int32_t status) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08X",
                static_cast<unsigned>(static_cast<uint32_t>(status)));
  return Ascii(buffer);
}

std::u16string HttpNumber(int32_t status) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "HTTP %d", static_cast<int>(status));
  return Ascii(buffer);
}

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Characters an address handed on may hold: those of RFC 3986 (unreserved, reserved and '%').
// Blanks, quotes, angle brackets and backslashes are not among them.
bool IsUrlCharacter(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) return true;
  return std::u16string_view(u"-._~:/?#[]@!$&'()*+,;=%").find(c) != std::u16string_view::npos;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

NavigateFailureKind ClassifyNavigateError(int32_t status) {
  using K = NavigateFailureKind;
  if (IsHttpStatus(status)) {
    if (status == 404 || status == 410) return K::PageNotFound;
    if (status >= 500) return K::ServerError;
    if (status >= 400) return K::Rejected;
    return K::OtherHttp;
  }
  switch (status) {
    case kNavCannotInstantiateObject:
      return K::NoEngine;
    case kNavResourceNotFound:
    case kNavWinInetNameNotResolved:
      return K::HostNotFound;
    case kNavCannotConnect:
    case kNavWinInetCannotConnect:
      return K::Refused;
    case kNavConnectionTimeout:
    case kNavWinInetTimeout:
      return K::TimedOut;
    case kNavDataNotAvailable:
    case kNavDownloadFailure:
    case kNavWinInetConnectionAborted:
    case kNavWinInetConnectionReset:
    case kNavWinInetInvalidServerResponse:
      return K::ConnectionLost;
    case kNavObjectNotFound:
      return K::PageNotFound;
    case kNavAuthenticationRequired:
      return K::Rejected;
    case kNavInvalidUrl:
    case kNavUnknownProtocol:
      return K::InvalidAddress;
    case kNavSecurityProblem:
    case kNavInvalidCertificate:
      return K::Security;
    case kNavAborted:
      return K::Cancelled;
    default:
      return K::Unknown;
  }
}

std::u16string DescribeNavigateError(int32_t status) {
  using K = NavigateFailureKind;
  // HTTP answers name their status, so that the service's maker can tell them apart.
  // Appended piece by piece: GCC 12's optimiser misreads `literal + temporary` (-Wrestrict).
  std::u16string http;
  if (IsHttpStatus(status)) {
    http = u"（";
    http += HttpNumber(status);
    http += u"）";
  }
  switch (ClassifyNavigateError(status)) {
    case K::NoEngine:
      return u"本机的网页显示组件无法显示网页";
    case K::HostNotFound:
      return u"找不到服务器";
    case K::Refused:
      return u"服务器拒绝连接";
    case K::TimedOut:
      return u"连接服务器超时";
    case K::ConnectionLost:
      // Where the URL layer folds every connection failure into one code (refused and unknown
      // hosts included), this is all that can be said truthfully.
      return u"无法从服务器取得页面（连接失败或中断）";
    case K::PageNotFound:
      return u"服务器上没有这个页面" + http;
    case K::ServerError:
      return u"服务器出错" + http;
    case K::Rejected:
      return u"服务器拒绝了请求" + http;
    case K::InvalidAddress:
      return u"地址无效";
    case K::Security:
      return u"安全检查未通过";
    case K::Cancelled:
      return u"打开页面被取消";
    case K::OtherHttp:
      return u"服务器的回答无法显示" + http;
    case K::Unknown:
      break;
  }
  return u"未知错误（代码 " + Hex(status) + u"）";
}

bool IsOpenableWebAddress(std::u16string_view url) {
  size_t rest = 0;
  if (StartsWithNoCase(url, u"http://"))
    rest = 7;
  else if (StartsWithNoCase(url, u"https://"))
    rest = 8;
  else
    return false;
  // A host must follow: "http:///path" or "http://?x" leads nowhere.
  if (rest >= url.size() ||
      std::u16string_view(u"/?#@:").find(url[rest]) != std::u16string_view::npos)
    return false;
  for (char16_t c : url) {
    if (!IsUrlCharacter(c)) return false;
  }
  return true;
}

std::u16string EllipsiseMiddle(std::u16string_view text, int maxWidth,
                               const std::function<int(std::u16string_view)>& width) {
  if (width(text) <= maxWidth) return std::u16string(text);
  if (text.empty()) return {};
  constexpr std::u16string_view kEllipsis = u"…";
  // Head and tail of `keep` characters in all, the head getting the odd one; a boundary that
  // falls inside a surrogate pair moves so the pair stays whole on the side that drops it.
  auto shortened = [&](size_t keep) {
    size_t head = (keep + 1) / 2;
    size_t tail = keep - head;
    if (head > 0 && head < text.size() && IsHigh(text[head - 1]) && IsLow(text[head])) --head;
    size_t tailStart = text.size() - tail;
    if (tail > 0 && tailStart > 0 && IsLow(text[tailStart]) && IsHigh(text[tailStart - 1]))
      ++tailStart;
    std::u16string out(text.substr(0, head));
    out += kEllipsis;
    out += text.substr(tailStart);
    return out;
  };
  // Widths grow with the characters kept: the longest that fits is found by halving.
  size_t lo = 0, hi = text.size() - 1;  // shortened(hi) is shorter than text, which did not fit
  if (width(shortened(0)) > maxWidth) return {};
  while (lo < hi) {
    const size_t mid = lo + (hi - lo + 1) / 2;
    if (width(shortened(mid)) <= maxWidth)
      lo = mid;
    else
      hi = mid - 1;
  }
  return shortened(lo);
}

}  // namespace app
