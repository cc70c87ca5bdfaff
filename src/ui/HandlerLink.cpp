#include "ui/HandlerLink.h"

#include <utility>

namespace ui {

UI_IMPLEMENT_CLASS(THandlerLink, TComponent)

THandlerLink::THandlerLink(TControl* control, IHandlerLinkTarget* target)
    : TComponent(control),
      control_(control),
      relay_(std::make_shared<Relay>(Relay{target, control->WindowProc})) {
  control->WindowProc = Method();
}

THandlerLink::~THandlerLink() {
  IHandlerLinkTarget* target = std::exchange(relay_->target, nullptr);
  if (control_->WindowProc == Method())
    control_->WindowProc = relay_->saved;
  else
    control_->KeepUntilFreed(relay_);  // a handler over it still calls it
  if (target) target->LinkGone();
}

void THandlerLink::Relay::Handle(TMessage& message) {
  if (target)
    target->LinkedMessage(message);
  else
    saved(message);
}

void THandlerLink::Release() {
  relay_->target = nullptr;
  if (control_->WindowProc == Method()) Free();
}

}  // namespace ui
