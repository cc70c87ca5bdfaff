// Window-less speed buttons, painted through their parent's DC: the skin's button (only while hot
// or pressed when flat), the glyph strip and the caption.
#pragma once

#include "skin/controls/BoxGeometry.h"
#include "skin/controls/SkinButtons.h"

namespace skin {

class TSkinSpeedButton : public TSkinBitButton {
  UI_CLASS(TSkinSpeedButton, TSkinBitButton)
 public:
  using TSkinBitButton::TSkinBitButton;
  // Hooks the speed button's message handler; the button has no window of its own.
  void Attach(IControlSkinnerHost* form, TSkinData* skin, bool recolour) override;
  void Detach() override;
  // The glyph strip's property ("Glyph" unless a classification rule names another).
  const char* GlyphProperty = "Glyph";

 protected:
  bool BeforeMessage(ui::TMessage& message) override;
  void AfterMessage(ui::TMessage& message) override;
  void PaintFrame(HDC dc) override;
  void PaintControl(HDC dc, const RECT& rect) override;

 private:
  // The parent's keyboard cues decide whether the access key is underlined; the button has no
  // window to hear them change, so it listens on its parent's while its caption has one.
  void WatchParentCues();
  static LRESULT CALLBACK ParentCuesProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR ref);
  bool painting_ = false;
  ui::SubclassHandle parentCues_;
};

}  // namespace skin
