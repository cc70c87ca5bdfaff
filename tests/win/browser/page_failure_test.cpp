// The page-failure message over a browser on a form: shown only after a failure, painted over
// the browser, gone on the next success, and its button handing the address to an opener.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BrowserEvents.h"
#include "BrowserTestSupport.h"
#include "browser/NavigateFailure.h"
#include "browser/PageFailure.h"
#include "support/LoopbackListener.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Forms.h"

namespace {

class TPageFailureTestForm : public ui::TForm {
  UI_CLASS(TPageFailureTestForm, ui::TForm)
 public:
  using TForm::TForm;
};
UI_IMPLEMENT_CLASS(TPageFailureTestForm, ui::TForm)

[[gnu::noinline]] void FreeObject(ui::TObject* object) { delete object; }

const std::wstring kRanking =
    L"http://127.0.0.1:9/soft/top10/top104.php?k=%E7%83%AD%E5%8D%96&sp=0&ep=99999999&area="
    L"&s=commissionVolume_desc&sc=1heart&ec=5goldencrown";

struct ClassSearch {
  const wchar_t* cls;
  int count = 0;
};

BOOL CALLBACK CountClass(HWND wnd, LPARAM p) {
  auto* s = reinterpret_cast<ClassSearch*>(p);
  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 64);
  if (lstrcmpW(name, s->cls) == 0) ++s->count;
  return TRUE;
}

// Windows of a class among the descendants of `parent`.
int ChildWindowsOfClass(HWND parent, const wchar_t* cls) {
  ClassSearch search{cls};
  EnumChildWindows(parent, CountClass, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

std::wstring WindowText(HWND wnd) {
  std::wstring text(GetWindowTextLengthW(wnd) + 1, L'\0');
  text.resize(GetWindowTextW(wnd, text.data(), static_cast<int>(text.size())));
  return text;
}

// Pixels of the form's client area, as on screen, inside `r` (client coordinates) that differ
// between two captures.
int DifferingPixels(const wintest::Dib32& a, const wintest::Dib32& b, const RECT& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
  return n;
}

std::unique_ptr<wintest::Dib32> CaptureClient(HWND wnd) {
  RECT r;
  GetClientRect(wnd, &r);
  auto dib = std::make_unique<wintest::Dib32>(r.right, r.bottom);
  ui::WindowDC src = ui::WindowDC::Client(wnd);
  BitBlt(dib->dc(), 0, 0, r.right, r.bottom, src.get(), 0, 0, SRCCOPY);
  return dib;
}

class PageFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application->Initialize();
    ui::Application->OnException = ui::MethodOf<&PageFailure::Record>(this);
    comBefore_ = ui::HandleCounts::Live(ui::HandleKind::Com);
    windowsBefore_ = ui::LiveFrameworkWindows();
    form = new TPageFailureTestForm(nullptr);
    form->SetBounds(30, 30, 640, 480);
    browser = new ui::TWebBrowser(form);
    browser->SetParent(form);
    browser->SetBounds(5, 40, 600, 380);
  }
  void TearDown() override {
    // The message, its button and whatever the events held go with the form.
    FreeObject(form);
    EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Com), comBefore_);
    EXPECT_EQ(ui::LiveFrameworkWindows(), windowsBefore_);
    ui::Application->OnException = nullptr;
  }
  void Record(ui::TObject*, const std::exception_ptr& e) {
    errors.push_back(ui::ExceptionMessage(e));
  }
  void ShowForm() {
    form->Show();
    wintest::PumpUntilIdle();
  }
  // A failure or a success, through the browser's event connection; where the engine does not
  // list its sinks, through the event the framework raises from them.
  void Fail(const std::wstring& url, long status) {
    if (wintest::FireNavigateError(browser, url, status) < 0)
      browser->OnNavigateError(browser, url, status);
    wintest::PumpUntilIdle();
  }
  void Succeed(const std::wstring& url, DISPID id = DISPID_NAVIGATECOMPLETE2) {
    if (wintest::FireNavigateComplete(browser, url, id) < 0)
      (id == DISPID_NAVIGATECOMPLETE2 ? browser->OnNavigateComplete2 : browser->OnDocumentComplete)(
          browser, url);
    wintest::PumpUntilIdle();
  }
  bool MessageShown(app::TPageFailureView* view) {
    return view->HandleAllocated() && IsWindowVisible(view->Handle());
  }

  TPageFailureTestForm* form = nullptr;
  ui::TWebBrowser* browser = nullptr;
  std::vector<std::wstring> errors;
  long comBefore_ = 0;
  long windowsBefore_ = 0;
};

TEST_F(PageFailure, AFailureCoversTheBrowserWithTheMessageAndASuccessTakesItAway) {
  app::TPageFailureView* view = app::WatchPageFailures(browser);
  EXPECT_EQ(app::WatchPageFailures(browser), view);  // one per browser
  ShowForm();
  // Until something fails, none of it exists on screen.
  EXPECT_FALSE(view->HandleAllocated());
  EXPECT_EQ(ChildWindowsOfClass(form->Handle(), L"TPageFailureView"), 0);
  const auto blank = CaptureClient(form->Handle());

  Fail(kRanking, app::kNavCannotInstantiateObject);
  ASSERT_TRUE(MessageShown(view));
  EXPECT_EQ(view->BoundsRect().left, browser->Left());
  EXPECT_EQ(view->BoundsRect().top, browser->Top());
  EXPECT_EQ(view->Width(), browser->Width());
  EXPECT_EQ(view->Height(), browser->Height());
  // On top of the browser: the window at the browser's centre is the message.
  POINT centre{browser->Left() + browser->Width() / 2, browser->Top() + browser->Height() / 2};
  EXPECT_EQ(ChildWindowFromPointEx(form->Handle(), centre, CWP_SKIPINVISIBLE), view->Handle());
  // It names the address and the failure.
  const std::wstring text = WindowText(view->Handle());
  EXPECT_NE(text.find(kRanking), std::wstring::npos);
  EXPECT_NE(text.find(view->Reason()), std::wstring::npos);
  EXPECT_EQ(view->Reason(), L"本机的网页显示组件无法显示网页");
  // And it is painted: the browser's area no longer looks as it did.
  const auto shown = CaptureClient(form->Handle());
  EXPECT_GT(DifferingPixels(*blank, *shown, view->BoundsRect()), 500);
  EXPECT_TRUE(view->OpenButton()->Enabled());
  EXPECT_TRUE(IsWindowVisible(view->OpenButton()->Handle()));

  // The engine's own error page completing is no success.
  Succeed(L"res://ieframe.dll/dnserror.htm#" + kRanking);
  EXPECT_TRUE(MessageShown(view));
  // A page that completes is; the keyboard, which was on the message's button, goes to the
  // page rather than staying with a hidden window.
  view->OpenButton()->SetFocus();
  ASSERT_EQ(GetFocus(), view->OpenButton()->Handle());
  Succeed(kRanking);
  EXPECT_FALSE(MessageShown(view));
  EXPECT_TRUE(GetFocus() == browser->Handle() || IsChild(browser->Handle(), GetFocus()));
  const auto after = CaptureClient(form->Handle());
  EXPECT_LT(DifferingPixels(*blank, *after, browser->BoundsRect()), 50);

  // Back with the next failure, gone with the next document.
  Fail(kRanking, 500);
  EXPECT_TRUE(MessageShown(view));
  EXPECT_NE(view->Reason().find(L"HTTP 500"), std::wstring::npos);
  Succeed(kRanking, DISPID_DOCUMENTCOMPLETE);
  EXPECT_FALSE(MessageShown(view));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(wintest::VisibleDialogs(), 0);
}

TEST_F(PageFailure, FailuresInQuickSuccessionLeaveOneMessageWithTheLastAddress) {
  app::TPageFailureView* view = app::WatchPageFailures(browser);
  ShowForm();
  const long codes[] = {app::kNavCannotConnect, app::kNavConnectionTimeout,
                        static_cast<long>(0x800C1234)};
  for (int i = 0; i < 3; ++i) {
    const std::wstring url = L"http://127.0.0.1:9/page" + std::to_wstring(i);
    if (wintest::FireNavigateError(browser, url, codes[i]) < 0)
      browser->OnNavigateError(browser, url, codes[i]);
  }
  wintest::PumpUntilIdle();
  EXPECT_EQ(ChildWindowsOfClass(form->Handle(), L"TPageFailureView"), 1);
  EXPECT_EQ(view->Address(), L"http://127.0.0.1:9/page2");
  EXPECT_NE(view->Reason().find(L"0x800C1234"), std::wstring::npos);
  EXPECT_NE(WindowText(view->Handle()).find(L"/page2"), std::wstring::npos);
  EXPECT_EQ(WindowText(view->Handle()).find(L"/page1"), std::wstring::npos);
}

TEST_F(PageFailure, TheButtonHandsTheAddressToTheOpenerAndSaysWhenItCannotStart) {
  app::TPageFailureView* view = app::WatchPageFailures(browser);
  struct Call {
    HWND owner;
    std::wstring url;
  };
  std::vector<Call> calls;
  intptr_t answer = 42;
  view->SetOpener([&](HWND owner, const std::wstring& url) {
    calls.push_back({owner, url});
    return answer;
  });
  ShowForm();
  Fail(kRanking, app::kNavCannotInstantiateObject);
  ASSERT_TRUE(MessageShown(view));

  SendMessageW(view->OpenButton()->Handle(), BM_CLICK, 0, 0);
  wintest::PumpUntilIdle();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].url, kRanking);
  EXPECT_EQ(calls[0].owner, form->Handle());
  EXPECT_TRUE(view->OpenError().empty());

  // A browser that cannot be started (ShellExecute's "file not found") is reported in the
  // message, which stays; the click returns at once.
  const auto before = CaptureClient(form->Handle());
  answer = 2;
  SendMessageW(view->OpenButton()->Handle(), BM_CLICK, 0, 0);
  wintest::PumpUntilIdle();
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_NE(view->OpenError().find(L"2"), std::wstring::npos);
  EXPECT_TRUE(MessageShown(view));
  const auto after = CaptureClient(form->Handle());
  EXPECT_GT(DifferingPixels(*before, *after, view->BoundsRect()), 30);
  // Asking again and succeeding clears the complaint.
  answer = 33;
  view->OpenAddress();
  EXPECT_TRUE(view->OpenError().empty());

  // An address that is no web address is never handed on.
  Fail(L"file:///C:/windows/system32/calc.exe", app::kNavObjectNotFound);
  EXPECT_TRUE(MessageShown(view));
  EXPECT_FALSE(view->OpenButton()->Enabled());
  view->OpenAddress();
  EXPECT_EQ(calls.size(), 3u);
  EXPECT_FALSE(view->OpenError().empty());
  EXPECT_TRUE(errors.empty());
}

TEST_F(PageFailure, ALongAddressIsShortenedToTheAreaAndAShortOneShownWhole) {
  app::TPageFailureView* view = app::WatchPageFailures(browser);
  ShowForm();
  std::wstring longUrl = L"http://127.0.0.1:9/soft/top10/top104.php?k=";
  for (int i = 0; i < 300; ++i) longUrl += L"%E7%83%AD";
  longUrl += L"&sc=1heart&ec=5goldencrown";
  Fail(longUrl, app::kNavCannotConnect);
  const std::wstring shown = view->ShownAddress();
  EXPECT_LT(shown.size(), longUrl.size() / 4);
  EXPECT_EQ(shown.rfind(L"http://127.0.0.1:9/", 0), 0u) << shown;
  EXPECT_NE(shown.find(L"\u2026"), std::wstring::npos);
  EXPECT_EQ(longUrl.substr(longUrl.size() - 8), shown.substr(shown.size() - 8));
  // The whole address is still what the button hands on.
  EXPECT_EQ(view->Address(), longUrl);

  // A narrower browser gets a shorter line.
  browser->SetWidth(300);
  Fail(longUrl, app::kNavCannotConnect);
  EXPECT_LT(view->ShownAddress().size(), shown.size());

  Fail(L"http://127.0.0.1:9/index3.html", app::kNavCannotConnect);
  EXPECT_EQ(view->ShownAddress(), L"http://127.0.0.1:9/index3.html");
}

TEST_F(PageFailure, HandlersSetBeforeStillRunAndComeBackWhenTheMessageGoes) {
  struct Sink {
    std::vector<std::wstring> failed, completed;
    void Error(ui::TObject*, const std::wstring& url, long) { failed.push_back(url); }
    void Complete(ui::TObject*, const std::wstring& url) { completed.push_back(url); }
  } sink;
  const auto error = ui::MethodOf<&Sink::Error>(&sink);
  const auto complete = ui::MethodOf<&Sink::Complete>(&sink);
  browser->OnNavigateError = error;
  browser->OnNavigateComplete2 = complete;
  app::TPageFailureView* view = app::WatchPageFailures(browser);
  ShowForm();
  Fail(kRanking, app::kNavCannotConnect);
  Succeed(kRanking);
  EXPECT_EQ(sink.failed.size(), 1u);
  EXPECT_EQ(sink.completed.size(), 1u);
  FreeObject(view);
  EXPECT_TRUE(browser->OnNavigateError == error);
  EXPECT_TRUE(browser->OnNavigateComplete2 == complete);
  EXPECT_FALSE(browser->OnDocumentComplete);
}

// Under Wine the engine itself fails every navigation: the message comes on its own.
TEST_F(PageFailure, TheEnginesOwnFailureBringsTheMessage) {
  if (!wintest::RunningUnderWine()) GTEST_SKIP() << "the engine shows pages here";
  app::TPageFailureView* view = app::WatchPageFailures(browser);
  ShowForm();
  browser->Navigate(L"http://127.0.0.1:9/index3.html");
  ASSERT_TRUE(wintest::PumpUntil([&] { return MessageShown(view); }));
  EXPECT_EQ(view->Address(), L"http://127.0.0.1:9/index3.html");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(wintest::VisibleDialogs(), 0);
}

}  // namespace
