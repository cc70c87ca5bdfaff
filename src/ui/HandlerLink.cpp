#include "ui/HandlerLink.h"

namespace ui {

UI_IMPLEMENT_CLASS(THandlerLink, TComponent)

THandlerLink::THandlerLink(TControl* control, IHandlerLinkTarget* target)
    : TComponent(control), control_(control), target_(target), saved_(control->WindowProc) {
  control->WindowProc = Method();
}

THandlerLink::~THandlerLink() {
  if (control_->WindowProc == Method()) control_->WindowProc = saved_;
  if (target_) target_->LinkGone();
}

void THandlerLink::Handle(TMessage& message) {
  if (target_)
    target_->LinkedMessage(message);
  else
    saved_(message);
}

void THandlerLink::Release() {
  target_ = nullptr;
  if (control_->WindowProc == Method()) Free();
}

}  // namespace ui
