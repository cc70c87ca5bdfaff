// The ActiveX container: hosts an in-place ActiveX control (the WebBrowser control above all)
// inside a window of ours.
//
// TOleControl is the framework control around it (TWebBrowser for the browser); its window is
// the host window and the ActiveX control lives and dies with that window.
//
// OleHost is the COM side, usable with any host window: it creates the control, gives it a client
// site (IOleClientSite, IOleInPlaceSite and an in-place frame), keeps it sized to the host's client
// area, offers it keyboard accelerators and takes it down again. A subclass adds interfaces to
// the client site through SiteInterface objects, which the site owns, so the control may keep
// using them for as long as it holds the site, whatever happens to the window.
#pragma once

#include <exdisp.h>
#include <ole2.h>
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Classes.h"
#include "ui/Controls.h"
#include "ui/Handles.h"

namespace ui {

// A failed call into a hosted control (the framework's error for failed control calls).
class EOleError : public Exception {
 public:
  EOleError(std::wstring message, HRESULT code) : Exception(std::move(message)), code_(code) {}
  HRESULT ErrorCode() const { return code_; }

 private:
  HRESULT code_;
};

// An interface the client site gains beyond its own. Its IUnknown methods must forward to the
// site (SiteInterfaceImpl does), so that the site keeps one COM identity.
class SiteInterface {
 public:
  virtual ~SiteInterface() = default;
  // The interface pointer for `iid`, without a new reference; nullptr when not this one.
  virtual void* Find(REFIID iid) = 0;
};

// Base for implementing one COM interface I of the client site.
template <class I>
class SiteInterfaceImpl : public I, public SiteInterface {
 public:
  explicit SiteInterfaceImpl(IUnknown* site) : site_(site) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return site_->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return site_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return site_->Release(); }

  void* Find(REFIID iid) override {
    return IsEqualIID(iid, __uuidof(I)) ? static_cast<I*>(this) : nullptr;
  }

 protected:
  IUnknown* Site() const { return site_; }

 private:
  IUnknown* site_;  // owns this object, so holding a reference would keep both alive forever
};

// What a subclass gets to extend the client site with.
class OleSiteExtender {
 public:
  virtual IUnknown* Site() = 0;
  virtual void Add(std::unique_ptr<SiteInterface> extra) = 0;

 protected:
  ~OleSiteExtender() = default;
};

class OleClientSite;

// The hosted control of one host window.
class OleHost {
 public:
  using Extend = std::function<void(OleSiteExtender&)>;
  using EventHandler = std::function<void(DISPID id, DISPPARAMS& params)>;

  OleHost();
  ~OleHost();
  OleHost(const OleHost&) = delete;
  OleHost& operator=(const OleHost&) = delete;

  // Creates the control `clsid` inside `host`, filling its client area, and activates it in
  // place. `extend` adds interfaces to the client site before the control first sees it. Throws
  // EOleError when the control cannot be created or activated.
  void Create(HWND host, REFCLSID clsid, const Extend& extend = {});
  // Deactivates the control and lets it go; safe to call twice and while the window dies.
  void Destroy();

  bool Created() const { return static_cast<bool>(object_); }
  HWND HostWindow() const { return host_; }
  IOleObject* Object() const { return object_.get(); }
  // The control's window (its in-place window), once it has one.
  HWND ControlWindow() const;

  // The host's client area changed size.
  void Resize();
  // The host got the focus: let the control take it (UI activation).
  void Focus();
  // Offers a key message to the active control before it is translated and dispatched; true
  // when the control used it (the message must then not be dispatched).
  bool OfferAccelerator(MSG& msg);
  // Connects `handler` to the control's outgoing interface `events` (e.g. DWebBrowserEvents2).
  void Advise(REFIID events, EventHandler handler);

  // The host whose window is `wnd` or one of its ancestors (a key message goes to the control's
  // innermost window); nullptr when none.
  static OleHost* FromWindow(HWND wnd);

 private:
  friend class OleClientSite;
  void OnActiveObject(IOleInPlaceActiveObject* active);

  HWND host_ = nullptr;
  ComPtr<OleClientSite> site_;
  ComPtr<IOleObject> object_;
  ComPtr<IOleInPlaceObject> inPlace_;
  ComPtr<IOleInPlaceActiveObject> active_;
  ComPtr<IConnectionPoint> eventPoint_;
  DWORD eventCookie_ = 0;
  ComPtr<IDispatch> eventSink_;
};

// ---------------------------------------------------------------------------------------------

// A windowed control hosting an ActiveX control that fills it. The ActiveX control is created
// with the window (so a re-created window gets a new one) and let go when the window dies.
class TOleControl : public TWinControl {
  UI_CLASS(TOleControl, TWinControl)
 public:
  explicit TOleControl(TComponent* AOwner);
  ~TOleControl() override;
  void BeforeDestruction() override;

  // The hosted control, creating the window (and the control) first when needed. Throws
  // EOleError when there is none.
  IOleObject* OleObject();
  bool ControlCreated() const { return host_.Created(); }

  // Keys go to the hosted control before the framework's own key handling.
  bool PreProcessMessage(MSG& msg) override;
  void WndProc(TMessage& message) override;

 protected:
  virtual const CLSID& ControlClassID() const = 0;
  // Lets a subclass give the client site more interfaces; runs before the hosted control first
  // sees its site.
  virtual void AddSiteInterfaces(OleSiteExtender& site);
  // The hosted control exists now (e.g. to connect to its events).
  virtual void InitControl() {}
  OleHost& Host() { return host_; }
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  OleHost host_;
  std::exception_ptr creationError_;  // why the hosted control could not be made, if it could not
};

using TWebNavigateEvent = TMethod<void(TObject* Sender, const std::wstring& URL)>;
using TWebNavigateErrorEvent =
    TMethod<void(TObject* Sender, const std::wstring& URL, long StatusCode)>;

// The system's web browser control.
class TWebBrowser : public TOleControl {
  UI_CLASS(TWebBrowser, TOleControl)
 public:
  explicit TWebBrowser(TComponent* AOwner);

  // Navigates to `url` with flags, target frame, post data and headers left empty. Throws
  // EOleError when the browser refuses.
  void Navigate(const std::wstring& url);
  ComPtr<IWebBrowser2> DefaultInterface();

  TWebNavigateEvent OnBeforeNavigate2;
  TWebNavigateEvent OnNavigateComplete2;
  TWebNavigateEvent OnDocumentComplete;
  TWebNavigateErrorEvent OnNavigateError;

 protected:
  const CLSID& ControlClassID() const override;
  void InitControl() override;

 private:
  void BrowserEvent(DISPID id, DISPPARAMS& params);
};

// Navigates a WebBrowser control to `url` with every optional argument empty; throws EOleError
// when the control refuses.
void NavigateWebBrowser(IUnknown* browser, std::wstring_view url);

// Offers a queued message to the hosted control that holds the focus, for the message loop:
// call before TranslateMessage/DispatchMessage and skip both when it answers true.
bool TranslateOleAccelerator(MSG& msg);

}  // namespace ui
