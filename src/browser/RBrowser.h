// The restricted browser host: the web browser whose host-side user interface is taken away (no
// context menu, no engine menus or toolbars, no border, no scroll bars, no F5 refresh, no script
// access to the host).
//
// The policy is an IDocHostUIHandler that the browser finds on its client site; the engine asks
// it before it shows any of its own user interface.
#pragma once

#include <mshtmhst.h>
#include <windows.h>

#include "ui/OleControl.h"

namespace app {

// Host-info flags: no 3-D border, no scroll bars, themed controls inside pages.
inline constexpr DWORD kRestrictedHostFlags =
    DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_THEME;
// What GetHostInfo reports as the record's size: the size, flags and double-click fields only,
// so the engine leaves the record's two string fields as it passed them.
inline constexpr ULONG kRestrictedHostInfoSize = 12;

class RestrictedUIHandler final : public ui::SiteInterfaceImpl<IDocHostUIHandler> {
 public:
  using SiteInterfaceImpl::SiteInterfaceImpl;

  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD id, POINT* pt, IUnknown* target,
                                            IDispatch* object) override;
  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override;
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD id, IOleInPlaceActiveObject* active,
                                   IOleCommandTarget* target, IOleInPlaceFrame* frame,
                                   IOleInPlaceUIWindow* doc) override;
  HRESULT STDMETHODCALLTYPE HideUI() override;
  HRESULT STDMETHODCALLTYPE UpdateUI() override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                         BOOL frameWindow) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, const GUID* group,
                                                 DWORD command) override;
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* target, IDropTarget** out) override;
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD translate, LPWSTR in, LPWSTR* out) override;
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* in, IDataObject** out) override;
};

// Gives a client site the restricted policy.
void AddRestrictedUIHandler(ui::OleSiteExtender& site);

// The web browser with the restricted policy on its client site.
class TRestrictedWebBrowser : public ui::TWebBrowser {
  UI_CLASS(TRestrictedWebBrowser, ui::TWebBrowser)
 public:
  explicit TRestrictedWebBrowser(ui::TComponent* AOwner) : TWebBrowser(AOwner) {}

 protected:
  void AddSiteInterfaces(ui::OleSiteExtender& site) override;
};

}  // namespace app
