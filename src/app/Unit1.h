// The main query window: the filters, the two buttons and the browser that shows the ranking
// page of the query service.
#pragma once

#include <string>

#include "app/QueryBuilder.h"
#include "app/ServiceHosts.h"
#include "skin/data/WinSkinData.h"
#include "ui/ComCtrls.h"
#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/OleControl.h"
#include "ui/Spin.h"
#include "ui/StdCtrls.h"

namespace app {

class TForm2;

// The application's title (task bar), and the main window's caption: the product name, then
// the product's own line.
inline constexpr wchar_t kApplicationTitle[] =
    L"Tarvimo\u5546\u54C1\u524D\u5341\u9500\u91CF\u67E5\u8BE2\u5668";
inline constexpr wchar_t kMainCaptionName[] = L"Tarvimo\u9500\u91CF\u67E5\u8BE2\u5668";
inline constexpr wchar_t kMainCaptionLine[] =
    L"\u5B98\u65B9\u7F51\u7AD9 www.tarvimo.example \u2014\u2014 Tarvimo \u5DE5\u4F5C\u5BA4";

class TForm1 : public ui::TForm {
  UI_CLASS(TForm1, ui::TForm)
 public:
  explicit TForm1(ui::TComponent* AOwner);

  ui::TLabel* Label1 = nullptr;
  ui::TLabel* Label2 = nullptr;
  ui::TLabel* Label3 = nullptr;
  ui::TLabel* Label4 = nullptr;
  ui::TLabel* Label5 = nullptr;
  ui::TWebBrowser* m_web = nullptr;
  ui::TComboBox* m_cid = nullptr;
  ui::TComboBoxEx* m_ec = nullptr;
  ui::TSpinEdit* m_ep = nullptr;
  ui::TEdit* m_keyword = nullptr;
  ui::TComboBox* m_loc = nullptr;
  ui::TComboBoxEx* m_sc = nullptr;
  ui::TComboBox* m_sort = nullptr;
  ui::TButton* m_soso = nullptr;
  ui::TButton* m_soso2 = nullptr;
  ui::TSpinEdit* m_sp = nullptr;
  ui::TImageList* ImageList2 = nullptr;
  skin::TSkinData* SkinData1 = nullptr;

  void FormCreate(ui::TObject* Sender);
  // Runs the query: the click of m_soso and the change of m_sort.
  void m_sosoClick(ui::TObject* Sender);
  void m_soso2Click(ui::TObject* Sender);

  // What the filter controls hold now.
  QueryFilters ReadFilters();
  // The advanced-search window, once it was opened.
  TForm2* AdvancedSearch() const { return form2_; }

 protected:
  void Notification(ui::TComponent* component, ui::TOperation operation) override;
  void SetPPI(int ppi) override;

 private:
  void CreateLabels();
  void CreateFilters();
  ui::TComboBoxEx* CreateCreditList(int left, int top, int width, int tabOrder);

  std::string queryHost_;
  TForm2* form2_ = nullptr;
  int badgePpi_ = 0;  // the DPI ImageList2's badges were made for
};

}  // namespace app
