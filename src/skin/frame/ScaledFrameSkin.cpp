#include "skin/frame/ScaledFrameSkin.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "skin/data/WinSkinData.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/PaintPrimitives.h"
#include "skin/frame/ScaledSkinImage.h"
#include "ui/Graphics.h"

namespace skin {

namespace {

using DpiForWindowFn = UINT(WINAPI*)(HWND);
using MetricsForDpiFn = int(WINAPI*)(int, UINT);

// Looked up once: older systems have neither entry.
template <class Fn>
Fn User32Entry(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

// Views by skin and DPI, held weakly: a view dies with the last form skinner using it.
std::map<std::pair<TSkinData*, int>, std::weak_ptr<const TScaledFrameSkin>>& Views() {
  static auto* views =
      new std::map<std::pair<TSkinData*, int>, std::weak_ptr<const TScaledFrameSkin>>;
  return *views;
}

}  // namespace

int MetricAtDpi(int index, int dpi) {
  const int systemDpi = SystemDpi();
  if (dpi <= 0 || dpi == systemDpi) return GetSystemMetrics(index);
  static const auto forDpi = User32Entry<MetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, systemDpi);
}

int SystemDpi() {
  const ui::WindowDC screen = ui::WindowDC::Client(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

void ScaleFontToDpi(LOGFONTW& font, int dpi) {
  const int systemDpi = SystemDpi();
  if (dpi <= 0 || dpi == systemDpi) return;
  font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
  font.lfWidth = MulDiv(font.lfWidth, dpi, systemDpi);
}

bool SystemFrameAtDpi(DWORD style, DWORD exStyle, bool menu, int dpi, SIZE& frame) {
  using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = User32Entry<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT r{0, 0, 0, 0};
  if (dpi > 0 && adjust &&
      adjust(&r, style, menu ? TRUE : FALSE, exStyle, static_cast<UINT>(dpi))) {
    frame = {r.right - r.left, r.bottom - r.top};
    return true;
  }
  r = {0, 0, 0, 0};
  if (!AdjustWindowRectEx(&r, style, menu ? TRUE : FALSE, exStyle)) return false;
  frame = {r.right - r.left, r.bottom - r.top};
  const int systemDpi = SystemDpi();
  if (dpi <= 0 || dpi == systemDpi) return true;
  // Each of the system's sizes is rounded at its DPI on its own, so the caption and the menu
  // bar are taken at `dpi` apart from the borders around them.
  int bars = 0, barsAtDpi = 0;
  if ((style & WS_CAPTION) == WS_CAPTION) {
    const int caption = (exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION;
    bars += GetSystemMetrics(caption);
    barsAtDpi += MetricAtDpi(caption, dpi);
  }
  if (menu) {
    bars += GetSystemMetrics(SM_CYMENU);
    barsAtDpi += MetricAtDpi(SM_CYMENU, dpi);
  }
  frame = {MulDiv(frame.cx, dpi, systemDpi),
           barsAtDpi + MulDiv(std::max<int>(frame.cy - bars, 0), dpi, systemDpi)};
  return true;
}

int WindowDpi(HWND wnd) {
  static const auto forWindow = User32Entry<DpiForWindowFn>("GetDpiForWindow");
  if (forWindow && wnd) {
    const UINT dpi = forWindow(wnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

std::shared_ptr<const TScaledFrameSkin> TScaledFrameSkin::For(TSkinData* skin, int dpi) {
  if (dpi <= 0) dpi = 96;
  auto& views = Views();
  // Views of skins whose forms are all gone are dropped on the way.
  for (auto it = views.begin(); it != views.end();)
    it = it->second.expired() ? views.erase(it) : ++it;
  std::weak_ptr<const TScaledFrameSkin>& slot = views[{skin, dpi}];
  if (auto view = slot.lock(); view && view->Current(skin)) return view;
  auto view = std::make_shared<const TScaledFrameSkin>(skin, dpi);
  slot = view;
  return view;
}

int TScaledFrameSkin::ImagesScaled() { return SkinImagesScaled(); }

TScaledFrameSkin::TScaledFrameSkin(TSkinData* skin, int dpi)
    : skin_(skin), dpi_(dpi), scale_(Scale::FromDpi(dpi)) {
  sources_ = SourcesOf(skin);
  left_ = MakePiece(*skin->Left(), false, skin->Left()->Frame);
  right_ = MakePiece(*skin->Right(), false, skin->Right()->Frame);
  top_ = MakePiece(*skin->Top(), true, skin->Top()->Frame);
  bottom_ = MakePiece(*skin->Bottom(), true, skin->Bottom()->Frame);
  // The caption text's background: two frames stacked; only its side pieces count as margins.
  titleBack_.image = MakeImage(*skin->Title(), 2, true);
  titleBack_.image.MarkKey();
  // The buttons are drawn keyed on every paint: their key pixels are found here, once.
  for (const auto& button : skin->CaptionButtons()) {
    buttons_.push_back(MakeImage(*button, std::max(button->Frame, 1), false));
    buttons_.back().MarkKey();
  }

  menuBarHeight_ = MetricAtDpi(SM_CYMENU, dpi);
  smallIcon_ = MetricAtDpi(SM_CXSMICON, dpi);
  smallIcon96_ = MetricAtDpi(SM_CXSMICON, 96);
  if (dpi != SystemDpi() && skin->CaptionFont()) {
    LOGFONTW font{};
    if (GetObjectW(skin->CaptionFont()->Handle(), sizeof font, &font) == sizeof font) {
      ScaleFontToDpi(font, dpi);
      font_ = ui::GdiFont(CreateFontIndirectW(&font));
    }
  }
}

std::vector<HBITMAP> TScaledFrameSkin::SourcesOf(TSkinData* skin) const {
  std::vector<HBITMAP> sources{skin->Left()->Handle(), skin->Right()->Handle(),
                               skin->Top()->Handle(), skin->Bottom()->Handle(),
                               skin->Title()->Handle()};
  for (const auto& button : skin->CaptionButtons()) {
    sources.push_back(button->Handle());
    sources.push_back(button->Bitmap2x->Handle());
  }
  for (TDataSkinObject* e :
       {static_cast<TDataSkinObject*>(skin->Left()), static_cast<TDataSkinObject*>(skin->Right()),
        static_cast<TDataSkinObject*>(skin->Top()), static_cast<TDataSkinObject*>(skin->Bottom()),
        static_cast<TDataSkinObject*>(skin->Title())})
    sources.push_back(e->Bitmap2x->Handle());
  return sources;
}

bool TScaledFrameSkin::Current(TSkinData* skin) const {
  return skin == skin_ && SourcesOf(skin) == sources_;
}

const ImageDC& TScaledFrameSkin::ButtonImage(size_t i) const {
  static const ImageDC kNone;
  return i < buttons_.size() ? buttons_[i] : kNone;
}

HFONT TScaledFrameSkin::CaptionFont() const {
  if (font_) return font_.get();
  return skin_->CaptionFont() ? skin_->CaptionFont()->Handle() : nullptr;
}

ImageDC ElementImageAt(const TDataSkinObject& element, Scale scale, int frames, bool vertical) {
  return ScaledSkinImage(element.Handle(), element.Bitmap2x->Handle(), scale, frames, vertical);
}

ImageRect ElementMarginsAt(const TDataSkinObject& element, Scale scale, int frames, bool vertical) {
  const ImageRect m{element.Margins.left, element.Margins.top, element.Margins.right,
                    element.Margins.bottom};
  return ScaledSkinMargins(m, element.Handle(), scale, frames, vertical);
}

ImageDC TScaledFrameSkin::MakeImage(const TDataSkinObject& element, int frames, bool vertical) {
  return ElementImageAt(element, scale_, frames, vertical);
}

TScaledFrameSkin::Piece TScaledFrameSkin::MakePiece(const TDataSkinObject& element, bool vertical,
                                                    int frames) {
  Piece piece;
  frames = std::max(frames, 1);
  piece.image = MakeImage(element, frames, vertical);
  piece.margins = ElementMarginsAt(element, scale_, frames, vertical);
  return piece;
}

}  // namespace skin
