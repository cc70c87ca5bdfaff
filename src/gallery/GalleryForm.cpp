#include "gallery/GalleryForm.h"

#include <windows.h>

#include <algorithm>

#include "gallery/GalleryLayout.h"
#include "ui/BitBtn.h"
#include "ui/Bitmaps.h"
#include "ui/CheckCtrls.h"
#include "ui/Classes.h"
#include "ui/DpiScale.h"
#include "ui/Handles.h"

namespace gallery {

namespace {
// A 16 x 16 glyph in two images (normal, disabled) on the transparent corner colour.
void DrawGlyph(ui::TBitmap* glyph) {
  glyph->SetSize(32, 16);
  ui::TCanvas* c = glyph->Canvas();
  c->Brush()->SetColor(ui::clFuchsia);
  c->FillRect(RECT{0, 0, 32, 16});
  c->Brush()->SetColor(static_cast<ui::TColor>(RGB(30, 140, 60)));
  c->FillRect(RECT{3, 3, 13, 13});
  c->Brush()->SetColor(ui::clGray);
  c->FillRect(RECT{19, 3, 29, 13});
}
}  // namespace

UI_IMPLEMENT_CLASS(TGalleryForm, ui::TForm)

TGalleryForm::TGalleryForm(ui::TComponent* owner) : ui::TForm(owner) {
  SetBorderStyle(ui::TFormBorderStyle::bsSizeable);
  SetCaption(L"Skin gallery — 皮肤画廊");
  SetBounds(60, 40, 10, 10);
  SkinData1 = new skin::TSkinData(this);
  SkinData1->SetName("SkinData1");
  // The rows' area fills the client area; the rows are its children.
  rowsArea_ = new ui::TScrollBox(this);
  rowsArea_->SetName("RowsArea");
  rowsArea_->SetBorderStyle(ui::TBorderStyle::bsNone);
  rowsArea_->SetTabStop(false);
  rowsArea_->SetParent(this);
  rowsArea_->SetParentColor(true);  // the skin colours the form: the area with it
  rowsArea_->SetAlign(ui::TAlign::alClient);

  AddButtonRows();
  AddComboRows();
  AddScrollRows();
  AddDataRows();
  AddEditRows();
  AddToolButtonRows();
  AddBoxRows();
  AddTabRows();
  AddMenuBar();
  Arrange();
}

int TGalleryForm::WidestTitle(int ppi) {
  if (rows_.empty()) return 0;
  // The titles' font (the labels share it) as the window shows it at `ppi`.
  ui::TControl* label = rows_.front().label;
  LOGFONTW lf{};
  if (!GetObjectW(label->Font()->Handle(), sizeof lf, &lf)) return 0;
  lf.lfHeight = ui::ScaleFontHeight(label->DesignFontHeight(), ppi);
  ui::GdiFont font(CreateFontIndirectW(&lf));
  ui::WindowDC screen = ui::WindowDC::Client(nullptr);
  if (!font || !screen) return 0;
  ui::SelectGuard selected(screen.get(), font.get());
  int widest = 0;
  for (const Row& row : rows_) {
    SIZE size{};
    if (GetTextExtentPoint32W(screen.get(), row.title.c_str(), static_cast<int>(row.title.size()),
                              &size))
      widest = std::max<int>(widest, size.cx);
  }
  return widest;
}

void TGalleryForm::PlaceDesign(ui::TControl* c, int left, int top, int width, int height) {
  // At the form's current DPI, edges scaled (as the framework scales design bounds): the form
  // may already have its window, and a DPI, when the rows are placed.
  const int l = ScaledLength(left), t = ScaledLength(top);
  c->SetBounds(l, t, ScaledLength(left + width) - l, ScaledLength(top + height) - t);
}

void TGalleryForm::Arrange() {
  // Every bound set here is a design value (96 dpi) the window shows at its DPI, the screen's
  // when it is made: the plan is made in design units of the room the screen leaves at that DPI.
  const int ppi = HandleAllocated() ? ui::WindowPPI(Handle()) : ui::SystemPPI();
  const auto down = [ppi](int pixels) { return pixels * ui::kDesignPpi / ppi; };
  const auto up = [ppi](int pixels) { return (pixels * ui::kDesignPpi + ppi - 1) / ppi; };
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
    work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  // The window's own frame in pixels (the system's, with the menu bar), and room for a skin's
  // larger one twice over: a skin grows the window by what its frame takes more, or takes it
  // from the client area when the window cannot grow. Either way no row is cut off, and no row
  // is covered and uncovered when a skin switch changes the frame. The skin's frame scales with
  // the window, so its room is in design units.
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
  int frameW = frame.right - frame.left, frameH = frame.bottom - frame.top;
  if (HandleAllocated()) {
    frameW = std::max(frameW, Width() - ClientWidth());
    frameH = std::max(frameH, Height() - ClientHeight());
  }
  const int slackW = kGallerySkinFrameSlack / 2, slackH = kGallerySkinFrameSlack;
  std::vector<int> heights;
  for (const Row& row : rows_) heights.push_back(row.height);
  // The title column holds the widest title in the font of this DPI (the label stands 12 in
  // from the column's left; a pixel is kept for rounding).
  GalleryMetrics m;
  const int title = up(WidestTitle(ppi)) + 12 + 1;
  m.fairTitleWidth = std::max(m.fairTitleWidth, title);
  m.titleWidth = std::max(m.titleWidth, title);
  const int workW = work.right - work.left, workH = work.bottom - work.top;
  const int roomW = down(workW - frameW) - 2 * slackW, roomH = down(workH - frameH) - 2 * slackH;
  // Whole titles where the screen has room for them beside the narrowest controls; otherwise
  // they narrow to the least the plan allows.
  GalleryMetrics whole = m;
  whole.minTitleWidth = std::max(m.minTitleWidth, title);
  GalleryPlan plan = PlanGallery(heights, roomW, roomH, whole);
  if (!plan.fits) plan = PlanGallery(heights, roomW, roomH, m);
  planFits_ = plan.fits;
  // Too small a screen: columns that fit across beside the vertical bar, as tall as they need;
  // the window then holds as much of them as the screen has room for.
  const int bar = up(GetSystemMetrics(SM_CXVSCROLL));
  int viewH = plan.clientHeight;
  if (!plan.fits) {
    plan = PlanScrollingGallery(heights, roomW - bar, roomH, whole);
    if (!plan.fits) plan = PlanScrollingGallery(heights, roomW - bar, roomH, m);
    viewH = std::min(plan.clientHeight, roomH);
  }
  int viewW = plan.clientWidth + (viewH < plan.clientHeight ? bar : 0);
  if (!planFits_) viewW = std::min(viewW, roomW);  // narrower still: it scrolls across too

  for (int c = 0; c < plan.columns; ++c) {
    const int left = plan.ColumnLeft(c, m) + plan.titleWidth + 12;
    auto* skinnedHeader = Make<ui::TLabel>(left, m.headerTop, plan.pitch, 16);
    skinnedHeader->SetCaption(L"Skinned / 皮肤");
    auto* nativeHeader = Make<ui::TLabel>(left + plan.pitch, m.headerTop, plan.pitch, 16);
    nativeHeader->SetCaption(L"Native / 原生");
    headers_.push_back(skinnedHeader);
    headers_.push_back(nativeHeader);
  }
  for (size_t i = 0; i < rows_.size(); ++i) {
    const Row& row = rows_[i];
    const GalleryPlace at = plan.rows[i];
    const int left = plan.ColumnLeft(at.column, m);
    PlaceDesign(row.label, left + 12, at.top + 4, plan.titleWidth - 12, 16);
    PlaceDesign(row.skinned, left + plan.titleWidth + 12, at.top, plan.pitch - 20, row.height);
    PlaceDesign(row.native, left + plan.titleWidth + 12 + plan.pitch, at.top, plan.pitch - 20,
                row.height);
  }
  SetClientSize(ScaledLength(viewW + slackW), ScaledLength(viewH + slackH));
  // Near the work area's top-left corner, as far in as the window's size (in pixels, at this
  // DPI) allows once grown.
  const int width = ui::ScaleValue(viewW + slackW, ppi) + frameW;
  const int height = ui::ScaleValue(viewH + slackH, ppi) + frameH;
  const int x = work.left + std::clamp<int>(workW - width - ui::ScaleValue(slackW, ppi), 0, 60);
  const int y = work.top + std::clamp<int>(workH - height - ui::ScaleValue(slackH, ppi), 0, 40);
  SetBounds(x, y, Width(), Height());
}

void TGalleryForm::AddButtonRows() {
  AddRow<ui::TButton>(L"Push button", 25, [](ui::TButton* b) { b->SetCaption(L"Se&arch 搜索"); });
  AddRow<ui::TButton>(L"Default button", 25, [](ui::TButton* b) {
    b->SetCaption(L"Default");
    b->SetDefault(true);
  });
  AddRow<ui::TButton>(L"Disabled button", 25, [](ui::TButton* b) {
    b->SetCaption(L"Disabled");
    b->SetEnabled(false);
  });
  AddRow<ui::TButton>(L"Two-line caption", 40,
                      [](ui::TButton* b) { b->SetCaption(L"Two||lines"); });
  AddRow<ui::TBitBtn>(L"Glyph button", 30, [](ui::TBitBtn* b) {
    b->SetCaption(L"Gl&yph 图标");
    DrawGlyph(b->Glyph());
    b->SetNumGlyphs(2);
  });
  AddRow<ui::TCheckBox>(L"Check box", 21, [](ui::TCheckBox* c) {
    c->SetCaption(L"&Checked 选中");
    c->SetChecked(true);
  });
  AddRow<ui::TCheckBox>(L"Grayed check box", 21, [](ui::TCheckBox* c) {
    c->SetCaption(L"Grayed");
    c->SetAllowGrayed(true);
    c->SetState(ui::TCheckBoxState::cbGrayed);
  });
  AddRow<ui::TCheckBox>(L"Disabled check box", 21, [](ui::TCheckBox* c) {
    c->SetCaption(L"Disabled");
    c->SetChecked(true);
    c->SetEnabled(false);
  });
  AddRow<ui::TRadioButton>(L"Radio buttons (one group)", 21, [](ui::TRadioButton* r) {
    r->SetCaption(L"&Radio 单选");
    r->SetChecked(true);
  });
  AddRow<ui::TRadioGroup>(L"Radio group", 80, [](ui::TRadioGroup* g) {
    g->SetCaption(L"Sort 排序");
    g->Items()->SetText(L"Volume\nPrice\nCredit");
    g->SetItemIndex(1);
  });
}

bool TGalleryForm::LoadSkin(const std::vector<uint8_t>& payload) {
  if (payload.empty()) return false;
  ui::TMemoryStream stream;
  stream.WriteBuffer(payload.data(), static_cast<int64_t>(payload.size()));
  stream.SetPosition(0);
  SkinData1->SetLoading(true);
  SkinData1->SetActive(true);
  SkinData1->ReadSkinStream(stream);
  SkinData1->Loaded();
  return !SkinData1->NoSkin();
}

std::vector<uint8_t> EmbeddedSkinPayload() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, L"TFORM1_SKINDATA1_SKINSTREAM", MAKEINTRESOURCEW(10));
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const auto* bytes = static_cast<const uint8_t*>(LockResource(loaded));
  const DWORD size = SizeofResource(module, found);
  if (!bytes || size == 0) return {};
  return std::vector<uint8_t>(bytes, bytes + size);
}

}  // namespace gallery
