// The advanced-search window: the shopping host's advanced-search page in a restricted browser
// that fills the window. Created once, on the first request, and hidden (not freed) when closed,
// so its page, history and position stay as the user left them.
#pragma once

#include <string>

#include "browser/RBrowser.h"
#include "ui/Forms.h"

namespace app {

class TForm2 : public ui::TForm {
  UI_CLASS(TForm2, ui::TForm)
 public:
  explicit TForm2(ui::TComponent* AOwner);

  TRestrictedWebBrowser* m_web = nullptr;

  void FormCreate(ui::TObject* Sender);
  void FormClose(ui::TObject* Sender, ui::TCloseAction& Action);

 private:
  std::string shopHost_;
};

}  // namespace app
