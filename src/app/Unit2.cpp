// The advanced-search window: built once, navigated once, hidden when closed.
#include "app/Unit2.h"

#include "app/Placement.h"
#include "app/QueryBuilder.h"
#include "app/ServiceHosts.h"
#include "browser/PageFailure.h"
#include "ui/FormReader.h"
#include "ui/TypInfo.h"

namespace app {

namespace {

// The window's own 24 x 24 icon (IDI_FORM2ICON of the program's resources). A module without
// it (a test program) simply shows the application's icon.
constexpr wchar_t kForm2IconName[] = L"#2";

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

UI_IMPLEMENT_CLASS(TForm2, ui::TForm)

TForm2::TForm2(ui::TComponent* AOwner) : TForm(AOwner), shopHost_(CurrentServiceHosts().shop) {
  ui::TFormReader reader(this);
  SetName("Form2");
  SetCaption(L"\u9AD8\u7EA7\u641C\u7D22");  // "advanced search"
  SetBorderStyle(ui::TFormBorderStyle::bsSingle);
  SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
  SetClientSize(983, 653);
  SetColor(ui::clBtnFace);
  Font()->SetName(L"Tahoma");
  Font()->SetHeight(-11);
  Icon()->LoadFromResourceName(GetModuleHandleW(nullptr), kForm2IconName, 24, 24);

  m_web = new TRestrictedWebBrowser(this);
  m_web->SetName("m_web");
  m_web->SetParent(this);
  m_web->SetAlign(ui::TAlign::alClient);
  m_web->SetTabOrder(0);
  WatchPageFailures(m_web);

  OnCreate = ui::MethodOf<&TForm2::FormCreate>(this);
  OnClose = ui::MethodOf<&TForm2::FormClose>(this);
  reader.AddResourceProperties(GetModuleHandleW(nullptr));
  reader.Finish();
}

void TForm2::FormCreate(ui::TObject*) {
  SetBounds(CentredOrigin(ui::Screen->Width(), Width()),
            CentredOrigin(ui::Screen->Height(), Height(), ScaledLength(kAdvancedFormRaise)),
            Width(), Height());
  m_web->Navigate(Widen(AdvancedSearchUrl(shopHost_)));
}

void TForm2::FormClose(ui::TObject*, ui::TCloseAction& Action) {
  Action = ui::TCloseAction::caHide;
}

}  // namespace app
