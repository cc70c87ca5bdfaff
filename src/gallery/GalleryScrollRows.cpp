// Gallery rows of the controls with scroll bars: each with enough lines or items that its bars
// show, so the overlays, the thumb and the corner square can be seen and tried.
#include <string>
#include <vector>

#include "gallery/GalleryForm.h"
#include "ui/ListCtrls.h"

namespace gallery {

namespace {
std::vector<std::wstring> Lines(int count, const std::wstring& stem) {
  std::vector<std::wstring> lines;
  for (int i = 1; i <= count; ++i)
    lines.push_back(stem + L" " + std::to_wstring(i) + L" — 一行比较长的文字，用来显示横向滚动条");
  return lines;
}
}  // namespace

void TGalleryForm::AddScrollRows() {
  AddRow<ui::TListBox>(L"List box", 90, [](ui::TListBox* l) {
    for (int i = 1; i <= 40; ++i) l->Items()->Add(L"Item 商品 " + std::to_wstring(i));
    l->SetItemIndex(2);
  });
  AddRow<ui::TMemo>(L"Memo, both bars", 90, [](ui::TMemo* m) {
    m->SetWordWrap(false);
    m->SetScrollBars(ui::TScrollStyle::ssBoth);
    m->SetLines(Lines(30, L"Line"));
  });
  AddRow<ui::TRichEdit>(L"Rich edit", 90, [](ui::TRichEdit* r) {
    r->SetScrollBars(ui::TScrollStyle::ssVertical);
    r->SetLines(Lines(30, L"Paragraph"));
  });
  AddRow<ui::TListView>(L"List view", 100, [](ui::TListView* v) {
    v->SetColumnCaption(L"Goods 商品");
    for (int i = 1; i <= 30; ++i) v->AddItem(L"Goods " + std::to_wstring(i));
  });
  AddRow<ui::TTreeView>(L"Tree view", 100, [](ui::TTreeView* t) {
    for (int i = 1; i <= 6; ++i) {
      const int node = t->AddNode(-1, L"Category 类目 " + std::to_wstring(i));
      for (int j = 1; j <= 4; ++j) t->AddNode(node, L"Sub-category " + std::to_wstring(j));
    }
    t->ExpandAll();
  });
  AddRow<ui::TScrollBar>(L"Scroll bar control", 17, [](ui::TScrollBar* s) {
    s->SetPageSize(10);
    s->SetParams(30, 0, 100);
  });
}

}  // namespace gallery
