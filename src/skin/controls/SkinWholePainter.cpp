#include "skin/controls/SkinWholePainter.h"

namespace skin {

UI_IMPLEMENT_CLASS(TSkinWholePainter, TSkinControl)

bool TSkinWholePainter::BeforeMessage(ui::TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      if (!Bar()) break;
      PaintMessage(message);
      return false;
    case WM_ERASEBKGND:
      if (!Bar()) break;
      message.Result = 1;
      return false;
    default:
      break;
  }
  return TSkinControl::BeforeMessage(message);
}

}  // namespace skin
