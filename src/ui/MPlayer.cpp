#include "ui/MPlayer.h"

#include <windowsx.h>

#include "ui/TypInfo.h"

namespace ui {

namespace {
const char* const kButtonNames[kMPButtonCount] = {
    "MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"};
const char* const kLookNames[3] = {"EN", "DI", "CL"};
}  // namespace

const TEnumInfo& MPBtnTypeInfo() {
  static const TEnumInfo info{"TMPBtnType",
                              {"btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep",
                               "btBack", "btRecord", "btEject"}};
  return info;
}

std::wstring MPGlyphResourceName(TMPGlyphLook look, int button) {
  std::string name = std::string(kLookNames[static_cast<int>(look)]) + "_" +
                     kButtonNames[std::clamp(button, 0, kMPButtonCount - 1)];
  return std::wstring(name.begin(), name.end());
}

TMPGlyphs LoadMPGlyphs(TMPGlyphLook look) {
  TMPGlyphs glyphs;
  HMODULE module = GetModuleHandleW(nullptr);
  for (int i = 0; i < kMPButtonCount; ++i) {
    glyphs[static_cast<size_t>(i)] = std::make_unique<TBitmap>();
    const std::wstring name = MPGlyphResourceName(look, i);
    // A program without the artwork shows its buttons without glyphs.
    if (FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(2) /* RT_BITMAP */))
      glyphs[static_cast<size_t>(i)]->LoadFromResourceName(module, name);
  }
  return glyphs;
}

UI_IMPLEMENT_CLASS(TMediaPlayer, TCustomControl,
                   P::Set("VisibleButtons", MPBtnTypeInfo(), &TMediaPlayer::VisibleButtons,
                          &TMediaPlayer::SetVisibleButtons),
                   P::Set("EnabledButtons", MPBtnTypeInfo(), &TMediaPlayer::EnabledButtons,
                          &TMediaPlayer::SetEnabledButtons),
                   P::Set("ColoredButtons", MPBtnTypeInfo(), &TMediaPlayer::ColoredButtons,
                          &TMediaPlayer::SetColoredButtons))

TMediaPlayer::TMediaPlayer(TComponent* AOwner) : TCustomControl(AOwner) {
  UpdateBoundsFields(0, 0, 253, 30);
}

TMediaPlayer::~TMediaPlayer() = default;

void TMediaPlayer::SetVisibleButtons(uint32_t set) {
  visible_ = set & kMPAllButtons;
  Invalidate();
}
void TMediaPlayer::SetEnabledButtons(uint32_t set) {
  enabled_ = set & kMPAllButtons;
  Invalidate();
}
void TMediaPlayer::SetColoredButtons(uint32_t set) {
  coloured_ = set & kMPAllButtons;
  Invalidate();
}

RECT TMediaPlayer::ButtonRect(int slot, int count) {
  const RECT client = ClientRect();
  const int w = count > 0 ? client.right / count : 0;
  return RECT{slot * w, 0, slot * w + w, client.bottom};
}

int TMediaPlayer::ButtonAt(int x, int y) {
  int count = 0;
  for (int i = 0; i < kMPButtonCount; ++i) count += (visible_ >> i) & 1;
  int slot = 0;
  const POINT p{x, y};
  for (int i = 0; i < kMPButtonCount; ++i) {
    if (!((visible_ >> i) & 1)) continue;
    const RECT r = ButtonRect(slot++, count);
    if (PtInRect(&r, p)) return i;
  }
  return -1;
}

void TMediaPlayer::Paint() {
  if (!glyphsLoaded_) {
    for (int look = 0; look < 3; ++look)
      glyphs_[static_cast<size_t>(look)] = LoadMPGlyphs(static_cast<TMPGlyphLook>(look));
    glyphsLoaded_ = true;
  }
  TCanvas* c = Canvas();
  HDC dc = c->Handle();
  const RECT client = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(client);
  int count = 0;
  for (int i = 0; i < kMPButtonCount; ++i) count += (visible_ >> i) & 1;
  int slot = 0;
  for (int i = 0; i < kMPButtonCount; ++i) {
    if (!((visible_ >> i) & 1)) continue;
    RECT r = ButtonRect(slot++, count);
    const bool down = i == pressed_;
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    const bool enabled = (enabled_ >> i) & 1;
    const auto look = !enabled                 ? TMPGlyphLook::Disabled
                      : ((coloured_ >> i) & 1) ? TMPGlyphLook::Coloured
                                               : TMPGlyphLook::Enabled;
    TBitmap& glyph = *glyphs_[static_cast<size_t>(look)][static_cast<size_t>(i)];
    if (glyph.Empty()) continue;
    const int shift = down ? 1 : 0;
    const int x = (r.left + r.right - glyph.Width()) / 2 + shift;
    const int y = (r.top + r.bottom - glyph.Height()) / 2 + shift;
    MemoryDC src = MakeMemoryDC(dc);
    SelectGuard selected(src.get(), glyph.Handle());
    TransparentBlt(dc, x, y, glyph.Width(), glyph.Height(), src.get(), 0, 0, glyph.Width(),
                   glyph.Height(), kMPGlyphKey);
  }
}

void TMediaPlayer::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const int hit = ButtonAt(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      pressed_ = hit >= 0 && ((enabled_ >> hit) & 1) ? hit : -1;
      Invalidate();
      break;
    }
    case WM_LBUTTONUP: {
      const int was = pressed_;
      pressed_ = -1;
      Invalidate();
      const int hit = ButtonAt(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      TCustomControl::WndProc(m);
      if (was >= 0 && hit == was && OnClick) OnClick(this, static_cast<TMPBtnType>(was));
      return;
    }
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

}  // namespace ui
