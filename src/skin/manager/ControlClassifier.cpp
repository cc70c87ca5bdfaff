#include "skin/manager/ControlClassifier.h"

#include <vector>

#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinnerRegistry.h"
#include "ui/BitBtn.h"
#include "ui/Buttons.h"
#include "ui/CheckCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "ui/Text.h"
#include "ui/TypInfo.h"

namespace skin {

// The rules number the switches as the skin data component does.
constexpr bool SameBit(ControlSwitch a, TSkinControlType b) {
  return static_cast<int>(a) == static_cast<int>(b);
}
static_assert(SameBit(swCombo, xcCombo) && SameBit(swCheckBox, xcCheckBox) &&
              SameBit(swRadioButton, xcRadioButton) && SameBit(swProgress, xcProgress) &&
              SameBit(swScrollbar, xcScrollbar) && SameBit(swEdit, xcEdit) &&
              SameBit(swButton, xcButton) && SameBit(swSpeedButton, xcSpeedButton) &&
              SameBit(swSpin, xcSpin) && SameBit(swPanel, xcPanel) &&
              SameBit(swGroupBox, xcGroupBox) && SameBit(swStatusBar, xcStatusBar) &&
              SameBit(swTab, xcTab) && SameBit(swTrackBar, xcTrackBar));

namespace {

// One classification run: the form skinner, its skin and the switches read once.
struct Run {
  TWinSkinForm& form;
  TSkinData& skin;
  ClassifySwitches switches;
};

void Classify(Run& run, ui::TControl* control, ui::TComponent* container);

// The bit of a framework class the control descends from (or is).
template <class T>
uint32_t Bit(const ui::TControl* control, FrameworkClass bit) {
  return control->Is<T>() ? bit : 0u;
}

bool IsListed(const TWinSkinForm& form, const TSkinControl* skinner) {
  for (const IControlSkinner* s : form.Controls())
    if (s == static_cast<const IControlSkinner*>(skinner)) return true;
  return false;
}

bool WindowSkinned(const TWinSkinForm& form, HWND wnd) {
  return form.FindSkinnerByWindow(wnd) || SendMessageW(wnd, SM_ISSKINNED, 0, 0) == 1;
}

// The control's window, made now when it has none; null when it cannot be made.
HWND EnsureWindow(ui::TWinControl* control) {
  try {
    return control->Handle();
  } catch (...) {
    return nullptr;
  }
}

void AttachWindow(Run& run, HWND wnd, SkinnerKind kind) {
  if (!wnd || !HasSkinner(kind)) return;
  TSkinControl* skinner = CreateSkinner(kind, nullptr);
  skinner->AttachHandle(wnd, &run.skin, &run.form);
}

void AttachControl(Run& run, ui::TControl* control, const ControlDecision& d) {
  if (!HasSkinner(d.kind)) return;  // its skinner is not built yet: the native look stays
  if (d.byHandle) {
    auto* windowed = dynamic_cast<ui::TWinControl*>(control);
    if (windowed) AttachWindow(run, EnsureWindow(windowed), d.kind);
    return;
  }
  TSkinControl* skinner = CreateSkinner(d.kind, control);
  // Skinners that build their images at attach need their mode first.
  if (d.mode) skinner->Mode = d.mode;
  if (d.kind == SkinnerKind::ObjImage) skinner->Mode = d.objImageKind;
  if (auto* combo = dynamic_cast<TSkinComBox*>(skinner)) combo->ExFlag = d.extendedCombo;
  if (d.glyphProperty) {
    if (auto* speed = dynamic_cast<TSkinSpeedButton*>(skinner))
      speed->GlyphProperty = d.glyphProperty;
    else if (auto* glyphButton = dynamic_cast<TSkinBitButton*>(skinner))
      glyphButton->GraphicProperty = d.glyphProperty;
  }
  // A single bar keeps the control's own border: the skin covers the bar alone.
  if (d.singleBar) skinner->Mode = 1;
  skinner->Attach(&run.form, &run.skin, d.recolour);
  if (d.mode) skinner->Mode = d.mode;
}

std::vector<ui::TControl*> ChildrenOf(ui::TControl* control) {
  std::vector<ui::TControl*> children;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control))
    for (int i = 0; i < windowed->ControlCount(); ++i) children.push_back(windowed->Controls(i));
  return children;
}

void ClassifyChildren(Run& run, ui::TControl* control, ui::TComponent* container) {
  for (ui::TControl* child : ChildrenOf(control)) Classify(run, child, container);
}

// Radio and check groups and scroll containers decide for their children themselves.
void DecideChildren(Run& run, ui::TControl* control, const ControlDecision& d) {
  for (ui::TControl* child : ChildrenOf(control)) {
    if (child->Tag() == run.switches.disableTag || run.form.IsControlSkinned(child)) continue;
    if (auto* windowed = dynamic_cast<ui::TWinControl*>(child); windowed && !EnsureWindow(windowed))
      continue;
    AttachControl(run, child, DecideGroupChild(d, GatherFacts(child)));
  }
}

void Apply(Run& run, ui::TControl* control, ui::TComponent* container, const ControlDecision& d) {
  if (d.setTransparent) ui::SetPropertyText(control, "Transparent", L"True");
  switch (d.children) {
    case ChildRule::ClassifyBefore:
      ClassifyChildren(run, control, container);
      break;
    case ChildRule::RadioGroup:
    case ChildRule::CheckGroup:
    case ChildRule::EmbedScrollbar:
      DecideChildren(run, control, d);
      break;
    default:
      break;
  }
  AttachControl(run, control, d);
  if (d.children == ChildRule::ClassifyAfter) ClassifyChildren(run, control, container);
  if (d.children == ChildRule::OwnedAfter) {
    const std::vector<ui::TComponent*> owned = control->ComponentList();
    for (ui::TComponent* c : owned)
      if (auto* child = dynamic_cast<ui::TControl*>(c)) Classify(run, child, container);
  }
}

// The application's own handler may supply the skinner. Only a skinner made for this very
// control is attached: anything else it hands back is not used (attaching a skinner owned by
// another control would skin that one instead).
bool AskHandler(Run& run, ui::TControl* control, ui::TComponent* container) {
  if (!run.skin.OnSkinControl) return false;
  ui::TObject* supplied = nullptr;
  run.skin.OnSkinControl(&run.form, &run.skin, container, control,
                         ui::AsciiUpper(control->ClassName()), supplied);
  if (!supplied) return false;
  auto* skinner = dynamic_cast<TSkinControl*>(supplied);
  if (skinner && skinner->Owner() == control && !IsListed(run.form, skinner))
    skinner->Attach(&run.form, &run.skin, skinner->Recolours());
  if (control->Is<ui::TCustomPanel>()) ClassifyChildren(run, control, container);
  return true;
}

void ClassifyOne(Run& run, ui::TControl* control, ui::TComponent* container) {
  ControlFacts tagFacts;
  tagFacts.className = control->ClassName();
  tagFacts.classes = Bit<ui::TWinControl>(control, fcWinControl);
  tagFacts.tag = control->Tag();
  const TagDecision byTag = DecideByTag(tagFacts, run.switches);
  if (byTag.disabled) {
    if (byTag.disableChildren)
      for (ui::TControl* child : ChildrenOf(control)) child->SetTag(run.switches.disableTag);
    return;
  }
  if (!control->Parent() || run.form.IsControlSkinned(control)) return;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control); windowed && !EnsureWindow(windowed))
    return;
  if (AskHandler(run, control, container)) return;
  Apply(run, control, container, DecideControl(GatherFacts(control), run.switches));
}

void Classify(Run& run, ui::TControl* control, ui::TComponent* container) {
  try {
    ClassifyOne(run, control, container);
  } catch (...) {
    // This control keeps its own look; the others are still served.
  }
}

void ClassifyWindow(Run& run, HWND wnd) {
  if (!wnd || WindowSkinned(run.form, wnd)) return;
  const auto style = static_cast<uint32_t>(GetWindowLongPtrW(wnd, GWL_STYLE));
  const WindowDecision d =
      DecideChildWindow(WindowClassNameOf(wnd), style, run.switches.skinControls);
  const auto children = [&] {
    for (HWND child = GetTopWindow(wnd); child; child = GetWindow(child, GW_HWNDNEXT))
      if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) ClassifyWindow(run, child);
  };
  const auto buttonFace = [&] {
    if (ui::TWinControl* control = ui::TWinControl::FindControl(wnd))
      control->SetColor(static_cast<ui::TColor>(run.skin.GetRGB(ciButtonFace)));
  };
  switch (d.action) {
    case WindowAction::Attach:
      AttachWindow(run, wnd, d.kind);
      break;
    case WindowAction::FirstChild:
      AttachWindow(run, GetTopWindow(wnd), d.kind);
      break;
    case WindowAction::ChildrenFirst:
      children();
      AttachWindow(run, wnd, d.kind);
      break;
    case WindowAction::ChildrenOnly:
      children();
      buttonFace();
      break;
    case WindowAction::ColourOnly:
      buttonFace();
      break;
  }
}

}  // namespace

ClassifySwitches SwitchesOf(const TSkinData& skin) {
  ClassifySwitches s;
  s.skinControls = skin.SkinControls();
  s.disableTag = skin.DisableTag();
  s.hasTabs = skin.FindElement("Tabs") != nullptr;
  if (const ui::TStrings* lines = skin.Skin3rd()) {
    s.skin3rd.reserve(static_cast<size_t>(lines->Count()));
    for (int i = 0; i < lines->Count(); ++i) s.skin3rd.push_back(lines->Get(i));
  }
  return s;
}

ControlFacts GatherFacts(ui::TControl* control) {
  ControlFacts f;
  f.className = control->ClassName();
  f.tag = control->Tag();
  f.classes =
      Bit<ui::TCustomComboBox>(control, fcComboBox) |
      Bit<ui::TSpeedButton>(control, fcSpeedButton) | Bit<ui::TCustomPanel>(control, fcPanel) |
      Bit<ui::TButton>(control, fcButton) | Bit<ui::TBitBtn>(control, fcBitBtn) |
      Bit<ui::TCustomEdit>(control, fcEdit) | Bit<ui::TCustomForm>(control, fcForm) |
      Bit<ui::TCheckBox>(control, fcCheckBox) | Bit<ui::TRadioButton>(control, fcRadioButton) |
      Bit<ui::TGroupBox>(control, fcGroupBox) | Bit<ui::TRadioGroup>(control, fcRadioGroup) |
      Bit<ui::TScrollBox>(control, fcScrollBox);
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control)) {
    f.classes |= fcWinControl;
    if (windowed->HandleAllocated()) {
      HWND wnd = windowed->Handle();
      f.style = static_cast<uint32_t>(GetWindowLongPtrW(wnd, GWL_STYLE));
      RECT w{}, c{};
      GetWindowRect(wnd, &w);
      GetClientRect(wnd, &c);
      f.hasBorder = (w.right - w.left) != c.right || (w.bottom - w.top) != c.bottom;
    }
  }
  if (ui::GetPropInfo(control, "NumButtons"))
    f.numButtons = static_cast<int>(ui::GetOrdProperty(control, "NumButtons"));
  f.kind = ui::GetEnumPropertyName(control, "Kind");
  return f;
}

void ClassifyControl(TWinSkinForm& form, ui::TControl* control, ui::TComponent* container) {
  TSkinData* skin = form.SkinData();
  if (!control || !skin || skin->NoSkin()) return;
  Run run{form, *skin, SwitchesOf(*skin)};
  Classify(run, control, container);
}

void ClassifyChildWindow(TWinSkinForm& form, HWND wnd) {
  TSkinData* skin = form.SkinData();
  if (!skin || skin->NoSkin()) return;
  Run run{form, *skin, SwitchesOf(*skin)};
  try {
    ClassifyWindow(run, wnd);
  } catch (...) {
    // The window keeps its own look.
  }
}

void ClassifyFormControls(TWinSkinForm& form) {
  TSkinData* skin = form.SkinData();
  if (!skin || skin->NoSkin()) return;
  Run run{form, *skin, SwitchesOf(*skin)};
  ui::TCustomForm* framework = form.Form();
  if (!framework) {
    for (HWND child = GetTopWindow(form.Handle); child; child = GetWindow(child, GW_HWNDNEXT))
      if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) {
        try {
          ClassifyWindow(run, child);
        } catch (...) {
        }
      }
    return;
  }
  // Handlers may add or free components: the lists are copied first.
  const std::vector<ui::TComponent*> owned = framework->ComponentList();
  for (ui::TComponent* c : owned)
    if (auto* control = dynamic_cast<ui::TControl*>(c)) Classify(run, control, framework);
  // Popup menus are taken over by the menu skinners when those exist.

  // The second pass finds what the first did not reach (controls owned by other controls);
  // whatever is skinned already is left alone.
  std::vector<ui::TWinControl*> tabOrder;
  framework->GetTabOrderList(tabOrder);
  for (ui::TWinControl* control : tabOrder) {
    if (!control->HandleAllocated() || control->Tag() == run.switches.disableTag) continue;
    if (SendMessageW(control->Handle(), SM_ISSKINNED, 0, 0) == 1) continue;
    Classify(run, control, framework);
  }
}

}  // namespace skin
