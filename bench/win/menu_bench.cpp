// The skinned menus against the system's, in one run: one item drawn with the skin's MenuItem
// element against the same item drawn plain (colour table only), and a pull-down of 20 items
// opened and closed from the skinned menu bar against the same pull-down tracked on an unskinned
// window; plus the GDI objects item painting creates (none beyond the painter's own).
// Usage: menu_bench (an in-memory test skin, which has the menu elements).
#include <windows.h>

#include <cstdio>
#include <functional>

#include "BenchSupport.h"
#include "TestSkin.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Forms.h"

namespace {

using bench::MicrosPerCall;
using bench::Pump;
using bench::Row;
using bench::ShowAndWait;

// A form with a bar of one item whose pull-down holds 20 items.
ui::TForm* MakeForm(ui::TMainMenu*& menu) {
  auto* form = new ui::TForm(nullptr);
  form->SetBorderStyle(ui::TFormBorderStyle::bsSingle);
  form->SetBounds(40, 40, 10, 10);
  form->SetClientSize(606, 479);
  menu = new ui::TMainMenu(form);
  auto* top = new ui::TMenuItem(form);
  top->SetCaption(L"&File");
  menu->Items()->Add(top);
  for (int i = 0; i < 20; ++i) {
    auto* item = new ui::TMenuItem(form);
    item->SetCaption(i % 5 == 4 ? L"-" : L"&Item with a caption");
    if (i % 3 == 0) item->SetChecked(true);
    top->Add(item);
  }
  form->SetMenu(menu);
  return form;
}

}  // namespace

int main() {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;

  ui::TMainMenu* plainMenu = nullptr;
  ui::TMainMenu* skinnedMenu = nullptr;
  ui::TForm* plain = MakeForm(plainMenu);
  plain->SetTag(99);  // never skinned
  ShowAndWait(plain, false);
  ui::TForm* skinned = MakeForm(skinnedMenu);
  auto* data = new skin::TSkinData(skinned);
  data->MessageReporter = [](std::string_view) {};
  data->SetLoading(true);
  data->SetActive(true);
  ui::TMemoryStream stream;
  const std::vector<uint8_t> payload = testskin::TestSkin().PropertyPayload();
  stream.WriteBuffer(payload.data(), static_cast<int64_t>(payload.size()));
  stream.SetPosition(0);
  data->ReadSkinStream(stream);
  data->Loaded();
  ShowAndWait(skinned, true);
  skin::TWinSkinForm* skinner = skin::SkinManager()->FindForm(skinned->Handle());
  if (!skinner || !skinner->MenuBar()) {
    std::printf("the window or its menu was not skinned\n");
    return 1;
  }

  // One item, drawn into a bitmap the size of a pull-down item.
  skin::TSkinMenuPainter& painter = skinner->MenuPainter();
  wintest::Dib32 target(180, 22);
  const RECT r{0, 0, 180, 22};
  skin::MenuItemView item;
  item.caption = L"&Open a document";
  item.shortcut = L"Ctrl+O";
  item.checked = true;
  bool selected = false;
  const double plainItem =
      MicrosPerCall([&] { painter.DrawPlainItem(target.dc(), r, item, selected = !selected); });
  const double skinItem = MicrosPerCall(
      [&] { painter.DrawSkinItem(target.dc(), r, item, selected = !selected, nullptr); });
  Row("menu", "DrawSkinItem (MenuItem element)", skinItem, "DrawPlainItem", plainItem);

  const long gdi = wintest::LiveGdiObjects();
  const long handles = ui::HandleCounts::Total();
  for (int i = 0; i < 100; ++i) painter.DrawSkinItem(target.dc(), r, item, i % 2 == 0, nullptr);
  std::printf("%-44s %9ld handles, %ld GDI objects (100 items)\n", "objects created by items",
              ui::HandleCounts::Total() - handles, wintest::LiveGdiObjects() - gdi);

  // A pull-down opened and closed: the Escape key waits in the queue, so the menu loop shows
  // and paints the pull-down and then closes it.
  HMENU plainPull = plainMenu->Items()->Items(0)->Handle();
  const double plainOpen = MicrosPerCall([&] {
    PostMessageW(plain->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    TrackPopupMenu(plainPull, TPM_NONOTIFY | TPM_RIGHTBUTTON, 60, 80, 0, plain->Handle(), nullptr);
    Pump();
  });
  const double skinOpen = MicrosPerCall([&] {
    PostMessageW(skinned->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    skinner->OpenMenuButton(0);
    Pump();
  });
  Row("menu", "open + close a skinned pull-down of 20 items", skinOpen, "unskinned pull-down",
      plainOpen);
  delete skinned;
  delete plain;
  return 0;
}
