// The page-failure message: when a browser's navigation fails, the program lays a panel of its
// own over the browser that says the page could not be shown, why (from the error code), which
// address was asked for, and offers to open that address in the system's default browser. The
// next successful navigation takes it away again.
//
// The panel is a sibling of the browser on the same parent, above it in the z-order, so the
// browser's window (which clips its siblings) can never paint over it. It is created on the
// first failure only: where the browser shows its pages, none of this ever exists.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "ui/Controls.h"
#include "ui/OleControl.h"
#include "ui/StdCtrls.h"

namespace app {

// Hands an address to another program. Answers as ShellExecute does: above 32 when it started.
using AddressOpener = std::function<intptr_t(HWND owner, const std::wstring& url)>;

// The system's default browser, through the shell's "open" verb.
intptr_t OpenInDefaultBrowser(HWND owner, const std::wstring& url);

class TPageFailureView : public ui::TCustomControl {
  UI_CLASS(TPageFailureView, ui::TCustomControl)
 public:
  // Watches `browser`, which owns it (so it goes with the browser). The browser's navigation
  // events pass through it; handlers set before it was made are still called.
  explicit TPageFailureView(ui::TWebBrowser* browser);
  void BeforeDestruction() override;

  // What the browser reported, on the path its events take.
  void NavigateFailed(const std::wstring& url, int32_t status);
  void NavigateSucceeded(const std::wstring& url);

  ui::TWebBrowser* Browser() const { return browser_; }
  const std::wstring& Address() const { return address_; }
  int32_t Status() const { return status_; }
  // The failure in words, as shown.
  std::wstring Reason() const;
  // The address as it is painted: shortened in the middle when the panel is too narrow.
  std::wstring ShownAddress();
  // What went wrong the last time the default browser was asked; empty when nothing did.
  const std::wstring& OpenError() const { return openError_; }
  ui::TButton* OpenButton() const { return openButton_; }

  // The button's action: the address to the opener (the default browser unless replaced).
  void OpenAddress();
  void SetOpener(AddressOpener opener) { opener_ = std::move(opener); }

 protected:
  void Paint() override;

 private:
  void BrowserNavigateError(ui::TObject* sender, const std::wstring& url, long status);
  void BrowserNavigateComplete(ui::TObject* sender, const std::wstring& url);
  void BrowserDocumentComplete(ui::TObject* sender, const std::wstring& url);
  void OpenClick(ui::TObject* sender);
  void ShowOverBrowser();
  void Dismiss();
  int AddressWidth();
  std::wstring FitAddress(HDC dc);
  void UpdateText();

  ui::TWebBrowser* browser_;
  ui::TButton* openButton_ = nullptr;
  AddressOpener opener_;
  std::wstring address_;
  int32_t status_ = 0;
  std::wstring openError_;
  ui::TWebNavigateErrorEvent previousError_;
  ui::TWebNavigateEvent previousComplete_;
  ui::TWebNavigateEvent previousDocument_;
};

// The page-failure message of `browser`, made and connected on the first call.
TPageFailureView* WatchPageFailures(ui::TWebBrowser* browser);

}  // namespace app
