// Browser events as the engine sends them: through the control's DWebBrowserEvents2 connection
// point, to every sink connected there, with the arguments packed the way the engine packs them
// (last first, strings and codes by reference). Header-only, so the program's window tests can
// use it too.
#pragma once

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <oleauto.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/OleControl.h"

namespace wintest {

// Calls `id` on every sink of the browser's event connection point; the number reached, or -1
// when the engine does not list its connections.
inline int FireBrowserEvent(ui::TWebBrowser* browser, DISPID id, std::vector<VARIANT>& lastFirst) {
  auto container = ui::ComPtr<IOleObject>::Share(browser->OleObject())
                       .As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  if (!container) return -1;
  IConnectionPoint* rawPoint = nullptr;
  if (FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &rawPoint))) return -1;
  auto point = ui::ComPtr<IConnectionPoint>::Adopt(rawPoint);
  IEnumConnections* rawEnum = nullptr;
  if (FAILED(point->EnumConnections(&rawEnum)) || !rawEnum) return -1;
  auto connections = ui::ComPtr<IEnumConnections>::Adopt(rawEnum);
  DISPPARAMS params{lastFirst.data(), nullptr, static_cast<UINT>(lastFirst.size()), 0};
  int reached = 0;
  CONNECTDATA data{};
  while (connections->Next(1, &data, nullptr) == S_OK) {
    // Wine's enumerator hands out its sinks without a reference of their own (Windows adds
    // one): releasing it would free the sink under the browser, so it is only borrowed here.
    auto sink = ui::ComPtr<IUnknown>::Share(data.pUnk).As<IDispatch>(IID_IDispatch);
    if (sink && SUCCEEDED(sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr,
                                       nullptr)))
      ++reached;
  }
  return reached;
}

// The arguments' storage: the engine passes most of them by reference.
struct EventArguments {
  explicit EventArguments(const std::wstring& url) : url_(SysAllocString(url.c_str())) {
    VariantInit(&urlValue_);
    urlValue_.vt = VT_BSTR;
    urlValue_.bstrVal = url_;
  }
  ~EventArguments() { SysFreeString(url_); }
  EventArguments(const EventArguments&) = delete;
  EventArguments& operator=(const EventArguments&) = delete;

  VARIANT Dispatch() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = nullptr;
    return v;
  }
  VARIANT ByRef(VARIANT* target) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_VARIANT | VT_BYREF;
    v.pvarVal = target;
    return v;
  }

  BSTR url_;
  VARIANT urlValue_;
  VARIANT frame_{};
  VARIANT status_{};
  VARIANT_BOOL cancel_ = VARIANT_FALSE;
};

// NavigateComplete2(pDisp, URL) or DocumentComplete(pDisp, URL).
inline int FireNavigateComplete(ui::TWebBrowser* browser, const std::wstring& url,
                                DISPID id = DISPID_NAVIGATECOMPLETE2) {
  EventArguments a(url);
  std::vector<VARIANT> args = {a.ByRef(&a.urlValue_), a.Dispatch()};
  return FireBrowserEvent(browser, id, args);
}

// NavigateError(pDisp, URL, TargetFrameName, StatusCode, Cancel).
inline int FireNavigateError(ui::TWebBrowser* browser, const std::wstring& url, long status) {
  EventArguments a(url);
  VariantInit(&a.frame_);
  VariantInit(&a.status_);
  a.status_.vt = VT_I4;
  a.status_.lVal = status;
  VARIANT cancel;
  VariantInit(&cancel);
  cancel.vt = VT_BOOL | VT_BYREF;
  cancel.pboolVal = &a.cancel_;
  std::vector<VARIANT> args = {cancel, a.ByRef(&a.status_), a.ByRef(&a.frame_),
                               a.ByRef(&a.urlValue_), a.Dispatch()};
  return FireBrowserEvent(browser, DISPID_NAVIGATEERROR, args);
}

}  // namespace wintest
