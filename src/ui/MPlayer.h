// The media player's button bar: nine buttons (play, pause, stop, next, prev, step, back, record,
// eject), each visible, enabled and coloured by a set. It plays nothing itself: a click on a
// button reaches OnClick with the button.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "ui/Bitmaps.h"
#include "ui/Controls.h"

namespace ui {

enum class TMPBtnType {
  btPlay,
  btPause,
  btStop,
  btNext,
  btPrev,
  btStep,
  btBack,
  btRecord,
  btEject
};
constexpr int kMPButtonCount = 9;
constexpr uint32_t kMPAllButtons = (1u << kMPButtonCount) - 1;
const TEnumInfo& MPBtnTypeInfo();

// The three looks of the button glyphs the framework carries as bitmap resources, named
// "<look>_<button>": EN (enabled), DI (disabled), CL (coloured) and MPPLAY ... MPEJECT.
enum class TMPGlyphLook { Enabled, Disabled, Coloured };
std::wstring MPGlyphResourceName(TMPGlyphLook look, int button);
// The nine glyphs of one look, loaded from the module's resources (empty bitmaps when absent).
using TMPGlyphs = std::array<std::unique_ptr<TBitmap>, kMPButtonCount>;
TMPGlyphs LoadMPGlyphs(TMPGlyphLook look);
// The glyphs' transparent colour: olive.
constexpr COLORREF kMPGlyphKey = RGB(128, 128, 0);

using TMPBtnClick = TMethod<void(TObject*, TMPBtnType)>;

class TMediaPlayer : public TCustomControl {
  UI_CLASS(TMediaPlayer, TCustomControl)
 public:
  explicit TMediaPlayer(TComponent* AOwner);
  ~TMediaPlayer() override;
  // Bit n: button n (TMPBtnType order).
  uint32_t VisibleButtons() const { return visible_; }
  void SetVisibleButtons(uint32_t set);
  uint32_t EnabledButtons() const { return enabled_; }
  void SetEnabledButtons(uint32_t set);
  uint32_t ColoredButtons() const { return coloured_; }
  void SetColoredButtons(uint32_t set);
  // The visible button under a client point, or -1.
  int ButtonAt(int x, int y);
  TMPBtnClick OnClick;

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;

 private:
  RECT ButtonRect(int slot, int count);
  uint32_t visible_ = kMPAllButtons, enabled_ = kMPAllButtons, coloured_ = kMPAllButtons;
  int pressed_ = -1;
  std::array<TMPGlyphs, 3> glyphs_;
  bool glyphsLoaded_ = false;
};

}  // namespace ui
