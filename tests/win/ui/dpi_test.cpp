// Forms designed at 96 dpi on screens of other DPIs: scaled when made, and again on every
// WM_DPICHANGED, always from the design values (no drift), fonts included, nothing leaked.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/DpiScale.h"
#include "ui/ExtCtrls.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/Handles.h"
#include "ui/Spin.h"
#include "ui/StdCtrls.h"

namespace {

// Laid out at 96 dpi and read as the program's forms are.
class TDpiForm : public ui::TForm {
  UI_CLASS(TDpiForm, ui::TForm)
 public:
  explicit TDpiForm(ui::TComponent* owner) : TForm(owner) {
    ui::TFormReader reader(this);
    SetBorderStyle(ui::TFormBorderStyle::bsSingle);
    SetBounds(40, 40, 10, 10);
    SetClientSize(420, 200);
    label = Make<ui::TLabel>(this, 5, 8, 36, 13);
    label->SetCaption(L"Keyword");
    edit = Make<ui::TEdit>(this, 45, 5, 113, 21);
    combo = Make<ui::TComboBox>(this, 159, 5, 174, 21);
    combo->SetStyle(ui::TComboBoxStyle::csDropDownList);
    combo->Items()->SetText(L"one\ntwo");
    combo->SetItemIndex(0);
    spin = Make<ui::TSpinEdit>(this, 340, 5, 72, 22);
    button = Make<ui::TButton>(this, 340, 40, 63, 24);
    button->SetCaption(L"Search");
    button->SetParentFont(false);
    button->Font()->SetName(L"Tahoma");
    button->Font()->SetHeight(-12);
    panel = Make<ui::TPanel>(this, 5, 40, 200, 100);
    inner = Make<ui::TButton>(panel, 10, 10, 80, 24);
    inner->Constraints()->SetMaxWidth(70);  // narrower than placed: the limit wins
    Constraints()->SetMinWidth(300);
    footer = Make<ui::TPanel>(this, 0, 0, 10, 30);
    footer->SetAlign(ui::TAlign::alBottom);
    reader.Finish();
  }
  template <class T>
  T* Make(ui::TWinControl* parent, int l, int t, int w, int h) {
    T* c = new T(this);
    c->SetParent(parent);
    c->SetBounds(l, t, w, h);
    return c;
  }

  ui::TLabel* label;
  ui::TEdit* edit;
  ui::TComboBox* combo;
  ui::TSpinEdit* spin;
  ui::TButton* button;
  ui::TPanel* panel;
  ui::TButton* inner;
  ui::TPanel* footer;
};
UI_IMPLEMENT_CLASS(TDpiForm, ui::TForm)

RECT RectIn(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int Width(const RECT& r) { return r.right - r.left; }

RECT Expected(const ui::DesignRect& design, int ppi) {
  const ui::DesignRect r = ui::ScaleRect(design, ppi);
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}

LONG FontHeightOf(HWND wnd) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  return font && GetObjectW(font, sizeof lf, &lf) ? lf.lfHeight : 0;
}

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// Everything a user sees of the form's layout: where each window is, and the fonts.
struct Layout {
  RECT window{};
  std::vector<RECT> controls;
  std::vector<LONG> fonts;
  RECT label{};
  int labelFont = 0;
};

// What differs between two layouts, readably; empty when nothing does.
std::string Differences(const Layout& a, const Layout& b) {
  std::string out;
  auto rect = [&](const std::string& what, const RECT& x, const RECT& y) {
    if (!(x == y)) out += what + " " + Text(x) + " is now " + Text(y) + "\n";
  };
  rect("window", a.window, b.window);
  rect("label", a.label, b.label);
  for (size_t i = 0; i < a.controls.size() && i < b.controls.size(); ++i) {
    rect("control " + std::to_string(i), a.controls[i], b.controls[i]);
    if (a.fonts[i] != b.fonts[i])
      out += "font of control " + std::to_string(i) + " " + std::to_string(a.fonts[i]) +
             " is now " + std::to_string(b.fonts[i]) + "\n";
  }
  if (a.labelFont != b.labelFont) out += "label font changed\n";
  return out;
}

Layout LayoutOf(TDpiForm& f) {
  Layout l;
  GetWindowRect(f.Handle(), &l.window);
  for (ui::TWinControl* c : std::initializer_list<ui::TWinControl*>{
           f.edit, f.combo, f.spin, f.spin->Button(), f.button, f.panel, f.inner, f.footer}) {
    l.controls.push_back(RectIn(c->Handle()));
    l.fonts.push_back(FontHeightOf(c->Handle()));
  }
  l.label = f.label->BoundsRect();
  l.labelFont = f.label->Font()->Height();
  return l;
}

void SendDpiChanged(HWND wnd, int ppi, RECT suggested) {
  SendMessageW(wnd, WM_DPICHANGED, MAKEWPARAM(ppi, ppi), reinterpret_cast<LPARAM>(&suggested));
  wintest::PumpUntilIdle();
}

long CountersTotal() { return ui::HandleCounts::Total() + ui::LiveFrameworkWindows(); }

}  // namespace

TEST(Dpi, TenRoundTripsThroughWmDpiChangedEndExactlyWhereTheyStarted) {
  ui::Application->Initialize();
  auto* form = new TDpiForm(nullptr);
  form->Show();
  wintest::PumpUntilIdle();
  const int base = form->CurrentPPI();
  const int high = base * 3 / 2;  // 96 -> 144 on a 100 % screen
  const Layout start = LayoutOf(*form);
  const long counters = CountersTotal();
  const long fonts = ui::HandleCounts::Live(ui::HandleKind::Font);
  const RECT& w = start.window;
  // What the system suggests: the window's rectangle at the new DPI, where the window is.
  const RECT scaled{w.left, w.top, w.left + ui::ScaleValue(w.right - w.left, high, base),
                    w.top + ui::ScaleValue(w.bottom - w.top, high, base)};

  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    SendDpiChanged(form->Handle(), high, scaled);
    RECT now{};
    GetWindowRect(form->Handle(), &now);
    EXPECT_TRUE(now == scaled);
    EXPECT_EQ(form->CurrentPPI(), high);
    if (base == ui::kDesignPpi) {
      // At the new DPI every control stands where its design values put it.
      EXPECT_TRUE(RectIn(form->edit->Handle()) == Expected({45, 5, 113, 21}, high));
      EXPECT_TRUE(RectIn(form->button->Handle()) == Expected({340, 40, 63, 24}, high));
      // Constraints scale too: the inner button's width limit, the form's smallest width.
      EXPECT_EQ(RectIn(form->inner->Handle()).left, ui::ScaleValue(10, high));
      EXPECT_EQ(Width(RectIn(form->inner->Handle())), ui::ScaleValue(70, high));
      MINMAXINFO limits{};
      SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
      EXPECT_EQ(limits.ptMinTrackSize.x, ui::ScaleValue(300, high));
      EXPECT_EQ(Width(RectIn(form->spin->Button()->Handle())), ui::ScaleValue(15, high));
      // Fonts follow, each from its own design height: the form's reaches its children.
      EXPECT_EQ(FontHeightOf(form->button->Handle()), ui::ScaleFontHeight(-12, high));
      EXPECT_EQ(FontHeightOf(form->edit->Handle()), ui::ScaleFontHeight(-11, high));
      EXPECT_EQ(form->label->Font()->Height(), ui::ScaleFontHeight(-11, high));
      // The aligned footer spans the new client width at the bottom.
      RECT footer = RectIn(form->footer->Handle());
      EXPECT_EQ(footer.right - footer.left, form->ClientWidth());
      EXPECT_EQ(footer.bottom, form->ClientHeight());
    }
    SendDpiChanged(form->Handle(), base, start.window);
    EXPECT_EQ(Differences(start, LayoutOf(*form)), "");
  }
  EXPECT_EQ(form->CurrentPPI(), base);
  // Every font made on the way is gone again.
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Font), fonts);
  EXPECT_EQ(CountersTotal(), counters);
  delete form;
}

// Run again in prefixes whose screen is at 120, 144 and 192 dpi (scripts/test).
TEST(DpiAtSystemDpi, AFormIsMadeAtTheScreensDpi) {
  ui::Application->Initialize();
  const int ppi = ui::SystemPPI();
  auto* form = new TDpiForm(nullptr);
  form->Show();
  wintest::PumpUntilIdle();
  EXPECT_EQ(form->CurrentPPI(), ui::WindowPPI(form->Handle()));
  EXPECT_EQ(form->CurrentPPI(), ppi);
  EXPECT_EQ(form->ClientWidth(), ui::ScaleValue(420, ppi));
  EXPECT_EQ(form->ClientHeight(), ui::ScaleValue(200, ppi));
  EXPECT_TRUE(RectIn(form->edit->Handle()) == Expected({45, 5, 113, 21}, ppi));
  EXPECT_EQ(RectIn(form->inner->Handle()).left, ui::ScaleValue(10, ppi));
  EXPECT_EQ(Width(RectIn(form->inner->Handle())), ui::ScaleValue(70, ppi));
  EXPECT_EQ(FontHeightOf(form->button->Handle()), ui::ScaleFontHeight(-12, ppi));
  EXPECT_EQ(FontHeightOf(form->edit->Handle()), ui::ScaleFontHeight(-11, ppi));
  // A control a program makes later, placed in design values before it joins the form, is shown
  // at the form's DPI.
  auto* late = new ui::TButton(form);
  late->SetBounds(250, 150, 63, 24);
  late->SetParent(form);
  EXPECT_TRUE(RectIn(late->Handle()) == Expected({250, 150, 63, 24}, ppi));
  delete form;
}

namespace {
// Counts the moves and resizes the system reports to the children of a TDpiForm window (a
// thread hook sees them from the windows' creation on).
int g_moves = 0;
LRESULT CALLBACK CountMoves(int code, WPARAM wParam, LPARAM lParam) {
  const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  wchar_t parentClass[32] = {};
  if (code == HC_ACTION && m->message == WM_WINDOWPOSCHANGED && GetParent(m->hwnd) &&
      GetClassNameW(GetParent(m->hwnd), parentClass, 32) &&
      lstrcmpW(parentClass, L"TDpiForm") == 0) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m->lParam);
    // (A combo box sets its own height for its font: the system's doing, not a layout.)
    wchar_t name[32] = {};
    GetClassNameW(m->hwnd, name, 32);
    if ((!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) &&
        lstrcmpW(name, L"TComboBox") != 0) {
      ++g_moves;
      std::printf("%ls moved to %d,%d %dx%d\n", name, pos->x, pos->y, pos->cx, pos->cy);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

// A form made for a screen at 150 % (the framework told so where it asks for the screen's DPI)
// is read at 96 dpi, scaled once and only then given its windows: every control's window is made
// where the design puts it at 150 %, and none is moved or sized again on the way to the screen.
TEST(Dpi, AFormMadeForAScreenOfAnotherDpiMakesItsWindowsThereOnce) {
  ui::Application->Initialize();
  const int high = ui::SystemPPI() * 3 / 2;
  ui::ScreenPPIOverride screen(high);
  EXPECT_EQ(ui::SystemPPI(), high);
  auto* form = new TDpiForm(nullptr);
  EXPECT_EQ(form->CurrentPPI(), high);
  EXPECT_FALSE(form->HandleAllocated());
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, CountMoves, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  g_moves = 0;
  form->Show();  // the windows are made now
  wintest::PumpUntilIdle();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(g_moves, 0) << "child windows moved or sized after they were made";
  EXPECT_EQ(form->ClientWidth(), ui::ScaleValue(420, high));
  EXPECT_TRUE(RectIn(form->edit->Handle()) == Expected({45, 5, 113, 21}, high));
  EXPECT_TRUE(RectIn(form->button->Handle()) == Expected({340, 40, 63, 24}, high));
  EXPECT_EQ(FontHeightOf(form->edit->Handle()), ui::ScaleFontHeight(-11, high));
  delete form;
}
