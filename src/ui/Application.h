// The application object: the hidden "TApplication" window that owns the forms and the task-bar
// button, the title and icon, the main form, the message loop with the framework's keyboard
// handling, mouse enter/leave tracking and the default error box.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "ui/Bitmaps.h"
#include "ui/Classes.h"
#include "ui/Messages.h"

namespace ui {

class TControl;
class TCustomForm;
class TWinControl;

using TExceptionEvent = TMethod<void(TObject* Sender, const std::exception_ptr& E)>;
using TIdleEvent = TMethod<void(TObject* Sender, bool& Done)>;
using TMessageEvent = TMethod<void(MSG& Msg, bool& Handled)>;

class TApplication : public TComponent {
  UI_CLASS(TApplication, TComponent)
 public:
  TApplication();
  ~TApplication() override;

  // COM/OLE for the embedded browsers, common controls, the hidden window.
  void Initialize();
  HWND Handle();
  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title);
  TIcon* Icon() { return &icon_; }
  // Hands the icon to the hidden window (WM_SETICON), where WM_GETICON finds it.
  void IconChanged();
  bool MainFormOnTaskBar() const { return mainFormOnTaskBar_; }
  void SetMainFormOnTaskBar(bool on) { mainFormOnTaskBar_ = on; }
  bool ShowMainForm = true;

  // Creates a form owned by the application; the first becomes the main form.
  template <class F>
  F* CreateForm(F*& reference) {
    reference = new F(this);
    if (!mainForm_) mainForm_ = reference;
    return reference;
  }
  TCustomForm* MainForm() const { return mainForm_; }
  void SetMainForm(TCustomForm* form) { mainForm_ = form; }

  // Shows the main form and runs the loop until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // One message (or idle work and a wait when there is none).
  void HandleMessage();
  // Every queued message, without waiting.
  void ProcessMessages();
  // Handles one message; false when the queue was empty.
  bool ProcessMessage(MSG& msg);

  // Reports the exception being handled (call from a catch block) through OnException or the
  // default error box: its message, the title as caption, the error icon.
  void HandleException(TObject* sender);
  void ShowException(const std::exception_ptr& error);

  // Mouse enter/leave: the framework control under the pointer changed.
  void NoteMouseControl(TControl* control, HWND wnd);
  // Looks at where the pointer is now (idle time, WM_MOUSELEAVE).
  void CheckMouseControl();
  TControl* MouseControl() const { return mouseControl_; }
  // A control is going away: forget it.
  void ControlDestroying(TControl* control);

  // Frees released forms (after the message that released them is done).
  void FreeReleased();
  void ScheduleRelease(TCustomForm* form);
  // A form is being freed by other means: it must not be freed again.
  void FormDestroying(TCustomForm* form);

  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  TMessageEvent OnMessage;

 private:
  static LRESULT CALLBACK AppWndProc(HWND, UINT, WPARAM, LPARAM);
  bool IsPreProcessMessage(MSG& msg);
  bool IsKeyMsg(MSG& msg);
  void Idle(const MSG& msg);

  HWND handle_ = nullptr;
  std::wstring title_;
  TIcon icon_;
  bool mainFormOnTaskBar_ = false;
  bool initialized_ = false;
  bool oleInitialized_ = false;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  TControl* mouseControl_ = nullptr;
  std::vector<TCustomForm*> released_;
  int handlingException_ = 0;
};

extern TApplication* Application;

// Frees every form and the application's components in a fixed order (forms first), before
// static destruction begins. The program calls it after Run.
void ShutdownApplication();

}  // namespace ui
