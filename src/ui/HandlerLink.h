// A place in a control's WindowProc chain for a handler that may go before the control does.
// The link is owned by the control: while its target lives every message goes to the target,
// which passes it on with CallSaved; once the target has gone the link steps out of the chain if
// nobody has put a handler over it since, else it stays and passes everything on, so that the
// later handler's chain never reaches a freed object.
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
  void CallSaved(TMessage& message) { saved_(message); }
  // The target is going: out of the chain if nobody sits over the link, else a pass-through.
  void Release();

 private:
  TWndMethod Method() { return MethodOf<&THandlerLink::Handle>(this); }
  void Handle(TMessage& message);

  TControl* control_;
  IHandlerLinkTarget* target_;
  TWndMethod saved_;
};

}  // namespace ui
