// The page-failure message over a browser. Everything here runs inside the browser's event
// handlers or the panel's own messages, whose callers already stop exceptions at the boundary.
#include "browser/PageFailure.h"

#include <shellapi.h>
#include <urlmon.h>
#include <wininet.h>

#include <string_view>

#include "browser/NavigateFailure.h"
#include "ui/TypInfo.h"

namespace app {

// The portable names must be the platform's codes.
static_assert(kNavCannotInstantiateObject == INET_E_CANNOT_INSTANTIATE_OBJECT);
static_assert(kNavResourceNotFound == INET_E_RESOURCE_NOT_FOUND);
static_assert(kNavCannotConnect == INET_E_CANNOT_CONNECT);
static_assert(kNavConnectionTimeout == INET_E_CONNECTION_TIMEOUT);
static_assert(kNavDownloadFailure == INET_E_DOWNLOAD_FAILURE);
static_assert(kNavDataNotAvailable == INET_E_DATA_NOT_AVAILABLE);
static_assert(kNavObjectNotFound == INET_E_OBJECT_NOT_FOUND);
static_assert(kNavInvalidUrl == INET_E_INVALID_URL);
static_assert(kNavAborted == E_ABORT);
static_assert(kNavWinInetNameNotResolved == HRESULT_FROM_WIN32(ERROR_INTERNET_NAME_NOT_RESOLVED));
static_assert(kNavWinInetCannotConnect == HRESULT_FROM_WIN32(ERROR_INTERNET_CANNOT_CONNECT));
static_assert(kNavWinInetTimeout == HRESULT_FROM_WIN32(ERROR_INTERNET_TIMEOUT));

namespace {

constexpr wchar_t kTitle[] = L"无法显示此页面";
constexpr wchar_t kReasonLabel[] = L"原因：";
constexpr wchar_t kAddressLabel[] = L"地址：";
constexpr wchar_t kOfferOpen[] = L"可以用系统的默认浏览器打开这个地址。";
constexpr wchar_t kCannotHandOn[] = L"这个地址不能交给其他浏览器打开。";
constexpr wchar_t kOpenCaption[] = L"用默认浏览器打开";

// Geometry in pixels; the fonts have fixed pixel heights, so the layout needs no measuring.
constexpr int kMargin = 20;
constexpr int kIconSize = 32;
constexpr int kTextLeft = kMargin + kIconSize + 12;
constexpr int kTitleTop = kMargin + 4;
constexpr int kReasonTop = kMargin + 40;
constexpr int kAddressTop = kReasonTop + 22;
constexpr int kOfferTop = kAddressTop + 22;
constexpr int kButtonTop = kOfferTop + 26;
constexpr int kButtonWidth = 150;
constexpr int kButtonHeight = 26;
constexpr int kOpenErrorTop = kButtonTop + kButtonHeight + 10;
constexpr int kLineHeight = 18;
constexpr int kTitleHeight = -16;
constexpr int kBodyHeight = -12;

std::u16string U16(std::wstring_view s) { return std::u16string(s.begin(), s.end()); }
std::wstring Wide(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

void SetBodyFont(ui::TFont& font) {
  font.SetName(L"Tahoma");
  font.SetHeight(kBodyHeight);
  font.SetStyle(0);
  font.SetColor(ui::clWindowText);
}

int TextWidth(HDC dc, std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void DrawLine(HDC dc, const std::wstring& text, int left, int top, int right) {
  RECT r{left, top, right, top + kLineHeight};
  // No prefix processing: an address is full of '&'.
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP | DT_END_ELLIPSIS);
}

// Only engine-internal pages (its own error page) complete without the page having been shown.
bool IsEnginePage(std::wstring_view url) {
  return url.size() >= 4 && (url[0] | 0x20) == L'r' && (url[1] | 0x20) == L'e' &&
         (url[2] | 0x20) == L's' && url[3] == L':';
}

}  // namespace

intptr_t OpenInDefaultBrowser(HWND owner, const std::wstring& url) {
  // The shell is loaded when the user first asks for it, not with the program: a run whose pages
  // show never needs it. Once loaded it stays, as the browser it starts may still be using it.
  using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  static const ShellExecuteFn shellExecute = [] {
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    FARPROC proc = shell ? GetProcAddress(shell, "ShellExecuteW") : nullptr;
    return reinterpret_cast<ShellExecuteFn>(reinterpret_cast<void*>(proc));
  }();
  if (!shellExecute) return SE_ERR_DLLNOTFOUND;
  return reinterpret_cast<intptr_t>(
      shellExecute(owner, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

UI_IMPLEMENT_CLASS(TPageFailureView, ui::TCustomControl)

TPageFailureView::TPageFailureView(ui::TWebBrowser* browser)
    : TCustomControl(browser), browser_(browser) {
  SetVisible(false);
  SetColor(ui::clWindow);
  SetParentFont(false);
  SetBodyFont(*Font());

  openButton_ = new ui::TButton(this);
  openButton_->SetParent(this);
  openButton_->SetCaption(kOpenCaption);
  openButton_->SetBounds(kTextLeft, kButtonTop, kButtonWidth, kButtonHeight);
  openButton_->OnClick = ui::MethodOf<&TPageFailureView::OpenClick>(this);

  previousError_ = browser_->OnNavigateError;
  previousComplete_ = browser_->OnNavigateComplete2;
  previousDocument_ = browser_->OnDocumentComplete;
  browser_->OnNavigateError = ui::MethodOf<&TPageFailureView::BrowserNavigateError>(this);
  browser_->OnNavigateComplete2 = ui::MethodOf<&TPageFailureView::BrowserNavigateComplete>(this);
  browser_->OnDocumentComplete = ui::MethodOf<&TPageFailureView::BrowserDocumentComplete>(this);
}

void TPageFailureView::BeforeDestruction() {
  // Give the browser its own handlers back, unless someone replaced ours meanwhile.
  if (browser_->OnNavigateError == ui::MethodOf<&TPageFailureView::BrowserNavigateError>(this))
    browser_->OnNavigateError = previousError_;
  if (browser_->OnNavigateComplete2 ==
      ui::MethodOf<&TPageFailureView::BrowserNavigateComplete>(this))
    browser_->OnNavigateComplete2 = previousComplete_;
  if (browser_->OnDocumentComplete ==
      ui::MethodOf<&TPageFailureView::BrowserDocumentComplete>(this))
    browser_->OnDocumentComplete = previousDocument_;
  TCustomControl::BeforeDestruction();
}

void TPageFailureView::BrowserNavigateError(ui::TObject* sender, const std::wstring& url,
                                            long status) {
  NavigateFailed(url, static_cast<int32_t>(status));
  if (previousError_) previousError_(sender, url, status);
}

void TPageFailureView::BrowserNavigateComplete(ui::TObject* sender, const std::wstring& url) {
  NavigateSucceeded(url);
  if (previousComplete_) previousComplete_(sender, url);
}

void TPageFailureView::BrowserDocumentComplete(ui::TObject* sender, const std::wstring& url) {
  NavigateSucceeded(url);
  if (previousDocument_) previousDocument_(sender, url);
}

void TPageFailureView::NavigateFailed(const std::wstring& url, int32_t status) {
  // Failures in quick succession replace one another: one message, the latest address.
  address_ = url;
  status_ = status;
  openError_.clear();
  openButton_->SetEnabled(IsOpenableWebAddress(U16(address_)));
  UpdateText();
  ShowOverBrowser();
  Invalidate();
}

void TPageFailureView::NavigateSucceeded(const std::wstring& url) {
  if (IsEnginePage(url)) return;
  if (Visible()) Dismiss();
}

std::wstring TPageFailureView::Reason() const { return Wide(DescribeNavigateError(status_)); }

void TPageFailureView::UpdateText() {
  // The window text holds the whole message, for whoever reads windows rather than pixels.
  SetText(std::wstring(kTitle) + L"\n" + kReasonLabel + Reason() + L"\n" + kAddressLabel +
          address_);
}

void TPageFailureView::ShowOverBrowser() {
  ui::TWinControl* parent = browser_->Parent();
  if (!parent) return;  // a browser on no window: there is nothing to lay the message over
  SetParent(parent);
  SetAlign(browser_->Align());
  if (Align() == ui::TAlign::alNone) SetBoundsRect(browser_->BoundsRect());
  Show();
  if (HandleAllocated())
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TPageFailureView::Dismiss() {
  // A focused window that disappears would leave the keyboard with nobody: the page that is
  // now shown takes it.
  const bool hadFocus =
      HandleAllocated() && (GetFocus() == Handle() || IsChild(Handle(), GetFocus()));
  Hide();
  if (hadFocus && browser_->CanFocus()) browser_->SetFocus();
}

void TPageFailureView::OpenClick(ui::TObject*) { OpenAddress(); }

void TPageFailureView::OpenAddress() {
  if (!IsOpenableWebAddress(U16(address_))) {
    openError_ = kCannotHandOn;
  } else {
    HWND owner = HandleAllocated() ? GetAncestor(Handle(), GA_ROOT) : nullptr;
    const intptr_t result =
        opener_ ? opener_(owner, address_) : OpenInDefaultBrowser(owner, address_);
    if (result > 32)
      openError_.clear();
    else
      openError_ = L"无法启动默认浏览器（错误代码 " + std::to_wstring(result) + L"）。";
  }
  Invalidate();
}

int TPageFailureView::AddressWidth() { return ClientWidth() - kTextLeft - kMargin; }

std::wstring TPageFailureView::FitAddress(HDC dc) {
  const int room = AddressWidth() - TextWidth(dc, kAddressLabel);
  return Wide(EllipsiseMiddle(U16(address_), room, [dc](std::u16string_view text) {
    return TextWidth(dc,
                     std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
  }));
}

std::wstring TPageFailureView::ShownAddress() {
  if (!HandleAllocated()) return address_;
  ui::TCanvas* c = Canvas();
  SetBodyFont(*c->Font());
  return FitAddress(c->Handle());
}

void TPageFailureView::Paint() {
  ui::TCanvas* c = Canvas();
  const RECT client = ClientRect();
  c->Brush()->SetColor(ui::clWindow);
  c->FillRect(client);
  c->Brush()->SetStyle(ui::TBrushStyle::bsClear);  // texts over the background, not boxed
  HDC dc = c->Handle();
  const int right = client.right - kMargin;

  if (HICON warning = LoadIconW(nullptr, IDI_WARNING))  // shared: never destroyed
    DrawIconEx(dc, kMargin, kMargin, warning, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);

  c->Font()->SetName(L"Tahoma");
  c->Font()->SetHeight(kTitleHeight);
  c->Font()->SetStyle(ui::fsBold);
  c->Font()->SetColor(ui::clWindowText);
  dc = c->Handle();
  DrawLine(dc, kTitle, kTextLeft, kTitleTop, right);

  SetBodyFont(*c->Font());
  dc = c->Handle();
  DrawLine(dc, kReasonLabel + Reason(), kTextLeft, kReasonTop, right);
  DrawLine(dc, kAddressLabel + FitAddress(dc), kTextLeft, kAddressTop, right);
  DrawLine(dc, openButton_->Enabled() ? kOfferOpen : kCannotHandOn, kTextLeft, kOfferTop, right);
  if (!openError_.empty()) {
    c->Font()->SetColor(ui::clMaroon);
    dc = c->Handle();
    DrawLine(dc, openError_, kTextLeft, kOpenErrorTop, right);
  }
}

TPageFailureView* WatchPageFailures(ui::TWebBrowser* browser) {
  for (ui::TComponent* c : browser->ComponentList()) {
    if (auto* view = dynamic_cast<TPageFailureView*>(c)) return view;
  }
  return new TPageFailureView(browser);
}

}  // namespace app
