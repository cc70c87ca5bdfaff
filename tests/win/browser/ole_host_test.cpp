// The ActiveX container with the real WebBrowser control: the request a navigation makes, what
// the control finds on its client site, failures, and taking the control down at any moment.
#include <gtest/gtest.h>

#include <exdisp.h>
#include <exdispid.h>
#include <mshtmhst.h>

#include <algorithm>

#include "BrowserTestSupport.h"
#include "support/LoopbackListener.h"
#include "app/QueryBuilder.h"
#include "browser/RBrowser.h"
#include "support/WinTestSupport.h"
#include "ui/OleControl.h"

namespace {

using wintest::Widen;

struct BrowserEvents {
  std::vector<DISPID> seen;
  long errorStatus = 0;
  bool Finished() const {
    return std::any_of(seen.begin(), seen.end(), [](DISPID id) {
      return id == DISPID_NAVIGATEERROR || id == DISPID_DOCUMENTCOMPLETE;
    });
  }
  void Record(DISPID id, DISPPARAMS& params) {
    seen.push_back(id);
    // NavigateError(pDisp, URL, Frame, StatusCode, Cancel): arguments arrive in reverse order.
    if (id == DISPID_NAVIGATEERROR && params.cArgs == 5) {
      const VARIANT& status = params.rgvarg[1];
      if (status.vt == (VT_VARIANT | VT_BYREF) && status.pvarVal)
        errorStatus = status.pvarVal->lVal;
    }
  }
};

ui::ComPtr<IOleClientSite> ClientSiteOf(const ui::OleHost& host) {
  IOleClientSite* site = nullptr;
  if (!host.Object() || FAILED(host.Object()->GetClientSite(&site))) return {};
  return ui::ComPtr<IOleClientSite>::Adopt(site);
}

class WebBrowserHost : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ole_.ok());
    ASSERT_TRUE(window_.get());
    comBefore_ = ui::HandleCounts::Live(ui::HandleKind::Com);
  }
  wintest::OleScope ole_;
  wintest::HostWindow window_;
  long comBefore_ = 0;
};

TEST_F(WebBrowserHost, NavigationSendsTheEncodedQueryExactlyAndNeverRaisesADialog) {
  wintest::LoopbackListener service;
  ASSERT_NE(service.port(), 0);
  ui::OleHost host;
  host.Create(window_.get(), CLSID_WebBrowser);
  ASSERT_TRUE(host.Created());
  BrowserEvents events;
  host.Advise(DIID_DWebBrowserEvents2,
              [&](DISPID id, DISPPARAMS& params) { events.Record(id, params); });

  app::QueryFilters filters;
  filters.keyword = u"\u70ED\u95E8";  // non-ASCII is lost unless the program escapes it
  filters.location = 1;
  filters.lowerPrice = 500;
  filters.upperPrice = 100;
  const std::string url = app::BuildRankingQuery(filters, service.host()).url;
  ui::NavigateWebBrowser(host.Object(), Widen(url));

  ASSERT_TRUE(service.WaitForRequests(1));
  const std::string path = url.substr(url.find('/', 7));
  EXPECT_EQ(service.RequestLines().front(), "GET " + path + " HTTP/1.1");
  EXPECT_EQ(path,
            "/soft/top10/top104.php?k=%E7%83%AD%E9%97%A8&sp=100&ep=500"
            "&area=%E6%B1%9F%E8%8B%8F%2C%E6%B5%99%E6%B1%9F%2C%E4%B8%8A%E6%B5%B7"
            "&s=commissionVolume_desc&sc=1heart&ec=5goldencrown");

  // Under Wine no page is rendered: the control reports a navigation error instead of a
  // document. Either way the navigation ends, quietly.
  EXPECT_TRUE(wintest::PumpUntil([&] { return events.Finished(); }));
  if (wintest::RunningUnderWine()) {
    EXPECT_NE(std::count(events.seen.begin(), events.seen.end(), DISPID_NAVIGATEERROR), 0);
  }
  wintest::PumpUntilIdle(100, 1000);
  EXPECT_EQ(wintest::VisibleDialogs(), 0);
}

TEST_F(WebBrowserHost, RestrictedPolicyIsOnTheClientSiteWithTheSiteIdentity) {
  {
    ui::OleHost plain;
    plain.Create(window_.get(), CLSID_WebBrowser);
    auto site = ClientSiteOf(plain);
    ASSERT_TRUE(site);
    EXPECT_FALSE(site.As<IDocHostUIHandler>(IID_IDocHostUIHandler));
  }
  ui::OleHost host;
  host.Create(window_.get(), CLSID_WebBrowser, app::AddRestrictedUIHandler);
  auto site = ClientSiteOf(host);
  ASSERT_TRUE(site);
  auto handler = site.As<IDocHostUIHandler>(IID_IDocHostUIHandler);
  ASSERT_TRUE(handler);
  // COM identity: every interface of the site answers IUnknown with the same object, and
  // each can reach the others.
  auto fromSite = site.As<IUnknown>(IID_IUnknown);
  auto fromHandler = handler.As<IUnknown>(IID_IUnknown);
  EXPECT_EQ(fromSite.get(), fromHandler.get());
  EXPECT_TRUE(handler.As<IOleInPlaceSite>(IID_IOleInPlaceSite));
  auto inPlaceSite = site.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
  ASSERT_TRUE(inPlaceSite);
  HWND siteWindow = nullptr;
  EXPECT_EQ(inPlaceSite->GetWindow(&siteWindow), S_OK);
  EXPECT_EQ(siteWindow, window_.get());
}

TEST_F(WebBrowserHost, ControlLivesInTheHostAndAnswersForItsInnerWindows) {
  ui::OleHost host;
  host.Create(window_.get(), CLSID_WebBrowser);
  EXPECT_EQ(ui::OleHost::FromWindow(window_.get()), &host);
  if (HWND inner = host.ControlWindow()) {
    EXPECT_TRUE(IsChild(window_.get(), inner));
    EXPECT_EQ(ui::OleHost::FromWindow(inner), &host);
  }
  wintest::HostWindow other;
  EXPECT_EQ(ui::OleHost::FromWindow(other.get()), nullptr);
  // Key messages only; a window outside any host is nobody's business.
  MSG paint{window_.get(), WM_PAINT, 0, 0, 0, {}};
  EXPECT_FALSE(ui::TranslateOleAccelerator(paint));
  MSG key{other.get(), WM_KEYDOWN, VK_F5, 0, 0, {}};
  EXPECT_FALSE(ui::TranslateOleAccelerator(key));
  host.Destroy();
  EXPECT_EQ(ui::OleHost::FromWindow(window_.get()), nullptr);
}

TEST_F(WebBrowserHost, FailuresAreReportedAsErrorsAndLeaveNothingBehind) {
  ui::OleHost host;
  try {
    host.Create(window_.get(), GUID_NULL);
    FAIL() << "a class that does not exist was created";
  } catch (const ui::EOleError& e) {
    EXPECT_TRUE(FAILED(e.ErrorCode()));
    EXPECT_FALSE(e.Message().empty());
  }
  EXPECT_FALSE(host.Created());
  EXPECT_EQ(ui::OleHost::FromWindow(window_.get()), nullptr);
  EXPECT_THROW(host.Create(nullptr, CLSID_WebBrowser), ui::EOleError);

  EXPECT_THROW(ui::NavigateWebBrowser(nullptr, L"http://127.0.0.1/"), ui::EOleError);
  IStream* raw = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &raw), S_OK);
  auto stream = ui::ComPtr<IStream>::Adopt(raw);
  try {
    ui::NavigateWebBrowser(stream.get(), L"http://127.0.0.1/");
    ADD_FAILURE() << "a stream navigated";
  } catch (const ui::EOleError& e) {
    EXPECT_EQ(e.ErrorCode(), E_NOINTERFACE);
  }
  stream.reset();
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Com), comBefore_);
}

TEST_F(WebBrowserHost, TakingTheControlDownMidNavigationOrAfterItsWindowIsSafe) {
  wintest::LoopbackListener service;
  for (int round = 0; round < 3; ++round) {
    ui::OleHost host;
    host.Create(window_.get(), CLSID_WebBrowser, app::AddRestrictedUIHandler);
    host.Advise(DIID_DWebBrowserEvents2, [](DISPID, DISPPARAMS&) {});
    ui::NavigateWebBrowser(host.Object(), Widen("http://" + service.host() +
                                                "/index3.html?round=" + std::to_string(round)));
    host.Destroy();
    host.Destroy();
    wintest::PumpUntilIdle(30, 500);
  }
  {
    wintest::HostWindow doomed;
    ui::OleHost host;
    host.Create(doomed.get(), CLSID_WebBrowser);
    doomed.Destroy();  // the window goes first; the host is freed afterwards
    wintest::PumpUntilIdle(30, 500);
  }
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Com), comBefore_);
  EXPECT_EQ(wintest::VisibleDialogs(), 0);
}

}  // namespace
