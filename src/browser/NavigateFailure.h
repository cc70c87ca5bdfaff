// What the program tells a user about a page the browser could not show: the failure in words,
// whether the address may be handed to another browser, and the address shortened to fit.
//
// Portable (no Win32 header): the browser's status codes are plain 32-bit numbers here, so the
// words can be tested natively.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace app {

// Status codes of the browser's NavigateError event that the program tells apart. The event
// passes either one of these failure codes or an HTTP status (100-599).
inline constexpr int32_t kNavInvalidUrl = static_cast<int32_t>(0x800C0002);
inline constexpr int32_t kNavCannotConnect = static_cast<int32_t>(0x800C0004);
inline constexpr int32_t kNavResourceNotFound = static_cast<int32_t>(0x800C0005);
inline constexpr int32_t kNavObjectNotFound = static_cast<int32_t>(0x800C0006);
inline constexpr int32_t kNavDataNotAvailable = static_cast<int32_t>(0x800C0007);
inline constexpr int32_t kNavDownloadFailure = static_cast<int32_t>(0x800C0008);
inline constexpr int32_t kNavAuthenticationRequired = static_cast<int32_t>(0x800C0009);
inline constexpr int32_t kNavConnectionTimeout = static_cast<int32_t>(0x800C000B);
inline constexpr int32_t kNavUnknownProtocol = static_cast<int32_t>(0x800C000D);
inline constexpr int32_t kNavSecurityProblem = static_cast<int32_t>(0x800C000E);
// No component to show the page with: what every navigation ends in where the browser engine
// cannot render.
inline constexpr int32_t kNavCannotInstantiateObject = static_cast<int32_t>(0x800C0010);
inline constexpr int32_t kNavInvalidCertificate = static_cast<int32_t>(0x800C0019);
inline constexpr int32_t kNavAborted = static_cast<int32_t>(0x80004004);
// The internet layer's own errors, as they arrive wrapped in a failure code (0x8007xxxx).
inline constexpr int32_t kNavWinInetTimeout = static_cast<int32_t>(0x80072EE2);
inline constexpr int32_t kNavWinInetNameNotResolved = static_cast<int32_t>(0x80072EE7);
inline constexpr int32_t kNavWinInetCannotConnect = static_cast<int32_t>(0x80072EFD);
inline constexpr int32_t kNavWinInetConnectionAborted = static_cast<int32_t>(0x80072EFE);
inline constexpr int32_t kNavWinInetConnectionReset = static_cast<int32_t>(0x80072EFF);
inline constexpr int32_t kNavWinInetInvalidServerResponse = static_cast<int32_t>(0x80072F78);

enum class NavigateFailureKind {
  NoEngine,        // nothing on this computer can show the page
  HostNotFound,    // the server's name leads nowhere
  Refused,         // nobody accepted the connection
  TimedOut,        // the server did not answer in time
  ConnectionLost,  // the connection failed or broke before the page was complete
  PageNotFound,    // the server has no such page (404, 410)
  ServerError,     // the server failed (HTTP 5xx)
  Rejected,        // the server refused the request (other HTTP 4xx, authentication)
  InvalidAddress,  // the address cannot be used
  Security,        // a certificate or security check failed
  Cancelled,       // the navigation was stopped
  OtherHttp,       // an HTTP status that is none of the above
  Unknown,         // a code nobody here knows
};

NavigateFailureKind ClassifyNavigateError(int32_t status);

// The failure in words for the user (Chinese, like the rest of the program). HTTP statuses carry
// their number; an unknown code is given as its number in hexadecimal (0x800C1234).
std::u16string DescribeNavigateError(int32_t status);

// Whether `url` may be handed to the system's default browser: only web addresses (http or
// https with a host) made of characters a URL may hold, so that an address the page chose can
// neither start a local program nor smuggle extra words into the browser's command line.
bool IsOpenableWebAddress(std::u16string_view url);

// `text` shortened in the middle with "…" so that `width(result) <= maxWidth`, keeping as much of
// its start (scheme and host) and its end as fits; unchanged when it fits. Surrogate pairs are
// never split. When not even "…" fits, the result is empty.
std::u16string EllipsiseMiddle(std::u16string_view text, int maxWidth,
                               const std::function<int(std::u16string_view)>& width);

}  // namespace app
