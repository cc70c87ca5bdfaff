// TWebBrowser and TRestrictedWebBrowser as framework controls on a form: navigation before the
// form is shown, the hosted control following the window, events, errors, and freeing.
#include <gtest/gtest.h>

#include <exdisp.h>
#include <mshtmhst.h>

#include "BrowserTestSupport.h"
#include "support/LoopbackListener.h"
#include "browser/RBrowser.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/OleControl.h"
#include "ui/StdCtrls.h"

namespace {

using wintest::Widen;

class TBrowserTestForm : public ui::TForm {
  UI_CLASS(TBrowserTestForm, ui::TForm)
 public:
  using TForm::TForm;
};
UI_IMPLEMENT_CLASS(TBrowserTestForm, ui::TForm)

// An ActiveX control whose class does not exist.
class TMissingControl : public ui::TOleControl {
  UI_CLASS(TMissingControl, ui::TOleControl)
 public:
  using TOleControl::TOleControl;

 protected:
  const CLSID& ControlClassID() const override { return GUID_NULL; }
};
UI_IMPLEMENT_CLASS(TMissingControl, ui::TOleControl)

// Out of line: once new and delete of a framework object meet in one inlined body, GCC 12
// mistakes the class's destroying delete for a mismatched one.
[[gnu::noinline]] void FreeObject(ui::TObject* object) { delete object; }

template <class Browser>
struct FormWithBrowser {
  FormWithBrowser() {
    form = new TBrowserTestForm(nullptr);
    form->SetBounds(30, 30, 500, 400);
    browser = new Browser(form);
    browser->SetParent(form);
    browser->SetBounds(5, 40, 480, 300);
  }
  ~FormWithBrowser() { FreeObject(form); }
  TBrowserTestForm* form;
  Browser* browser;
};

class FrameworkBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application->Initialize();
    ui::Application->OnException = ui::MethodOf<&FrameworkBrowser::Record>(this);
    comBefore_ = ui::HandleCounts::Live(ui::HandleKind::Com);
    windowsBefore_ = ui::LiveFrameworkWindows();
  }
  void TearDown() override { ui::Application->OnException = nullptr; }
  void Record(ui::TObject*, const std::exception_ptr& e) {
    errors.push_back(ui::ExceptionMessage(e));
  }

  std::vector<std::wstring> errors;
  long comBefore_ = 0;
  long windowsBefore_ = 0;
};

TEST_F(FrameworkBrowser, NavigatesBeforeTheFormIsShownAndReportsTheOutcome) {
  wintest::LoopbackListener service;
  FormWithBrowser<ui::TWebBrowser> f;
  std::vector<std::wstring> failed;
  struct Sink {
    std::vector<std::wstring>* failed;
    long status = 0;
    void Error(ui::TObject*, const std::wstring& url, long code) {
      failed->push_back(url);
      status = code;
    }
  } sink{&failed};
  f.browser->OnNavigateError = ui::MethodOf<&Sink::Error>(&sink);

  const std::string url = "http://" + service.host() + "/index3.html";
  ASSERT_FALSE(f.form->HandleAllocated());
  f.browser->Navigate(Widen(url));  // as a form's creation event does
  EXPECT_FALSE(IsWindowVisible(f.form->Handle()));
  ASSERT_TRUE(service.WaitForRequests(1));
  EXPECT_EQ(service.RequestLines().front(), "GET /index3.html HTTP/1.1");

  if (wintest::RunningUnderWine()) {
    // No page engine under Wine: the navigation ends in an error event, not in a dialog.
    ASSERT_TRUE(wintest::PumpUntil([&] { return !failed.empty(); }));
    EXPECT_EQ(failed.front(), Widen(url));
    EXPECT_LT(sink.status, 0);
  }
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(wintest::VisibleDialogs(), 0);
}

TEST_F(FrameworkBrowser, HostedControlFillsTheWindowWithoutScrollBarStyles) {
  FormWithBrowser<ui::TWebBrowser> f;
  HWND wnd = f.browser->Handle();
  wchar_t cls[64];
  GetClassNameW(wnd, cls, 64);
  EXPECT_STREQ(cls, L"TWebBrowser");
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  EXPECT_FALSE(style & (WS_VSCROLL | WS_HSCROLL));
  EXPECT_TRUE(style & WS_TABSTOP);
  ASSERT_TRUE(f.browser->ControlCreated());

  auto inPlace = ui::ComPtr<IOleObject>::Share(f.browser->OleObject())
                     .As<IOleInPlaceObject>(IID_IOleInPlaceObject);
  ASSERT_TRUE(inPlace);
  HWND inner = nullptr;
  ASSERT_EQ(inPlace->GetWindow(&inner), S_OK);
  EXPECT_TRUE(IsChild(wnd, inner));
  f.browser->SetBounds(5, 40, 300, 200);
  wintest::PumpUntilIdle();
  RECT rc;
  GetWindowRect(inner, &rc);
  EXPECT_EQ(rc.right - rc.left, 300);
  EXPECT_EQ(rc.bottom - rc.top, 200);
  EXPECT_TRUE(f.browser->DefaultInterface());
}

TEST_F(FrameworkBrowser, OnlyTheRestrictedBrowserCarriesTheUIPolicy) {
  auto handlerOf = [](ui::TOleControl* control) {
    IOleClientSite* site = nullptr;
    control->OleObject()->GetClientSite(&site);
    return ui::ComPtr<IOleClientSite>::Adopt(site).As<IDocHostUIHandler>(IID_IDocHostUIHandler);
  };
  FormWithBrowser<ui::TWebBrowser> plain;
  EXPECT_FALSE(handlerOf(plain.browser));
  FormWithBrowser<app::TRestrictedWebBrowser> restricted;
  EXPECT_EQ(restricted.browser->ClassName(), "TRestrictedWebBrowser");
  EXPECT_TRUE(restricted.browser->Is<ui::TWebBrowser>());
  auto handler = handlerOf(restricted.browser);
  ASSERT_TRUE(handler);
  DOCHOSTUIINFO info{};
  info.cbSize = sizeof info;
  EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, app::kRestrictedHostFlags);

  // A new window gets a new hosted control, with the policy again.
  // (Holding the old one, so that its address cannot come back.)
  auto before = ui::ComPtr<IOleObject>::Share(restricted.browser->OleObject());
  restricted.browser->RecreateWnd();
  EXPECT_NE(restricted.browser->OleObject(), before.get());
  EXPECT_TRUE(handlerOf(restricted.browser));
}

TEST_F(FrameworkBrowser, FailuresGoToTheErrorReportAndNeverIntoTheBrowser) {
  wintest::LoopbackListener service;
  {
    // No parent window: the browser cannot exist, and navigating says so.
    ui::TWebBrowser orphan(nullptr);
    EXPECT_THROW(orphan.Navigate(L"http://127.0.0.1/"), ui::Exception);
  }
  FormWithBrowser<ui::TWebBrowser> f;
  struct Thrower {
    void Error(ui::TObject*, const std::wstring&, long) { throw ui::Exception(L"handler failed"); }
  } thrower;
  f.browser->OnNavigateError = ui::MethodOf<&Thrower::Error>(&thrower);
  f.browser->Navigate(Widen("http://" + service.host() + "/soft/top10/top104.php?k="));
  ASSERT_TRUE(service.WaitForRequests(1));
  if (wintest::RunningUnderWine()) {
    ASSERT_TRUE(wintest::PumpUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(errors.front(), L"handler failed");
  }
  // The browser still works after its event handler failed.
  f.browser->Navigate(Widen("http://" + service.host() + "/index3.html"));
  EXPECT_TRUE(service.WaitForRequests(2));
}

TEST_F(FrameworkBrowser, AControlThatCannotBeCreatedLeavesTheFormWholeAndSaysWhyWhenUsed) {
  auto* form = new TBrowserTestForm(nullptr);
  auto* missing = new TMissingControl(form);
  missing->SetParent(form);
  missing->SetBounds(5, 5, 200, 100);
  auto* button = new ui::TButton(form);  // after the broken control in the tab order
  button->SetParent(form);
  button->SetBounds(5, 120, 80, 24);
  form->Show();
  wintest::PumpUntilIdle();
  EXPECT_TRUE(IsWindowVisible(button->Handle()));
  EXPECT_TRUE(missing->HandleAllocated());
  EXPECT_FALSE(missing->ControlCreated());
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      missing->OleObject();
      ADD_FAILURE() << "a control of no class was created";
    } catch (const ui::EOleError& e) {
      EXPECT_TRUE(FAILED(e.ErrorCode()));
      EXPECT_FALSE(e.Message().empty());
    }
  }
  FreeObject(form);
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Com), comBefore_);
  EXPECT_EQ(ui::LiveFrameworkWindows(), windowsBefore_);
}

TEST_F(FrameworkBrowser, FreeingTheFormMidNavigationGivesEverythingBack) {
  wintest::LoopbackListener service;
  for (int round = 0; round < 3; ++round) {
    FormWithBrowser<app::TRestrictedWebBrowser> f;
    f.form->Show();
    f.browser->Navigate(Widen("http://" + service.host() + "/index3.html"));
  }
  wintest::PumpUntilIdle(50, 1000);
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Com), comBefore_);
  EXPECT_EQ(ui::LiveFrameworkWindows(), windowsBefore_);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(wintest::VisibleDialogs(), 0);
}

}  // namespace
