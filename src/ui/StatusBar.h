// Status bars: the system's status window with panels (text, width, bevel, alignment) or one
// simple text, and an optional size grip.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum class TStatusPanelStyle { psText, psOwnerDraw };
const TEnumInfo& StatusPanelBevelInfo();

class TStatusBar;
class TStatusPanel;

// Draws an owner-draw panel into dc within rect (the panel inside its edges).
using TDrawPanelEvent =
    TMethod<void(TStatusBar* StatusBar, TStatusPanel* Panel, HDC dc, const RECT& Rect)>;

class TStatusPanel : public TObject {
  UI_CLASS(TStatusPanel, TObject)
 public:
  explicit TStatusPanel(TStatusBar* bar) : bar_(bar) {}
  std::wstring Text() const { return text_; }
  void SetText(const std::wstring& text);
  int Width() const { return width_; }
  void SetWidth(int width);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel bevel);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TStatusPanelStyle Style() const { return style_; }
  void SetStyle(TStatusPanelStyle style);
  int Index() const;

 private:
  TStatusBar* bar_;
  std::wstring text_;
  int width_ = 50;
  TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TStatusPanelStyle style_ = TStatusPanelStyle::psText;
};

class TStatusBar : public TWinControl {
  UI_CLASS(TStatusBar, TWinControl)
 public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;

  int PanelCount() const { return static_cast<int>(panels_.size()); }
  // Null for an index that is no panel (any more).
  TStatusPanel* Panel(int index) const;
  TStatusPanel* AddPanel(const std::wstring& text, int width);
  void DeletePanel(int index);
  void ClearPanels();

  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool on);
  std::wstring SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::wstring& text);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool on);

  // The panels changed: the window's parts and texts follow.
  void UpdatePanels();
  // Draws the owner-draw panels (style psOwnerDraw); the system asks for each as it paints.
  TDrawPanelEvent OnDrawPanel;
  // Calls OnDrawPanel for the panel, when it is owner-drawn and a handler is set.
  void DrawPanel(TStatusPanel* panel, HDC dc, const RECT& rect);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  std::vector<std::unique_ptr<TStatusPanel>> panels_;
  bool simplePanel_ = false;
  std::wstring simpleText_;
  bool sizeGrip_ = true;
};

}  // namespace ui
