// The media player: its button bar is covered by a panel of the skinner's own that draws the
// nine buttons from the skin's Buttons image with the framework's glyphs, and hands the mouse on
// to the player. The panel belongs to the skinner and goes with it.
#pragma once

#include <array>
#include <vector>

#include "skin/controls/BoxGeometry.h"
#include "skin/controls/SkinControl.h"
#include "ui/MPlayer.h"

namespace skin {

class TSkinMP;

class TWMediaPlayer : public ui::TCustomControl {
  UI_CLASS(TWMediaPlayer, ui::TCustomControl)
 public:
  TWMediaPlayer(TSkinMP* skinner, ui::TControl* player, TSkinData* skin, IControlSkinnerHost* form);
  ~TWMediaPlayer() override;
  void WndProc(ui::TMessage& message) override;
  // The button pressed on the panel, -1 when none.
  int PressedButton() const { return pressed_ ? downButton_ : -1; }

 protected:
  void Paint() override;

 private:
  std::vector<PlayerButton> Layout();
  void Forward(ui::TMessage& message);
  ui::TControl* player_;
  TSkinData* skin_;
  IControlSkinnerHost* form_;
  std::array<ui::TMPGlyphs, 3> glyphs_;
  ui::MemoryDC glyphDC_;
  bool pressed_ = false;
  int downButton_ = -1;
};

class TSkinMP : public TSkinControl {
  UI_CLASS(TSkinMP, TSkinControl)
 public:
  using TSkinControl::TSkinControl;
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void Detach() override;
  void SkinChanged() override;
  TWMediaPlayer* Panel() const { return panel_; }

 protected:
  void AfterMessage(ui::TMessage& message) override;
  void ActiveChanged(bool active) override;

 private:
  void FollowPlayer();
  TWMediaPlayer* panel_ = nullptr;
};

}  // namespace skin
