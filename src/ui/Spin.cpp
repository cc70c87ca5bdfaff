#include "ui/Spin.h"

#include <windowsx.h>

#include <climits>

#include "ui/Text.h"
#include "ui/TypInfo.h"

namespace ui {

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstDelay = 400;
constexpr UINT kRepeatDelay = 100;
constexpr int kButtonWidth = 15;
}  // namespace

// ---- TSpinButton ------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TSpinButton, TWinControl)

TSpinButton::TSpinButton(TComponent* AOwner) : TWinControl(AOwner) {
  controlStyle_ = csDoubleClicks;
  SetColor(clBtnFace);
  UpdateBoundsFields(0, 0, kButtonWidth, 20);
}

TSpinButton::~TSpinButton() = default;

void TSpinButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WindowClass.style |= CS_DBLCLKS;
}

TSpinButton::Half TSpinButton::HalfAt(int y) {
  return y < ClientHeight() / 2 ? Half::Up : Half::Down;
}

void TSpinButton::Fire(Half half) {
  if (half == Half::Up && OnUpClick) OnUpClick(this);
  if (half == Half::Down && OnDownClick) OnDownClick(this);
}

void TSpinButton::Rearm(UINT ms) {
  // The old timer goes first: it has the same id, so dropping it after setting the new one would
  // kill the new one and end the repeat after its first step.
  repeat_.reset();
  repeat_ = TimerHandle(Handle(), kRepeatTimer, ms);
}

void TSpinButton::PaintWindow(HDC dc) {
  RECT r = ClientRect();
  int mid = r.bottom / 2;
  RECT up{0, 0, r.right, mid}, down{0, mid, r.right, r.bottom};
  UINT disabled = Enabled() ? 0 : DFCS_INACTIVE;
  DrawFrameControl(dc, &up, DFC_SCROLL,
                   DFCS_SCROLLUP | disabled | (pressed_ == Half::Up ? DFCS_PUSHED : 0));
  DrawFrameControl(dc, &down, DFC_SCROLL,
                   DFCS_SCROLLDOWN | disabled | (pressed_ == Half::Down ? DFCS_PUSHED : 0));
}

void TSpinButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (focusControl_ && focusControl_->CanFocus() && !focusControl_->Focused())
        focusControl_->SetFocus();
      pressed_ = HalfAt(GET_Y_LPARAM(m.LParam));
      SetCapture(Handle());
      Invalidate();
      Fire(pressed_);
      Rearm(kFirstDelay);
      return;
    case WM_TIMER:
      if (m.WParam == kRepeatTimer && pressed_ != Half::None) {
        Rearm(kRepeatDelay);
        POINT p{};
        GetCursorPos(&p);
        p = ScreenToClient(p);
        RECT r = ClientRect();
        // Repeats only while the pointer stays on the pressed half.
        if (PtInRect(&r, p) && HalfAt(p.y) == pressed_) Fire(pressed_);
        return;
      }
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (pressed_ != Half::None) {
        pressed_ = Half::None;
        repeat_.reset();
        if (m.Msg == WM_LBUTTONUP && GetCapture() == Handle()) ReleaseCapture();
        Invalidate();
      }
      return;
    case WM_DESTROY:
      repeat_.reset();
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// ---- TSpinEdit --------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TSpinEdit, TCustomEdit,
                   P::Int("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue),
                   P::Int("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue),
                   P::Int("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement),
                   P::Int("Value", &TSpinEdit::Value, &TSpinEdit::SetValue))

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner), button_(new TSpinButton(this)) {
  controlStyle_ |= csAcceptsControls;
  button_->SetParent(this);
  button_->SetFocusControl(this);
  button_->OnUpClick = MethodOf<&TSpinEdit::UpClick>(this);
  button_->OnDownClick = MethodOf<&TSpinEdit::DownClick>(this);
  SetText(L"0");
}

int TSpinEdit::CheckValue(int value) const {
  if (maxValue_ == minValue_) return value;
  if (value < minValue_) return minValue_;
  if (value > maxValue_) return maxValue_;
  return value;
}

int TSpinEdit::Value() {
  const std::wstring text = Text();
  const bool ranged = maxValue_ != minValue_;
  return ReadNumberInRange(std::u16string(text.begin(), text.end()), ranged ? minValue_ : INT_MIN,
                           ranged ? maxValue_ : INT_MAX)
      .value_or(minValue_);
}

void TSpinEdit::SetValue(int value) { SetText(std::to_wstring(CheckValue(value))); }

void TSpinEdit::UpClick(TObject*) {
  if (!ReadOnly()) SetValue(Value() + increment_);
}

void TSpinEdit::DownClick(TObject*) {
  if (!ReadOnly()) SetValue(Value() - increment_);
}

void TSpinEdit::PlaceButton() {
  RECT c = ClientRect();
  const int width = ScaledLength(kButtonWidth);
  button_->SetBounds(c.right - width, 0, width, c.bottom);
  // Keep typed text clear of the button.
  SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 2));
}

void TSpinEdit::ApplyDesignScale() {
  TCustomEdit::ApplyDesignScale();
  // The button is laid out by the edit, not designed.
  if (HandleAllocated() && button_->HandleAllocated()) PlaceButton();
}

void TSpinEdit::CreateHandleDone() {
  TCustomEdit::CreateHandleDone();
  PlaceButton();
}

void TSpinEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CHAR: {
      wchar_t ch = static_cast<wchar_t>(m.WParam);
      // Only what can make a number (and editing keys) gets into the text.
      if (ch >= L' ' && !(ch >= L'0' && ch <= L'9') && ch != L'-' && ch != L'+') {
        MessageBeep(0);
        return;
      }
      break;
    }
    case WM_KEYDOWN:
      if (m.WParam == VK_UP) {
        UpClick(this);
        return;
      }
      if (m.WParam == VK_DOWN) {
        DownClick(this);
        return;
      }
      break;
    case CM_EXIT:
      // The value is forced into the range when the focus leaves.
      if (const int value = Value(); Text() != std::to_wstring(value)) SetValue(value);
      break;
    case WM_SIZE:
      TCustomEdit::WndProc(m);
      if (HandleAllocated() && button_->HandleAllocated()) PlaceButton();
      return;
    default:
      break;
  }
  TCustomEdit::WndProc(m);
}

}  // namespace ui
