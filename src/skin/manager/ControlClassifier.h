// Gives the controls of a skinned window their skinners: gathers what the rules read from the
// framework objects and windows, asks the rules (ControlRules.h), and creates and attaches the
// skinner the decision names. A kind whose skinner is not built yet leaves the control native;
// nothing here reports an error: a control that cannot be served keeps its own look.
#pragma once

#include <windows.h>

#include "skin/data/WinSkinData.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/ControlRules.h"
#include "ui/Controls.h"

namespace skin {

// Every control of the form skinner's window: for a framework form the components it owns, then
// the windows of its tab order that are not skinned yet; for a bare window its child windows.
void ClassifyFormControls(TWinSkinForm& form);
// One framework control; `container` is what the skin's OnSkinControl handler is told.
void ClassifyControl(TWinSkinForm& form, ui::TControl* control, ui::TComponent* container);
// One child window without a framework object (controls of system dialogs, size grips).
void ClassifyChildWindow(TWinSkinForm& form, HWND wnd);

// What the rules read about a control and about a skin.
ControlFacts GatherFacts(ui::TControl* control);
ClassifySwitches SwitchesOf(const TSkinData& skin);

}  // namespace skin
