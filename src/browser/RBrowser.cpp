// The restricted host's answers. None of them can throw, so no guard is needed at this COM
// boundary; out-parameters are cleared so the engine never reads garbage.
#include "browser/RBrowser.h"

#include <memory>

#include "ui/TypInfo.h"

namespace app {

namespace {

template <class T>
void Clear(T** out) {
  if (out) *out = nullptr;
}

}  // namespace

// Showing nothing and answering "handled" is what keeps the engine's own menu away.
HRESULT RestrictedUIHandler::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) { return S_OK; }

HRESULT RestrictedUIHandler::GetHostInfo(DOCHOSTUIINFO* info) {
  if (!info) return E_POINTER;
  info->cbSize = kRestrictedHostInfoSize;
  info->dwFlags = kRestrictedHostFlags;
  info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  return S_OK;
}

// "The host shows the UI": the engine then shows no menus or toolbars of its own.
HRESULT RestrictedUIHandler::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                    IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
  return S_OK;
}

HRESULT RestrictedUIHandler::HideUI() { return S_OK; }
HRESULT RestrictedUIHandler::UpdateUI() { return S_OK; }
HRESULT RestrictedUIHandler::EnableModeless(BOOL) { return S_OK; }
HRESULT RestrictedUIHandler::OnDocWindowActivate(BOOL) { return S_OK; }
HRESULT RestrictedUIHandler::OnFrameWindowActivate(BOOL) { return S_OK; }
HRESULT RestrictedUIHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }

// Only F5 is taken away (no refresh); every other key, F5's release included, goes on to the
// page so typing, Tab, arrows and the other shortcuts keep working.
HRESULT RestrictedUIHandler::TranslateAccelerator(LPMSG msg, const GUID*, DWORD) {
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_F5) return S_OK;
  return S_FALSE;
}

HRESULT RestrictedUIHandler::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  Clear(key);
  return S_FALSE;
}

HRESULT RestrictedUIHandler::GetDropTarget(IDropTarget*, IDropTarget** out) {
  Clear(out);
  return E_NOTIMPL;
}

// Page scripts get no object of the host (window.external stays empty).
HRESULT RestrictedUIHandler::GetExternal(IDispatch** out) {
  Clear(out);
  return S_FALSE;
}

HRESULT RestrictedUIHandler::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
  Clear(out);
  return S_FALSE;
}

HRESULT RestrictedUIHandler::FilterDataObject(IDataObject*, IDataObject** out) {
  Clear(out);
  return S_FALSE;
}

void AddRestrictedUIHandler(ui::OleSiteExtender& site) {
  site.Add(std::make_unique<RestrictedUIHandler>(site.Site()));
}

UI_IMPLEMENT_CLASS(TRestrictedWebBrowser, ui::TWebBrowser)

void TRestrictedWebBrowser::AddSiteInterfaces(ui::OleSiteExtender& site) {
  TWebBrowser::AddSiteInterfaces(site);
  AddRestrictedUIHandler(site);
}

}  // namespace app
