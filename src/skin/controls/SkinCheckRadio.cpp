#include "skin/controls/SkinCheckRadio.h"

#include <algorithm>

#include "skin/controls/SkinnerHelpers.h"
#include "skin/frame/CanvasPrimitives.h"
#include "ui/TypInfo.h"

namespace skin {

namespace {
constexpr UINT kPrintClient = WM_PRINTCLIENT;  // 0x318
constexpr UINT kPrint = WM_PRINT;              // 0x317: the code the check skinners were given
constexpr UINT kSkinRepaintRequest = 0xB0D0;
}  // namespace

UI_IMPLEMENT_CLASS(TSkinCheckRadio, TSkinControl)
UI_IMPLEMENT_CLASS(TSkinCheckBox, TSkinCheckRadio)
UI_IMPLEMENT_CLASS(TSkinRadioButton, TSkinCheckRadio)

TSkinCheckRadio::TSkinCheckRadio(ui::TComponent* owner, bool radio)
    : TSkinControl(owner), radio_(radio) {}

ui::TBitmap* TSkinCheckRadio::Strip(int& frames) const {
  TDataSkinButton* b = skin_ ? skin_->Buttons() : nullptr;
  if (!b) return nullptr;
  ui::TBitmap* strip = radio_ ? b->RadioButton.get() : b->CheckButton.get();
  if (!strip || strip->Empty()) return nullptr;
  frames = radio_ ? b->RadioButtonFrame : b->CheckButtonFrame;
  if (frames < 1) frames = GuessGlyphFrames(strip->Width(), strip->Height());
  return strip;
}

void TSkinCheckRadio::Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) {
  TSkinControl::Attach(form, skin, recolour);
  Mode = 0;
  if (!control_) return;
  int frames = 0;
  if (Strip(frames)) Mode = 1;
  Transparent = control_->Tag() == kTransparentTag || InSet(skin->Options(), xoTransparent);
}

bool TSkinCheckRadio::BeforeMessage(ui::TMessage& message) {
  const bool passOn = TSkinControl::BeforeMessage(message);
  switch (message.Msg) {
    case WM_PAINT:
    case kPrint:
    case kPrintClient:
      if (Mode == 1) {
        PaintMessage(message);
        return false;
      }
      break;
    case WM_ERASEBKGND:
      if (Transparent) {
        EraseWithParent(message);
        return false;
      }
      break;
    default:
      break;
  }
  return passOn;
}

void TSkinCheckRadio::AfterMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case ui::CM_EXIT:
    case kSkinRepaintRequest:
      Repaint();
      return;
    default:
      TSkinControl::AfterMessage(message);
      return;
  }
}

void TSkinCheckBox::AfterMessage(ui::TMessage& message) {
  if (message.Msg == BM_SETCHECK) lastSetCheck_ = static_cast<int>(message.WParam) + 1;
  TSkinCheckRadio::AfterMessage(message);
}

int TSkinCheckBox::StateFrame(int frames) {
  const auto state = static_cast<UINT>(SendMessageW(handle_, BM_GETSTATE, 0, 0));
  int check = (state & BST_CHECKED) ? 2 : 1;
  if (control_) {
    if (ui::IsPublishedProp(control_, "State", ui::TTypeKind::tkEnumeration)) {
      const std::string s = LowerEnum(control_, "State");
      if (s.find("uncheck") != std::string::npos)
        check = 1;
      else if (s.find("check") != std::string::npos)
        check = 2;
      else if (s.find("gray") != std::string::npos)
        check = 4;
    } else if (ui::IsPublishedProp(control_, "Checked", ui::TTypeKind::tkEnumeration)) {
      check = LowerEnum(control_, "Checked") == "true" ? 2 : 1;
    }
    if (ui::GetPropInfo(control_, "DataField") && lastSetCheck_ != 0)
      check = lastSetCheck_ == 3 ? 4 : lastSetCheck_;
    if (ui::GetPropInfo(control_, "DataBinding")) check = 1;
  }
  return CheckBoxFrame(check, !enabled_, (state & BST_INDETERMINATE) != 0, frames);
}

int TSkinRadioButton::StateFrame(int frames) {
  bool checked = (SendMessageW(handle_, BM_GETCHECK, 0, 0) & 1) != 0;
  if (control_ && ui::IsPublishedProp(control_, "Checked", ui::TTypeKind::tkEnumeration))
    checked = LowerEnum(control_, "Checked") == "true";
  return RadioButtonFrame(checked, !enabled_, frames);
}

void TSkinCheckRadio::PaintControl(HDC dc, const RECT& rect) {
  int frames = 0;
  ui::TBitmap* strip = Strip(frames);
  if (!strip) {
    Mode = 0;
    return;
  }
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  enabled_ = !(style & WS_DISABLED);
  focused_ = GetFocus() == handle_;
  // The glyph at the window's DPI, as the host scales the strip (frame by frame).
  const int gw = Scaled(strip->Width() / std::max(frames, 1)), gh = Scaled(strip->Height());
  const int index = StateFrame(frames);
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  const bool rtl = control_ && control_->UseRightToLeftReading();
  const GlyphLayout layout =
      CheckGlyphLayout(W, H, gw, gh, (style & BS_LEFTTEXT) != 0, radio_, DpiScale());
  UINT textFlags = rtl ? DT_RTLREADING : 0;
  if ((style & BS_LEFTTEXT) && rtl) textFlags |= DT_RIGHT;

  // A control the skinner paints whole is composed off-screen; a bare one only gets its glyph.
  // A transparent one has its parent paint under it meanwhile, and the parent's other skinned
  // controls compose in the shared buffer: it composes in one of its own.
  FrameBuffer* buffer =
      Mode != 1 ? nullptr : (Transparent && control_ ? OwnBuffer(W, H) : Buffer(W, H));
  const HDC target = buffer ? buffer->dc() : dc;
  const int ox = buffer ? 0 : rect.left, oy = buffer ? 0 : rect.top;
  ui::SaveDCGuard saved(target);
  if (Mode == 1) {
    if (Transparent && control_)
      PaintControlTo(*control_, target);
    else
      FillFace(target, RECT{0, 0, W, H});
  }
  DrawGlyphFrame(target,
                 RECT{ox + layout.glyph.left, oy + layout.glyph.top, ox + layout.glyph.right,
                      oy + layout.glyph.bottom},
                 frames, index, *strip);
  if (Mode == 1) {
    caption_ = ControlCaption();
    if (control_) {
      SelectObject(target, control_->Font()->Handle());
      SetTextColor(target, enabled_ ? ui::ColorToRGB(control_->Font()->Color())
                                    : GetSysColor(COLOR_BTNSHADOW));
    }
    SetBkColor(target, static_cast<COLORREF>(skin_->GetRGB(ciButtonFace)));
    SetBkMode(target, TRANSPARENT);
    RECT text{layout.text.left, layout.text.top, layout.text.right, layout.text.bottom};
    RECT measure = text;
    SkinDrawText(target, caption_, measure,
                 textFlags | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
    OffsetRect(&text, 0, ((text.bottom - text.top) - measure.bottom) / 2);
    if (focused_ && !caption_.empty() && !InSet(skin_->Options(), xoNoFocusRect) &&
        FocusCuesShown())
      DrawTextFocus(target, textFlags | DT_EXPANDTABS | DT_WORDBREAK, text);
    DrawAccessText(target, caption_, text, textFlags | DT_EXPANDTABS | DT_WORDBREAK);
  }
  if (buffer) BitBlt(dc, rect.left, rect.top, W, H, target, 0, 0, SRCCOPY);
}

}  // namespace skin
