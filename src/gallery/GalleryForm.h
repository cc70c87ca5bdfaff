// The skin gallery: one window with a row per control kind the engine skins, each skinned
// control beside an unskinned twin (Tag 99), so that skin authors and the engine's developers can
// see and try every state with the mouse and the keyboard.
#pragma once

#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

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
  };
  const std::vector<Row>& Rows() const { return rows_; }

  // Loads a skin stream (u32 byte count, then the stream) into SkinData1 and switches it on, as
  // the form reader does for a stored form.
  bool LoadSkin(const std::vector<uint8_t>& payload);

 private:
  template <class T>
  T* Make(int left, int top, int width, int height);
  // Adds a row of two controls made by `make` (called twice; the second gets Tag 99).
  template <class T, class Setup>
  void AddRow(const std::wstring& title, int height, Setup setup);

  std::vector<Row> rows_;
  int nextTop_ = 12;
};

// The default skin stream embedded in the program (empty when the program has none).
std::vector<uint8_t> EmbeddedSkinPayload();

}  // namespace gallery
