// The ActiveX container's COM side. Every method the control can call catches everything: an
// exception must never unwind into the control's code.
#include "ui/OleControl.h"

#include <exdispid.h>
#include <olectl.h>

#include <cwchar>
#include <utility>

#include "ui/Application.h"
#include "ui/TypInfo.h"

namespace ui {

namespace {

constexpr wchar_t kHostProperty[] = L"Tarvimo.OleHost";

// Runs `body` and turns any exception into `failure`, for methods called by the control.
template <class F>
HRESULT Guard(F&& body, HRESULT failure = E_UNEXPECTED) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

std::wstring DescribeError(std::wstring_view what, HRESULT code) {
  wchar_t buffer[512] = {};
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, static_cast<DWORD>(code), 0, buffer, 512, nullptr);
  std::wstring text(what);
  wchar_t hex[32];
  std::swprintf(hex, 32, L" (0x%08lX)", static_cast<unsigned long>(code));
  if (n) {
    std::wstring reason(buffer, n);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' ||
                               reason.back() == L' ' || reason.back() == L'.'))
      reason.pop_back();
    text += L": ";
    text += reason;
  }
  text += hex;
  return text;
}

void ThrowIfFailed(HRESULT hr, std::wstring_view what) {
  if (FAILED(hr)) throw EOleError(DescribeError(what, hr), hr);
}

struct BstrFree {
  void operator()(BSTR s) const { SysFreeString(s); }
};
using Bstr = std::unique_ptr<OLECHAR, BstrFree>;

// A VARIANT that is cleared when it goes.
class Variant {
 public:
  Variant() { VariantInit(&v_); }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* get() { return &v_; }

 private:
  VARIANT v_;
};

// Receives a control's outgoing calls (its events) and hands them to one handler.
class EventSink final : public IDispatch {
 public:
  EventSink(const IID& events, OleHost::EventHandler handler)
      : events_(events), handler_(std::move(handler)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, events_)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  // The receiver is going away; calls the control still makes are ignored.
  void Disconnect() { handler_ = nullptr; }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    return Guard([&] {
      DISPPARAMS none{};
      if (handler_) handler_(id, params ? *params : none);
      return S_OK;
    });
  }

 private:
  ULONG refs_ = 1;
  IID events_;
  OleHost::EventHandler handler_;
};

bool IsKeyMessage(UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_KEYLAST; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// The client site: one COM object, outliving its host if the control keeps a reference.

class OleClientSite final : public IOleClientSite, public IOleInPlaceSite, public OleSiteExtender {
 public:
  explicit OleClientSite(OleHost* host) : host_(host), frame_(this) {}

  // The host is going away; calls that still arrive answer without it.
  void Detach() { host_ = nullptr; }

  // OleSiteExtender
  IUnknown* Site() override { return static_cast<IOleClientSite*>(this); }
  void Add(std::unique_ptr<SiteInterface> extra) override { extras_.push_back(std::move(extra)); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = Find(iid);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (through IOleInPlaceSite)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = host_ ? host_->HostWindow() : nullptr;
    return *out ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return host_ ? S_OK : S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                             RECT* pos, RECT* clip,
                                             OLEINPLACEFRAMEINFO* info) override {
    return Guard([&]() -> HRESULT {
      if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
      *frame = nullptr;
      *doc = nullptr;  // the frame is also the document window
      if (!host_) return E_FAIL;
      *frame = &frame_;
      frame_.AddRef();
      GetClientRect(host_->HostWindow(), pos);
      *clip = *pos;
      // The caller sets info->cb for the version of the record it knows; it is not ours to change.
      info->fMDIApp = FALSE;
      info->hwndFrame = GetAncestor(host_->HostWindow(), GA_ROOT);
      info->haccel = nullptr;
      info->cAccelEntries = 0;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(const RECT*) override {
    // The host decides the control's size: it always fills the host's client area.
    return Guard([&] {
      if (host_) host_->Resize();
      return S_OK;
    });
  }

 private:
  // The in-place frame (and UI window): its own object because IOleWindow::GetWindow must answer
  // the top-level window here and the host window on the site.
  class Frame final : public SiteInterfaceImpl<IOleInPlaceFrame> {
   public:
    explicit Frame(OleClientSite* site)
        : SiteInterfaceImpl(static_cast<IOleClientSite*>(site)), site_(site) {}

    void* Find(REFIID iid) override {
      if (IsEqualIID(iid, IID_IOleInPlaceFrame) || IsEqualIID(iid, IID_IOleInPlaceUIWindow))
        return static_cast<IOleInPlaceFrame*>(this);
      return nullptr;
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
      if (!out) return E_POINTER;
      *out = site_->host_ ? GetAncestor(site_->host_->HostWindow(), GA_ROOT) : nullptr;
      return *out ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBorder(RECT*) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
      return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override {
      return Guard([&] {
        if (site_->host_) site_->host_->OnActiveObject(active);
        return S_OK;
      });
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) override {
      // No menus of our own to merge with: the control's groups stay empty.
      if (widths) {
        for (LONG& w : widths->width) w = 0;
      }
      return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

   private:
    OleClientSite* site_;
  };

  ~OleClientSite() = default;

  void* Find(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
      return static_cast<IOleClientSite*>(this);
    if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
      return static_cast<IOleInPlaceSite*>(this);
    if (void* p = frame_.Find(iid)) return p;
    for (auto& extra : extras_) {
      if (void* p = extra->Find(iid)) return p;
    }
    return nullptr;
  }

  ULONG refs_ = 1;
  OleHost* host_;
  Frame frame_;
  std::vector<std::unique_ptr<SiteInterface>> extras_;
};

// ---------------------------------------------------------------------------------------------

OleHost::OleHost() = default;

OleHost::~OleHost() { Destroy(); }

void OleHost::Create(HWND host, REFCLSID clsid, const Extend& extend) {
  if (Created()) throw EOleError(L"The control already exists", E_UNEXPECTED);
  if (!IsWindow(host)) throw EOleError(L"The control has no window to live in", E_INVALIDARG);
  host_ = host;
  site_ = ComPtr<OleClientSite>::Adopt(new OleClientSite(this));
  SetPropW(host_, kHostProperty, this);
  try {
    if (extend) extend(*site_.get());
    IOleObject* object = nullptr;
    ThrowIfFailed(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                   reinterpret_cast<void**>(&object)),
                  L"The control could not be created");
    object_ = ComPtr<IOleObject>::Adopt(object);
    ThrowIfFailed(object_->SetClientSite(site_.get()), L"The control refused its site");
    OleSetContainedObject(object_.get(), TRUE);
    RECT rc{};
    GetClientRect(host_, &rc);
    ThrowIfFailed(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, host_, &rc),
                  L"The control could not be activated");
    inPlace_ = object_.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    if (!active_) active_ = object_.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    Resize();
  } catch (...) {
    Destroy();
    throw;
  }
}

void OleHost::Destroy() {
  // Everything is taken out of the members first: each call below may re-enter this object.
  auto point = std::move(eventPoint_);
  const DWORD cookie = std::exchange(eventCookie_, 0);
  auto sink = std::move(eventSink_);
  auto active = std::move(active_);
  auto inPlace = std::move(inPlace_);
  auto object = std::move(object_);
  auto site = std::move(site_);
  HWND host = std::exchange(host_, nullptr);

  if (sink) static_cast<EventSink*>(sink.get())->Disconnect();
  if (point && cookie) point->Unadvise(cookie);
  active.reset();
  if (inPlace) inPlace->InPlaceDeactivate();
  inPlace.reset();
  if (object) {
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
  }
  object.reset();
  if (site) site->Detach();
  if (host && GetPropW(host, kHostProperty) == this) RemovePropW(host, kHostProperty);
}

HWND OleHost::ControlWindow() const {
  HWND wnd = nullptr;
  if (inPlace_ && SUCCEEDED(inPlace_->GetWindow(&wnd))) return wnd;
  return nullptr;
}

void OleHost::Resize() {
  if (!inPlace_ || !host_) return;
  RECT rc{};
  GetClientRect(host_, &rc);
  inPlace_->SetObjectRects(&rc, &rc);
}

void OleHost::Focus() {
  if (!object_ || !host_) return;
  RECT rc{};
  GetClientRect(host_, &rc);
  object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site_.get(), 0, host_, &rc);
}

bool OleHost::OfferAccelerator(MSG& msg) {
  if (!active_ || !IsKeyMessage(msg.message)) return false;
  // Keep the object alive through the call: the page may close or re-activate it meanwhile.
  auto active = active_;
  return active->TranslateAccelerator(&msg) == S_OK;
}

void OleHost::Advise(REFIID events, EventHandler handler) {
  if (!object_) throw EOleError(L"The control does not exist", E_UNEXPECTED);
  if (eventPoint_) {
    if (eventSink_) static_cast<EventSink*>(eventSink_.get())->Disconnect();
    eventPoint_->Unadvise(eventCookie_);
    eventPoint_.reset();
    eventSink_.reset();
    eventCookie_ = 0;
  }
  auto container = object_.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  if (!container) throw EOleError(L"The control has no events", E_NOINTERFACE);
  IConnectionPoint* point = nullptr;
  ThrowIfFailed(container->FindConnectionPoint(events, &point), L"The control has no such events");
  auto pointPtr = ComPtr<IConnectionPoint>::Adopt(point);
  auto sink = ComPtr<IDispatch>::Adopt(new EventSink(events, std::move(handler)));
  DWORD cookie = 0;
  ThrowIfFailed(pointPtr->Advise(sink.get(), &cookie), L"The control's events could not be joined");
  eventPoint_ = std::move(pointPtr);
  eventSink_ = std::move(sink);
  eventCookie_ = cookie;
}

void OleHost::OnActiveObject(IOleInPlaceActiveObject* active) {
  active_ = ComPtr<IOleInPlaceActiveObject>::Share(active);
}

OleHost* OleHost::FromWindow(HWND wnd) {
  for (HWND w = wnd; w; w = GetAncestor(w, GA_PARENT)) {
    if (auto* host = static_cast<OleHost*>(GetPropW(w, kHostProperty))) return host;
    if (!(GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) break;  // stop at the top-level window
  }
  return nullptr;
}

void NavigateWebBrowser(IUnknown* browser, std::wstring_view url) {
  if (!browser) throw EOleError(L"The browser does not exist", E_POINTER);
  IWebBrowser2* raw = nullptr;
  ThrowIfFailed(browser->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&raw)),
                L"The control is not a web browser");
  auto web = ComPtr<IWebBrowser2>::Adopt(raw);
  Bstr address(SysAllocStringLen(url.data(), static_cast<UINT>(url.size())));
  if (!address) throw EOleError(L"Out of memory", E_OUTOFMEMORY);
  Variant flags, target, post, headers;
  ThrowIfFailed(web->Navigate(address.get(), flags.get(), target.get(), post.get(), headers.get()),
                L"The browser could not navigate");
}

bool TranslateOleAccelerator(MSG& msg) {
  if (!IsKeyMessage(msg.message)) return false;
  OleHost* host = OleHost::FromWindow(msg.hwnd);
  return host && host->OfferAccelerator(msg);
}

// ---------------------------------------------------------------------------------------------

namespace {

// The text of a BSTR argument, which events may pass by value or by reference.
std::wstring StringArgument(const VARIANT& v) {
  const VARIANT* p = &v;
  if (p->vt == (VT_VARIANT | VT_BYREF) && p->pvarVal) p = p->pvarVal;
  if (p->vt == VT_BSTR && p->bstrVal) return std::wstring(p->bstrVal, SysStringLen(p->bstrVal));
  if (p->vt == (VT_BSTR | VT_BYREF) && p->pbstrVal && *p->pbstrVal)
    return std::wstring(*p->pbstrVal, SysStringLen(*p->pbstrVal));
  return {};
}

long LongArgument(const VARIANT& v) {
  const VARIANT* p = &v;
  if (p->vt == (VT_VARIANT | VT_BYREF) && p->pvarVal) p = p->pvarVal;
  if (p->vt == VT_I4 || p->vt == VT_ERROR) return p->lVal;
  if (p->vt == (VT_I4 | VT_BYREF) && p->plVal) return *p->plVal;
  return 0;
}

// Events pass their arguments last-first.
const VARIANT* Argument(const DISPPARAMS& params, UINT index, UINT count) {
  if (params.cArgs != count || !params.rgvarg || index >= count) return nullptr;
  return &params.rgvarg[count - 1 - index];
}

}  // namespace

UI_IMPLEMENT_CLASS(TOleControl, TWinControl)

TOleControl::TOleControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

TOleControl::~TOleControl() { host_.Destroy(); }

void TOleControl::BeforeDestruction() {
  // The hosted control goes while this object is whole: it may still call into the site.
  host_.Destroy();
  TWinControl::BeforeDestruction();
}

IOleObject* TOleControl::OleObject() {
  HandleNeeded();
  if (host_.Created()) return host_.Object();
  if (creationError_) std::rethrow_exception(creationError_);
  throw EOleError(
      L"The control '" + std::wstring(Name().begin(), Name().end()) + L"' has no ActiveX object",
      E_UNEXPECTED);
}

void TOleControl::AddSiteInterfaces(OleSiteExtender&) {}

void TOleControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  // The hosted control paints the whole window; no scroll bars of ours (they would also make
  // the window look like a scrolling control to anyone classifying windows by style).
  params.Style |= WS_CLIPCHILDREN;
  params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

void TOleControl::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  // A control that cannot be created must not stop the window (and the form around it) from
  // being made: the failure is kept and raised when the control is used.
  creationError_ = nullptr;
  try {
    host_.Create(Handle(), ControlClassID(),
                 [this](OleSiteExtender& site) { AddSiteInterfaces(site); });
    InitControl();
  } catch (...) {
    creationError_ = std::current_exception();
  }
}

bool TOleControl::PreProcessMessage(MSG& msg) {
  return host_.OfferAccelerator(msg) || TWinControl::PreProcessMessage(msg);
}

void TOleControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_DESTROY:
      host_.Destroy();
      break;
    case WM_ERASEBKGND:
      if (host_.Created()) {
        message.Result = 1;  // the hosted control covers the window
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(message);
  switch (message.Msg) {
    case WM_SIZE:
      host_.Resize();
      break;
    case WM_SETFOCUS:
      host_.Focus();
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TWebBrowser, TOleControl)

TWebBrowser::TWebBrowser(TComponent* AOwner) : TOleControl(AOwner) {}

const CLSID& TWebBrowser::ControlClassID() const { return CLSID_WebBrowser; }

void TWebBrowser::Navigate(const std::wstring& url) { NavigateWebBrowser(OleObject(), url); }

ComPtr<IWebBrowser2> TWebBrowser::DefaultInterface() {
  return ComPtr<IOleObject>::Share(OleObject()).As<IWebBrowser2>(IID_IWebBrowser2);
}

void TWebBrowser::InitControl() {
  try {
    Host().Advise(DIID_DWebBrowserEvents2,
                  [this](DISPID id, DISPPARAMS& params) { BrowserEvent(id, params); });
  } catch (const EOleError&) {
    // A browser without events still navigates; only the events stay silent.
  }
}

void TWebBrowser::BrowserEvent(DISPID id, DISPPARAMS& params) {
  try {
    switch (id) {
      case DISPID_BEFORENAVIGATE2:  // (pDisp, URL, Flags, TargetFrameName, PostData, Headers,
                                    // Cancel)
        if (const VARIANT* url = Argument(params, 1, 7); url && OnBeforeNavigate2)
          OnBeforeNavigate2(this, StringArgument(*url));
        break;
      case DISPID_NAVIGATECOMPLETE2:  // (pDisp, URL)
        if (const VARIANT* url = Argument(params, 1, 2); url && OnNavigateComplete2)
          OnNavigateComplete2(this, StringArgument(*url));
        break;
      case DISPID_DOCUMENTCOMPLETE:  // (pDisp, URL)
        if (const VARIANT* url = Argument(params, 1, 2); url && OnDocumentComplete)
          OnDocumentComplete(this, StringArgument(*url));
        break;
      case DISPID_NAVIGATEERROR:  // (pDisp, URL, Frame, StatusCode, Cancel)
        if (OnNavigateError) {
          const VARIANT* url = Argument(params, 1, 5);
          const VARIANT* status = Argument(params, 3, 5);
          if (url && status) OnNavigateError(this, StringArgument(*url), LongArgument(*status));
        }
        break;
      default:
        break;
    }
  } catch (...) {
    // A handler's failure is reported like any other; it must not travel back into the browser.
    if (Application) Application->HandleException(this);
  }
}

}  // namespace ui
