// The skin gallery: one window with a row per control kind the engine skins, each skinned
// control beside an unskinned twin (Tag 99), so that skin authors and the engine's developers can
// see and try every state with the mouse and the keyboard.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace ui {
class TStatusBar;
class TStatusPanel;
}  // namespace ui

namespace gallery {

class TGalleryForm : public ui::TForm {
  UI_CLASS(TGalleryForm, ui::TForm)
 public:
  explicit TGalleryForm(ui::TComponent* owner);

  skin::TSkinData* SkinData1 = nullptr;

  // One row: its title and the skinned control and its native twin.
  struct Row {
    std::wstring title;
    ui::TControl* skinned = nullptr;
    ui::TControl* native = nullptr;
    ui::TLabel* label = nullptr;
    int height = 0;
  };
  const std::vector<Row>& Rows() const { return rows_; }
  ui::TMainMenu* MainMenu() const { return menu_; }
  // Whether the screen, at the window's DPI, had room for every row whole (false: the rows are
  // in columns that fit across the screen, and the rows area scrolls up and down to them).
  bool PlanFits() const { return planFits_; }
  // The area that holds the rows and their column headers: it scrolls where they do not fit.
  ui::TScrollBox* RowsArea() const { return rowsArea_; }

  // Loads a skin stream (u32 byte count, then the stream) into SkinData1 and switches it on, as
  // the form reader does for a stored form.
  bool LoadSkin(const std::vector<uint8_t>& payload);

  // Run-time skin switching (the Skin menu): every open window takes the new skin at once. On
  // failure OnSkinError hears why (a message box unless replaced) and the current skin stays.
  bool UseSkinFile(const std::wstring& path);
  bool UseEmbeddedSkin();
  std::function<void(const std::wstring& why)> OnSkinError;
  // The .skn files shipped beside the program, as the Skin menu lists them.
  static std::vector<std::wstring> ShippedSkinFiles();

 private:
  template <class T>
  T* Make(int left, int top, int width, int height);
  // Adds a row of two controls made by `make` (called twice; the second gets Tag 99). Arrange
  // places the rows once they are all there.
  template <class T, class Setup>
  void AddRow(const std::wstring& title, int height, Setup setup);
  // Lays the rows out in columns that fit the screen's work area (a window frame left out) and
  // sizes and places the window to hold them; on a screen too small for them, the window takes
  // the work area and the rows area scrolls.
  void Arrange();
  // Sets `c`'s bounds from design values (96 dpi), at the form's current DPI.
  void PlaceDesign(ui::TControl* c, int left, int top, int width, int height);
  // The widest row title, in pixels, in the form's font at `ppi`.
  int WidestTitle(int ppi);

  // One group of rows per skinner family, each in a file of its own.
  void AddButtonRows();
  void AddToolButtonRows();
  void AddBoxRows();
  void AddTabRows();
  void DrawStatusPanel(ui::TStatusBar* bar, ui::TStatusPanel* panel, HDC dc, const RECT& r);
  void AddEditRows();
  void AddComboRows();
  void AddDataRows();
  void AddScrollRows();
  // The menu bar; made after the rows, whose titles it lists.
  void AddMenuBar();
  void SkinSwitchClick(ui::TObject* sender);
  void FocusRowClick(ui::TObject* sender);
  void ExitClick(ui::TObject* sender);
  void DisableColumnClick(ui::TObject* sender);
  void RightToLeftClick(ui::TObject* sender);
  void AddSkinMenu(ui::TMenuItem* root);
  void SkinChoiceClick(ui::TObject* sender);
  void OpenSkinFileClick(ui::TObject* sender);
  void ReportSkinError();
  void MarkSkinChoice(const std::wstring& path);

  std::vector<Row> rows_;
  ui::TScrollBox* rowsArea_ = nullptr;
  ui::TMainMenu* menu_ = nullptr;
  ui::TMenuItem* skinMenu_ = nullptr;
  std::vector<std::wstring> skinFiles_;  // the Skin menu's items after the embedded one
  std::vector<ui::TLabel*> headers_;
  bool planFits_ = true;
};

constexpr int kGalleryNativeTag = 99;  // the skin's DisableTag: keeps the native look
// Room for a skinned frame larger than the system's (a taller caption and menu bar; half of it
// across for the borders), on the screen and in the client area.
constexpr int kGallerySkinFrameSlack = 24;

template <class T>
T* TGalleryForm::Make(int left, int top, int width, int height) {
  T* c = new T(this);
  c->SetParent(rowsArea_);
  PlaceDesign(c, left, top, width, height);
  return c;
}

template <class T, class Setup>
void TGalleryForm::AddRow(const std::wstring& title, int height, Setup setup) {
  Row row;
  row.title = title;
  row.height = height;
  row.label = Make<ui::TLabel>(0, 0, 100, 16);
  row.label->SetCaption(title);
  T* skinned = Make<T>(0, 0, 150, height);
  setup(skinned);
  T* native = Make<T>(0, 0, 150, height);
  setup(native);
  native->SetTag(kGalleryNativeTag);
  row.skinned = skinned;
  row.native = native;
  rows_.push_back(row);
}

// The default skin stream embedded in the program (empty when the program has none).
std::vector<uint8_t> EmbeddedSkinPayload();

}  // namespace gallery
