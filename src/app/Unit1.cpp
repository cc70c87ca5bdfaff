// The main query window: its controls in the order and places the user knows, and the query run.
#include "app/Unit1.h"

#include "app/Artwork.h"
#include "app/FilterLists.h"
#include "app/Placement.h"
#include "app/Unit2.h"
#include "browser/PageFailure.h"
#include "ui/FormReader.h"
#include "ui/TypInfo.h"

namespace app {

namespace {

// The input method the text controls prefer: Simplified-Chinese pinyin.
constexpr wchar_t kPinyinIme[] = L"\u4E2D\u6587 (\u7B80\u4F53) - \u62FC\u97F3";
// The credit lists' items carry no text of their own; the badge is what the user reads.
constexpr wchar_t kBlankCaption[] = L"                    ";

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
std::u16string Utf16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

template <class T>
T* Place(T* control, const char* name, int left, int top, int width, int height) {
  control->SetName(name);
  control->SetBounds(left, top, width, height);
  return control;
}

template <size_t N>
void FillList(ui::TComboBox* list, const std::array<std::u16string_view, N>& captions, int rows) {
  list->SetStyle(ui::TComboBoxStyle::csDropDownList);
  list->SetImeName(kPinyinIme);
  list->SetDropDownCount(rows);
  for (std::u16string_view caption : captions) list->Items()->Add(Wide(caption));
  list->SetItemIndex(0);
}

}  // namespace

UI_IMPLEMENT_CLASS(TForm1, ui::TForm)

TForm1::TForm1(ui::TComponent* AOwner) : TForm(AOwner), queryHost_(CurrentServiceHosts().query) {
  ui::TFormReader reader(this);
  SetName("Form1");
  SetCaption(std::wstring(kMainCaptionName) + L" " + kMainCaptionLine);
  SetBorderStyle(ui::TFormBorderStyle::bsSingle);
  SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
  SetClientSize(606, 479);
  SetColor(ui::clBtnFace);
  Font()->SetName(L"Tahoma");
  Font()->SetHeight(-11);
  Font()->SetCharset(DEFAULT_CHARSET);
  Font()->SetColor(ui::clWindowText);

  // The skin data component comes first; its skin stream arrives through the reader below (the
  // program's resource TFORM1_SKINDATA1_SKINSTREAM) and is applied while the form is read.
  SkinData1 = new skin::TSkinData(this);
  SkinData1->SetName("SkinData1");
  SkinData1->SetSkinFormtype(skin::TSkinFormType::sfMainform);
  SkinData1->SetActive(true);

  CreateLabels();
  CreateFilters();

  OnCreate = ui::MethodOf<&TForm1::FormCreate>(this);
  reader.AddResourceProperties(GetModuleHandleW(nullptr));
  reader.Finish();
}

void TForm1::CreateLabels() {
  struct Row {
    ui::TLabel** field;
    const char* name;
    int left, top, width;
    const wchar_t* caption;
  };
  const Row rows[] = {
      {&Label1, "Label1", 5, 8, 36, L"\u5173\u952E\u5B57"},          // keyword
      {&Label2, "Label2", 339, 8, 48, L"\u4EF7\u683C\u533A\u95F4"},  // price range
      {&Label3, "Label3", 423, 33, 36, L"\u6240\u5728\u5730"},       // location
      {&Label4, "Label4", 5, 33, 36, L"\u4FE1\u7528\u5EA6"},         // seller credit
      {&Label5, "Label5", 280, 33, 24, L"\u6392\u5E8F"},             // sort
  };
  for (const Row& row : rows) {
    auto* label = Place(new ui::TLabel(this), row.name, row.left, row.top, row.width, 13);
    label->SetParent(this);
    label->SetCaption(row.caption);
    *row.field = label;
  }
}

void TForm1::CreateFilters() {
  // In creation order, which is also the tab order.
  m_web = Place(new ui::TWebBrowser(this), "m_web", 5, 56, 596, 417);
  m_web->SetParent(this);
  m_web->SetTabOrder(0);
  WatchPageFailures(m_web);

  m_cid = Place(new ui::TComboBox(this), "m_cid", 159, 5, 174, 21);
  m_cid->SetParent(this);
  m_cid->SetTabOrder(1);
  FillList(m_cid, kCategoryCaptions, 26);

  // The badges must exist before the credit lists refer to them.
  ImageList2 = new ui::TImageList(this, 88, 16);
  ImageList2->SetName("ImageList2");
  ImageList2->SetBkColor(ui::clNone);
  // Made at once for the DPI the window will first show at (the screen's), not for the design
  // DPI the form is built at: a start on a 150 % screen makes them once, not twice.
  badgePpi_ = ui::SystemPPI();
  LoadCreditBadges(*ImageList2, GetModuleHandleW(nullptr), badgePpi_);

  m_ec = CreateCreditList(159, 28, 113, 2);
  m_ec->SetName("m_ec");

  m_ep = Place(new ui::TSpinEdit(this), "m_ep", 463, 5, 72, 22);
  m_ep->SetParent(this);
  m_ep->SetTabOrder(3);
  m_ep->SetMinValue(kPriceMin);
  m_ep->SetMaxValue(kPriceMax);
  m_ep->SetValue(kPriceMax);

  m_keyword = Place(new ui::TEdit(this), "m_keyword", 45, 5, 113, 21);
  m_keyword->SetParent(this);
  m_keyword->SetTabOrder(4);
  m_keyword->SetImeName(kPinyinIme);
  m_keyword->SetText(Wide(kDefaultKeyword));

  m_loc = Place(new ui::TComboBox(this), "m_loc", 463, 29, 72, 21);
  m_loc->SetParent(this);
  m_loc->SetTabOrder(5);
  FillList(m_loc, kLocationCaptions, 20);

  m_sc = CreateCreditList(45, 28, 113, 6);
  m_sc->SetName("m_sc");

  m_sort = Place(new ui::TComboBox(this), "m_sort", 308, 29, 107, 21);
  m_sort->SetParent(this);
  m_sort->SetTabOrder(7);
  FillList(m_sort, kSortCaptions, 8);
  m_sort->OnChange = ui::MethodOf<&TForm1::m_sosoClick>(this);

  m_soso = Place(new ui::TButton(this), "m_soso", 538, 4, 63, 24);
  m_soso->SetParent(this);
  m_soso->SetTabOrder(8);
  m_soso->SetCaption(L"\u641C\u7D22");  // search
  m_soso->SetDefault(true);
  m_soso->OnClick = ui::MethodOf<&TForm1::m_sosoClick>(this);

  m_soso2 = Place(new ui::TButton(this), "m_soso2", 538, 28, 63, 24);
  m_soso2->SetParent(this);
  m_soso2->SetTabOrder(9);
  m_soso2->SetCaption(L"\u9AD8\u7EA7\u641C\u7D22");  // advanced search
  m_soso2->OnClick = ui::MethodOf<&TForm1::m_soso2Click>(this);
  for (ui::TButton* button : {m_soso, m_soso2}) {
    button->SetParentFont(false);
    button->Font()->SetName(L"Tahoma");
    button->Font()->SetHeight(-11);
    button->Font()->SetColor(ui::clBlack);
  }

  m_sp = Place(new ui::TSpinEdit(this), "m_sp", 390, 5, 72, 22);
  m_sp->SetParent(this);
  m_sp->SetTabOrder(10);
  m_sp->SetMinValue(kPriceMin);
  m_sp->SetMaxValue(kPriceMax);
  m_sp->SetValue(kPriceMin);
}

ui::TComboBoxEx* TForm1::CreateCreditList(int left, int top, int width, int tabOrder) {
  auto* list = new ui::TComboBoxEx(this);
  list->SetBounds(left, top, width, 22);
  list->SetParent(this);
  list->SetTabOrder(tabOrder);
  list->SetStyle(ui::TComboBoxStyle::csDropDownList);
  list->SetImeName(kPinyinIme);
  list->SetDropDownCount(14);
  list->SetImages(ImageList2);
  for (int i = 0; i < kCreditLevelCount; ++i) list->AddItem(kBlankCaption, i);
  return list;
}

void TForm1::SetPPI(int ppi) {
  TForm::SetPPI(ppi);
  // The badges follow the window's DPI: scaled here, once per change, never while painting.
  if (!ImageList2 || ppi == badgePpi_) return;
  // The lists let go of the old images before the list's handle is replaced.
  for (ui::TComboBoxEx* list : {m_sc, m_ec})
    if (list) list->SetImages(nullptr);
  LoadCreditBadges(*ImageList2, GetModuleHandleW(nullptr), ppi);
  badgePpi_ = ppi;
  for (ui::TComboBoxEx* list : {m_sc, m_ec})
    if (list) list->SetImages(ImageList2);
}

void TForm1::FormCreate(ui::TObject*) {
  SetBounds(CentredOrigin(ui::Screen->Width(), Width()),
            CentredOrigin(ui::Screen->Height(), Height(), ScaledLength(kMainFormRaise)), Width(),
            Height());
  // Every credit level, lowest to highest.
  m_sc->SetItemIndex(0);
  m_ec->SetItemIndex(kCreditLevelCount - 1);
  m_sosoClick(nullptr);
}

QueryFilters TForm1::ReadFilters() {
  QueryFilters f;
  f.keyword = Utf16(m_keyword->Text());
  f.category = m_cid->ItemIndex();
  // Read from the text as the user left it: whatever it holds, it becomes a number in range.
  f.lowerPrice = ParseSpinText(Utf16(m_sp->Text()), m_sp->MinValue(), m_sp->MaxValue());
  f.upperPrice = ParseSpinText(Utf16(m_ep->Text()), m_ep->MinValue(), m_ep->MaxValue());
  f.location = m_loc->ItemIndex();
  if (f.location >= 0 && f.location < m_loc->Items()->Count())
    f.locationCaption = Utf16(m_loc->Items()->Get(f.location));
  f.sort = m_sort->ItemIndex();
  f.lowerCredit = m_sc->ItemIndex();
  f.upperCredit = m_ec->ItemIndex();
  return f;
}

void TForm1::m_sosoClick(ui::TObject*) {
  const QueryFilters filters = ReadFilters();
  const RankingQuery query = BuildRankingQuery(filters, queryHost_);
  // The controls show what is sent: reversed ranges swapped, odd spin text made a number.
  if (m_sp->Text() != std::to_wstring(query.lowerPrice)) m_sp->SetValue(query.lowerPrice);
  if (m_ep->Text() != std::to_wstring(query.upperPrice)) m_ep->SetValue(query.upperPrice);
  if (filters.lowerCredit != query.lowerCredit) m_sc->SetItemIndex(query.lowerCredit);
  if (filters.upperCredit != query.upperCredit) m_ec->SetItemIndex(query.upperCredit);
  m_web->Navigate(Widen(query.url));
}

void TForm1::m_soso2Click(ui::TObject*) {
  if (!form2_) {
    form2_ = new TForm2(this);
    form2_->FreeNotification(this);
  }
  form2_->Show();
}

void TForm1::Notification(ui::TComponent* component, ui::TOperation operation) {
  TForm::Notification(component, operation);
  if (operation == ui::TOperation::opRemove && component == form2_) form2_ = nullptr;
}

}  // namespace app
