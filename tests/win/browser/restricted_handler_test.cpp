// The restricted host's policy, asked the way the engine asks it: through the client site of a
// real WebBrowser control, one operation at a time (under Wine no document is created, so the
// engine itself never gets this far).
#include <gtest/gtest.h>

#include <exdisp.h>
#include <mshtmhst.h>

#include "BrowserTestSupport.h"
#include "browser/RBrowser.h"
#include "ui/OleControl.h"

namespace {

class RestrictedPolicy : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ole_.ok());
    host_.Create(window_.get(), CLSID_WebBrowser, app::AddRestrictedUIHandler);
    IOleClientSite* site = nullptr;
    ASSERT_EQ(host_.Object()->GetClientSite(&site), S_OK);
    auto sitePtr = ui::ComPtr<IOleClientSite>::Adopt(site);
    handler_ = sitePtr.As<IDocHostUIHandler>(IID_IDocHostUIHandler);
    ASSERT_TRUE(handler_);
  }
  void TearDown() override {
    handler_.reset();
    host_.Destroy();
  }

  wintest::OleScope ole_;
  wintest::HostWindow window_;
  ui::OleHost host_;
  ui::ComPtr<IDocHostUIHandler> handler_;
};

template <class T>
T* Garbage() {
  return reinterpret_cast<T*>(static_cast<uintptr_t>(0xBAADF00D));
}

TEST_F(RestrictedPolicy, HostInfoAsksForNoBorderNoScrollBarsAndThemesAndKeepsTheStrings) {
  OLECHAR css[] = L"body{}";
  OLECHAR ns[] = L"ns";
  DOCHOSTUIINFO info{};
  info.cbSize = sizeof info;
  info.dwFlags = 0xFFFFFFFF;
  info.dwDoubleClick = DOCHOSTUIDBLCLK_SHOWCODE;
  info.pchHostCss = css;
  info.pchHostNS = ns;
  EXPECT_EQ(handler_->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.cbSize, 12u);
  EXPECT_EQ(info.dwFlags, 0x4000Cu);
  EXPECT_EQ(info.dwDoubleClick, 0u);
  EXPECT_EQ(info.pchHostCss, css);
  EXPECT_EQ(info.pchHostNS, ns);
  EXPECT_FALSE(SUCCEEDED(handler_->GetHostInfo(nullptr)));
}

TEST_F(RestrictedPolicy, OnlyF5KeyDownIsTakenAway) {
  struct Case {
    UINT msg;
    WPARAM key;
    HRESULT expected;
  };
  const Case cases[] = {
      {WM_KEYDOWN, VK_F5, S_OK},
      {WM_KEYUP, VK_F5, S_FALSE},
      {WM_SYSKEYDOWN, VK_F5, S_FALSE},
      {WM_KEYDOWN, VK_F4, S_FALSE},
      {WM_KEYDOWN, VK_TAB, S_FALSE},
      {WM_KEYDOWN, 'R', S_FALSE},
      {WM_KEYDOWN, VK_BROWSER_REFRESH, S_FALSE},
      {WM_CHAR, 't', S_FALSE},
      {WM_KEYDOWN, VK_LEFT, S_FALSE},
  };
  for (const Case& c : cases) {
    MSG msg{window_.get(), c.msg, c.key, 0, 0, {}};
    EXPECT_EQ(handler_->TranslateAccelerator(&msg, nullptr, 0), c.expected)
        << "message 0x" << std::hex << c.msg << " key 0x" << c.key;
  }
  EXPECT_EQ(handler_->TranslateAccelerator(nullptr, nullptr, 0), S_FALSE);
}

TEST_F(RestrictedPolicy, NothingIsHandedOutAndEverythingPassesUnchanged) {
  LPOLESTR key = Garbage<OLECHAR>();
  EXPECT_EQ(handler_->GetOptionKeyPath(&key, 0), S_FALSE);
  EXPECT_EQ(key, nullptr);

  IDropTarget* drop = Garbage<IDropTarget>();
  EXPECT_EQ(handler_->GetDropTarget(nullptr, &drop), E_NOTIMPL);
  EXPECT_EQ(drop, nullptr);

  IDispatch* external = Garbage<IDispatch>();
  EXPECT_EQ(handler_->GetExternal(&external), S_FALSE);  // page scripts get no host object
  EXPECT_EQ(external, nullptr);

  OLECHAR url[] = L"http://s.tarvimo.example/index3.html";
  LPWSTR translated = Garbage<OLECHAR>();
  EXPECT_EQ(handler_->TranslateUrl(0, url, &translated), S_FALSE);
  EXPECT_EQ(translated, nullptr);

  IDataObject* data = Garbage<IDataObject>();
  EXPECT_EQ(handler_->FilterDataObject(nullptr, &data), S_FALSE);
  EXPECT_EQ(data, nullptr);

  // Null out-parameters are tolerated.
  EXPECT_EQ(handler_->GetOptionKeyPath(nullptr, 0), S_FALSE);
  EXPECT_EQ(handler_->GetExternal(nullptr), S_FALSE);
}

}  // namespace
