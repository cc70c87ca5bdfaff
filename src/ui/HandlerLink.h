// A place in a control's WindowProc chain for a handler that may go before the control does.
// The link is owned by the control: while its target lives every message goes to the target,
// which passes it on with CallSaved; once the target has gone the link steps out of the chain if
// nobody has put a handler over it since, else it stays and passes everything on, so that the
// later handler's chain never reaches a freed object. The chain holds the link's relay, not the
// link: a relay that is covered by a later handler when the link is freed with the control's
// components stays until the control itself is freed, after its window's last message.
#pragma once

#include "ui/Controls.h"

namespace ui {

class IHandlerLinkTarget {
 public:
  // A message for the control, in front of the rest of its chain.
  virtual void LinkedMessage(TMessage& message) = 0;
  // The link was freed with the control: the target must not use it again.
  virtual void LinkGone() = 0;

 protected:
  ~IHandlerLinkTarget() = default;
};

class THandlerLink : public TComponent {
  UI_CLASS(THandlerLink, TComponent)
 public:
  THandlerLink(TControl* control, IHandlerLinkTarget* target);
  ~THandlerLink() override;
  // The rest of the chain, as it was when the link went in.
  void CallSaved(TMessage& message) { relay_->saved(message); }
  // The target is going: out of the chain if nobody sits over the link, else a pass-through.
  void Release();

 private:
  struct Relay {
    IHandlerLinkTarget* target;
    TWndMethod saved;
    void Handle(TMessage& message);
  };
  TWndMethod Method() { return MethodOf<&Relay::Handle>(relay_.get()); }

  TControl* control_;
  std::shared_ptr<Relay> relay_;
};

}  // namespace ui
