// Paint torture: the gallery, every row of it, wears each skin of the zoo in turn, switched from
// each to each other, normal, maximized and minimized. Nothing may crash or hang, the window must
// always be its client plus that skin's frame, the client must come back to its size, and every
// handle and GDI object must be given back. A failure names the skin and the state.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "ZooSkins.h"
#include "gallery/GalleryForm.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"

namespace {


// The zoo's skins as files, as a skin author would open them.
class ZooFiles {
 public:
  ZooFiles() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tarvimo-zoo";
    std::filesystem::create_directories(dir);
    for (const testskin::ZooStyle& style : testskin::ZooStyles()) {
      const std::filesystem::path file = dir / (style.name + ".skn");
      const std::vector<uint8_t> stream = testskin::ZooSkin(style).Stream();
      std::ofstream(file, std::ios::binary)
          .write(reinterpret_cast<const char*>(stream.data()),
                 static_cast<std::streamsize>(stream.size()));
      paths_.push_back(file.wstring());
    }
  }
  ~ZooFiles() {
    for (const std::wstring& p : paths_) std::filesystem::remove(p);
  }
  const std::wstring& Path(size_t i) const { return paths_[i]; }

 private:
  std::vector<std::wstring> paths_;
};

SIZE ClientSize(HWND wnd) {
  RECT r{};
  GetClientRect(wnd, &r);
  return {r.right, r.bottom};
}

SIZE WindowSize(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

long Counters() { return ui::HandleCounts::Total() + ui::LiveFrameworkWindows(); }

class ZooTorture {
 public:
  explicit ZooTorture(gallery::TGalleryForm* form) : form_(form), wnd_(form->Handle()) {}

  // Switches to zoo skin i and checks the frame in the window's present state.
  void SwitchTo(size_t i, const char* state) {
    const testskin::ZooStyle& style = testskin::ZooStyles()[i];
    SCOPED_TRACE(style.name + ", " + state);
    ASSERT_TRUE(form_->UseSkinFile(files_.Path(i)));
    ASSERT_TRUE(wintest::PumpUntil([&] { return Fitted(style); }, 5000)) << "the frame never took the skin";
    wintest::PumpUntilIdle(10, 400);  // the manager's requests and the rows' repaints run
    CheckFrame(style);
  }

  void CheckFrame(const testskin::ZooStyle& style) const {
    skin::TWinSkinForm* skinner = skin::SkinManager()->FindForm(wnd_);
    ASSERT_NE(skinner, nullptr);
    const skin::FrameMetrics& m = skinner->Metrics();
    if (IsIconic(wnd_) || IsZoomed(wnd_)) {
      // The rectangle the window is restored to surrounds the normal client with this frame.
      WINDOWPLACEMENT wp{};
      wp.length = sizeof wp;
      ASSERT_TRUE(GetWindowPlacement(wnd_, &wp));
      const RECT& normal = wp.rcNormalPosition;
      EXPECT_EQ(normal.right - normal.left, normalClient_.cx + m.HorzExtra()) << "restore width";
      EXPECT_EQ(normal.bottom - normal.top, normalClient_.cy + m.VertExtra()) << "restore height";
    }
    if (IsIconic(wnd_)) return;  // an icon has no client to measure
    EXPECT_EQ(m.LeftWidth, style.borderWidth);
    EXPECT_EQ(m.RightWidth, style.borderWidth);
    EXPECT_EQ(m.BottomHeight, style.borderWidth);
    EXPECT_EQ(m.CaptionHeight, style.captionHeight);
    const SIZE window = WindowSize(wnd_), client = ClientSize(wnd_);
    EXPECT_EQ(window.cx, client.cx + m.HorzExtra());
    EXPECT_EQ(window.cy, client.cy + m.VertExtra());
    if (!IsZoomed(wnd_)) {
      EXPECT_EQ(client.cx, normalClient_.cx) << "the client's width drifted";
      EXPECT_EQ(client.cy, normalClient_.cy) << "the client's height drifted";
    }
    // Every row's skinned control still answers as skinned.
    for (const auto& row : form_->Rows()) {
      auto* windowed = dynamic_cast<ui::TWinControl*>(row.skinned);
      if (!windowed || !windowed->HandleAllocated()) continue;
      const bool skinned = SendMessageW(windowed->Handle(), skin::SM_ISSKINNED, 0, 0) != 0;
      if (wasSkinned_.size() < form_->Rows().size()) continue;
      EXPECT_EQ(skinned, wasSkinned_[&row - form_->Rows().data()])
          << std::string(row.title.begin(), row.title.end());
    }
  }

  void RememberNormal() {
    normalClient_ = ClientSize(wnd_);
    wasSkinned_.clear();
    for (const auto& row : form_->Rows()) {
      auto* windowed = dynamic_cast<ui::TWinControl*>(row.skinned);
      wasSkinned_.push_back(windowed && windowed->HandleAllocated() &&
                            SendMessageW(windowed->Handle(), skin::SM_ISSKINNED, 0, 0) != 0);
    }
  }

  // Back to the embedded skin, once the window has taken it.
  bool UseEmbedded() {
    if (!form_->UseEmbeddedSkin()) return false;
    if (!wintest::PumpUntil([] { return skin::SkinManager()->PendingAction() == skin::TSkinManage::kNone; },
              5000))
      return false;
    wintest::PumpUntilIdle(10, 400);
    return true;
  }

  void Show(int command) {
    ShowWindow(wnd_, command);
    wintest::PumpUntilIdle(10, 300);
  }

 private:
  // The skin's elements are taken at once; the window is fitted to them by the manager's re-skin a
  // moment later, and only then may the frame be measured.
  bool Fitted(const testskin::ZooStyle& style) const {
    skin::TWinSkinForm* s = skin::SkinManager()->FindForm(wnd_);
    return s && s->LifecycleState() == skin::TWinSkinForm::kLive &&
           skin::SkinManager()->PendingAction() == skin::TSkinManage::kNone &&
           s->Metrics().CaptionHeight == style.captionHeight &&
           s->Metrics().LeftWidth == style.borderWidth;
  }

  gallery::TGalleryForm* form_;
  HWND wnd_;
  ZooFiles files_;
  SIZE normalClient_{};
  std::vector<bool> wasSkinned_;
};

}  // namespace

TEST(SkinZoo, TheGalleryWearsEveryZooSkinNormalMaximizedAndMinimized) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  auto* form = new gallery::TGalleryForm(nullptr);
  ASSERT_TRUE(form->LoadSkin(gallery::EmbeddedSkinPayload()));
  form->Show();
  SetForegroundWindow(form->Handle());
  wintest::PumpUntilIdle(10, 500);
  std::vector<std::wstring> errors;
  form->OnSkinError = [&](const std::wstring& why) { errors.push_back(why); };
  // A client area as large as the screen at most: a window may grow past the screen by its frame,
  // not by its client area, and a client that must stay the same size has to fit.
  RECT client{};
  GetClientRect(form->Handle(), &client);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN),
            screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (client.right > screenWidth || client.bottom > screenHeight) {
    form->SetClientSize(std::min<int>(client.right, screenWidth - 64),
                        std::min<int>(client.bottom, screenHeight - 128));
    wintest::PumpUntilIdle(10, 500);
  }
  ZooTorture torture(form);
  torture.RememberNormal();
  const size_t n = testskin::ZooStyles().size();
  // Once through the zoo and its window states first: what the controls make the first time they
  // are painted in a state or meet a skin (a native brush, pen or font where a sparse skin lacks an
  // image) they keep for good, so the handles are counted from the embedded skin after that.
  for (size_t i = 0; i < n && !HasFatalFailure(); ++i) torture.SwitchTo(i, "normal");
  for (const int command : {SW_MAXIMIZE, SW_MINIMIZE, SW_RESTORE, SW_RESTORE})
    torture.Show(command);
  ASSERT_TRUE(torture.UseEmbedded());
  const long counters = Counters();
  const long gdi = wintest::LiveGdiObjects();

  // Each skin in the three states, then back to normal.
  for (size_t i = 0; i < n && !HasFatalFailure(); ++i) {
    torture.SwitchTo(i, "normal");
    torture.Show(SW_MAXIMIZE);
    torture.CheckFrame(testskin::ZooStyles()[i]);
    torture.SwitchTo((i + 1) % n, "maximized");
    torture.Show(SW_MINIMIZE);
    torture.SwitchTo(i, "minimized");
    torture.Show(SW_RESTORE);
    torture.Show(SW_RESTORE);  // from the icon to maximized, then to normal
    torture.CheckFrame(testskin::ZooStyles()[i]);
  }
  // Each skin to each other skin at least once, in the normal state: walks of a fixed step d
  // through the skins, one for each d up to n / 2, take every pair with that distance in turn.
  for (size_t d = 1; d <= n / 2 && !HasFatalFailure(); ++d)
    for (size_t start = 0; start < std::gcd(d, n) && !HasFatalFailure(); ++start)
      for (size_t k = 0; k <= n / std::gcd(d, n) && !HasFatalFailure(); ++k)
        torture.SwitchTo((start + k * d) % n, "normal");
  EXPECT_TRUE(errors.empty()) << std::string(errors.front().begin(), errors.front().end());

  ASSERT_TRUE(torture.UseEmbedded());
  EXPECT_EQ(Counters(), counters);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
  delete form;
}
