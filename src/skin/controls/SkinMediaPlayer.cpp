#include "skin/controls/SkinMediaPlayer.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/controls/SkinnerHelpers.h"
#include "skin/frame/CanvasPrimitives.h"
#include "ui/TypInfo.h"

namespace skin {

UI_IMPLEMENT_CLASS(TWMediaPlayer, ui::TCustomControl)
UI_IMPLEMENT_CLASS(TSkinMP, TSkinControl)

namespace {
uint32_t ButtonSet(ui::TControl* player, const char* name) {
  return static_cast<uint32_t>(ui::GetOrdProperty(player, name)) & ui::kMPAllButtons;
}
}  // namespace

// ---- The panel
// -----------------------------------------------------------------------------------

TWMediaPlayer::TWMediaPlayer(TSkinMP* skinner, ui::TControl* player, TSkinData* skin,
                             IControlSkinnerHost* form)
    : ui::TCustomControl(skinner), player_(player), skin_(skin), form_(form) {
  for (int look = 0; look < 3; ++look)
    glyphs_[static_cast<size_t>(look)] = ui::LoadMPGlyphs(static_cast<ui::TMPGlyphLook>(look));
  glyphDC_ = ui::MakeMemoryDC();
}

TWMediaPlayer::~TWMediaPlayer() = default;

std::vector<PlayerButton> TWMediaPlayer::Layout() {
  const RECT client = ClientRect();
  return LayoutPlayerButtons(client.right, client.bottom, ButtonSet(player_, "VisibleButtons"));
}

void TWMediaPlayer::Paint() {
  const HDC dc = Canvas()->Handle();
  const RECT client = ClientRect();
  const int W = client.right, H = client.bottom;
  FrameBuffer& buffer = form_->ControlBuffer();
  if (W < 1 || H < 1 || !buffer.Ensure(W, H)) return;
  const HDC b = buffer.dc();
  ui::SaveDCGuard saved(b);
  if (skin_->ButtonFaceBrush()) FillRect(b, &client, skin_->ButtonFaceBrush());
  const uint32_t enabled = ButtonSet(player_, "EnabledButtons");
  const uint32_t coloured = ButtonSet(player_, "ColoredButtons");
  const TDataSkinButton* face = skin_->Buttons();
  const int faceFrames = face ? std::max(face->Frame, 1) : 1;
  static const ImageDC kNone;
  const ImageDC& image = face ? ElementImageAt(*form_, *face, faceFrames) : kNone;
  for (const PlayerButton& button : Layout()) {
    const bool on = (enabled >> button.index) & 1;
    const bool down = PressedButton() == button.index;
    if (!image.empty()) {
      const int frames = faceFrames;
      const ImageRect m = ElementMarginsAt(*form_, *face, frames);
      const PaintPlan plan = PlanNineSlice(image.width(), image.height(), button.rect.width(),
                                           button.rect.height(), m, false, face->Tile == 1, frames,
                                           ClampFrame(PlayerButtonFrame(on, down), frames));
      ExecutePlanFrom(b, button.rect.left, button.rect.top, plan, image, face->Trans == 1);
    }
    const size_t look = !on ? 1 : ((coloured >> button.index) & 1) ? 2 : 0;
    ui::TBitmap& glyph = *glyphs_[look][static_cast<size_t>(button.index)];
    if (glyph.Empty() || !glyphDC_) continue;
    const int shift = down ? 1 : 0;
    const int x = (button.rect.left + button.rect.right - glyph.Width()) / 2 + shift;
    const int y = (button.rect.top + button.rect.bottom - glyph.Height()) / 2 + shift;
    ui::SelectGuard selected(glyphDC_.get(), glyph.Handle());
    TransparentBlt(b, x, y, glyph.Width(), glyph.Height(), glyphDC_.get(), 0, 0, glyph.Width(),
                   glyph.Height(), ui::kMPGlyphKey);
  }
  BitBlt(dc, 0, 0, W, H, b, 0, 0, SRCCOPY);
}

void TWMediaPlayer::Forward(ui::TMessage& message) {
  player_->Perform(message.Msg, message.WParam, message.LParam);
}

void TWMediaPlayer::WndProc(ui::TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      pressed_ = true;
      downButton_ = PlayerButtonAt(Layout(), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      Invalidate();
      Forward(m);
      ReleaseCapture();
      SetCapture(Handle());  // the release comes back here, wherever it happens
      m.Result = 0;
      return;
    }
    case WM_LBUTTONUP: {
      const int now = PlayerButtonAt(Layout(), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      const bool same = pressed_ && now == downButton_;
      pressed_ = false;
      if (GetCapture() == Handle()) ReleaseCapture();
      Invalidate();
      if (same) Forward(m);  // may free the player, its skinner and this panel
      return;
    }
    default:
      break;
  }
  ui::TCustomControl::WndProc(m);
}

// ---- The skinner
// ---------------------------------------------------------------------------------

void TSkinMP::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  if (!control_ || panel_ || !control_->Parent()) return;
  panel_ = new TWMediaPlayer(this, control_, skin, form);
  panel_->SetTag(skin->DisableTag());  // the skin manager leaves the panel alone
  panel_->SetParent(control_->Parent());
  FollowPlayer();
}

void TSkinMP::FollowPlayer() {
  if (!panel_ || !control_) return;
  panel_->SetBounds(control_->Left(), control_->Top(), control_->Width(), control_->Height());
  panel_->SetVisible(control_->Visible() && Active());
  if (panel_->HandleAllocated())
    SetWindowPos(panel_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  panel_->Invalidate();
}

void TSkinMP::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case ui::CM_VISIBLECHANGED:
      FollowPlayer();
      return;
    default:
      TSkinControl::AfterMessage(message);
      return;
  }
}

// Switched off, the player's own buttons show and take the mouse; the panel waits hidden.
void TSkinMP::ActiveChanged(bool active) {
  FollowPlayer();
  TSkinControl::ActiveChanged(active);
}

void TSkinMP::SkinChanged() {
  TSkinControl::SkinChanged();
  if (panel_) panel_->Invalidate();
}

void TSkinMP::Detach() {
  // The panel goes unless the window is already gone (then it goes with its parent and us).
  if (panel_ && !WindowDestroyed()) {
    TWMediaPlayer* panel = std::exchange(panel_, nullptr);
    panel->Free();
  }
  TSkinControl::Detach();
}

}  // namespace skin
