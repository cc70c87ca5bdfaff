#include "skin/frame/WinSkinPopMenu.h"

#include "skin/frame/MenuGeometry.h"
#include "skin/frame/WinSkinForm.h"

namespace skin {

namespace {
constexpr UINT_PTR kSubclassId = 0x534B504D;
constexpr DWORD kDcxUseStyle = 0x00010000;  // DCX_USESTYLE, not in every header

bool SystemUsesWindowDC() {
  const DWORD v = GetVersion();
  return PopupUsesWindowDC(LOBYTE(LOWORD(v)), HIBYTE(LOWORD(v)));
}
}  // namespace

TWinSkinPopMenu::~TWinSkinPopMenu() { Unhook(); }

bool TWinSkinPopMenu::Hook(HWND window, TSkinData* skin, bool noRegister) {
  if (subclass_) return true;
  window_ = window;
  skin_ = skin;
  noRegister_ = noRegister;
  image_ = host_ && skin ? &host_->PopupBackgroundImage(skin) : nullptr;
  subclass_ =
      ui::SubclassHandle(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  return static_cast<bool>(subclass_);
}

void TWinSkinPopMenu::Unhook() {
  subclass_.reset();
  image_ = nullptr;
  cachedWidth_ = cachedHeight_ = 0;
}

PopupBackground TWinSkinPopMenu::Background() const {
  PopupBackground b;
  if (cachedWidth_ <= 0 || !IsWindow(window_)) return b;
  b.dc = cached_.dc();
  b.width = cachedWidth_;
  b.height = cachedHeight_;
  // Items come in client coordinates; the picture is of the whole window.
  RECT w{};
  GetWindowRect(window_, &w);
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  b.offsetX = origin.x - w.left;
  b.offsetY = origin.y - w.top;
  return b;
}

bool TWinSkinPopMenu::RenderCached() {
  if (!image_ || image_->empty() || !skin_ || skin_->NoSkin()) return false;
  RECT w{};
  GetWindowRect(window_, &w);
  const int width = w.right - w.left, height = w.bottom - w.top;
  if (width <= 0 || height <= 0) return false;
  if (width == cachedWidth_ && height == cachedHeight_) return true;
  if (!cached_.Ensure(width, height)) return false;
  const TDataSkinObject& e = *skin_->FindElement("MenuBackground");
  const PaintPlan plan = PlanNineSlice(
      image_->width(), image_->height(), width, height,
      {e.Margins.left, e.Margins.top, e.Margins.right, e.Margins.bottom}, false, e.Tile == 1, 1, 1);
  ExecutePlanFrom(cached_.dc(), 0, 0, plan, *image_, false);
  cachedWidth_ = width;
  cachedHeight_ = height;
  return true;
}

void TWinSkinPopMenu::PaintBorder(HDC dc) {
  const int w = cachedWidth_, h = cachedHeight_, k = kBorder;
  const HDC src = cached_.dc();
  BitBlt(dc, 0, 0, w, k, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, h - k, w, k, src, 0, h - k, SRCCOPY);
  BitBlt(dc, 0, 0, k, h, src, 0, 0, SRCCOPY);
  BitBlt(dc, w - k, 0, k, h, src, w - k, 0, SRCCOPY);
}

void TWinSkinPopMenu::Register() {
  ReadMenuHandle();
  if (!noRegister_ && host_) host_->PopupShowing(this);
}

HMENU TWinSkinPopMenu::ReadMenuHandle() {
  if (!MenuHandle && window_ && IsWindow(window_))
    MenuHandle = reinterpret_cast<HMENU>(SendMessageW(window_, MN_GETHMENU, 0, 0));
  return MenuHandle;
}

LRESULT TWinSkinPopMenu::Previous(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(window_, msg, wParam, lParam);
}

LRESULT CALLBACK TWinSkinPopMenu::SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR, DWORD_PTR ref) {
  auto* self = reinterpret_cast<TWinSkinPopMenu*>(ref);
  ++self->depth_;
  LRESULT result = 0;
  try {
    result = self->WindowProc(msg, wParam, lParam);
  } catch (...) {
    result = DefSubclassProc(wnd, msg, wParam, lParam);
  }
  --self->depth_;
  return result;
}

LRESULT TWinSkinPopMenu::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SM_ISSKINNED) return 1;
  if (host_ && !host_->SkinningEnabled()) return Previous(msg, wParam, lParam);
  switch (msg) {
    case WM_NCDESTROY: {
      const LRESULT r = Previous(msg, wParam, lParam);
      subclass_.forget();  // the system drops the subclasses of a destroyed window
      return r;
    }
    case WM_ERASEBKGND: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      if (InSet(skin_->Options(), xoMenuBG) && RenderCached()) {
        const PopupBackground b = Background();
        RECT c{};
        GetClientRect(window_, &c);
        BitBlt(dc, 0, 0, c.right, c.bottom, b.dc, b.offsetX, b.offsetY, SRCCOPY);
      } else {
        Previous(msg, wParam, lParam);
      }
      return 1;
    }
    case WM_NCPAINT: {
      Register();
      if (!RenderCached()) return Previous(msg, wParam, lParam);
      // wParam 1 means the whole window, not a region: only a real region may clip the DC.
      const bool whole = wParam == 1 || SystemUsesWindowDC();
      ui::WindowDC dc = whole ? ui::WindowDC::Whole(window_)
                              : ui::WindowDC::Ex(window_, reinterpret_cast<HRGN>(wParam),
                                                 DCX_WINDOW | DCX_INTERSECTRGN | kDcxUseStyle);
      if (dc) PaintBorder(dc.get());
      return 0;
    }
    case WM_PAINT: {
      // The menu draws its own edge inside its client area: the skin's border goes over it.
      Register();
      const LRESULT r = Previous(msg, wParam, lParam);
      if (RenderCached()) {
        ui::WindowDC dc = ui::WindowDC::Whole(window_);
        if (dc) PaintBorder(dc.get());
      }
      return r;
    }
    case WM_PRINT: {
      const LRESULT r = Previous(msg, wParam, lParam);
      if (RenderCached() && wParam) PaintBorder(reinterpret_cast<HDC>(wParam));
      return r;
    }
    default:
      return Previous(msg, wParam, lParam);
  }
}

}  // namespace skin
