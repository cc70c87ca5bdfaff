// Counts the GDI objects this program asks gdi32 to make while an instance lives: the program's
// own imports of gdi32's Create* functions are redirected through counters and put back at the
// end. A live count (GetGuiResources) only sees what a paint keeps; this sees what it made and
// freed again. user32's DrawIconEx counts too: it makes a memory DC for every icon it draws.
#pragma once

#include <windows.h>

#include <cstring>
#include <string_view>
#include <vector>

namespace frametest {

namespace gdicount {
inline long g_made = 0;

#define TARVIMO_COUNTED(name, ret, params, args) \
  inline ret(WINAPI* g_##name) params = nullptr; \
  inline ret WINAPI Counted##name params {       \
    ++g_made;                                    \
    return g_##name args;                        \
  }
TARVIMO_COUNTED(CreateCompatibleDC, HDC, (HDC dc), (dc))
TARVIMO_COUNTED(CreateDCW, HDC, (LPCWSTR a, LPCWSTR b, LPCWSTR c, const DEVMODEW* d), (a, b, c, d))
TARVIMO_COUNTED(CreateCompatibleBitmap, HBITMAP, (HDC dc, int w, int h), (dc, w, h))
TARVIMO_COUNTED(CreateBitmap, HBITMAP, (int w, int h, UINT p, UINT b, const void* bits),
                (w, h, p, b, bits))
TARVIMO_COUNTED(CreateDIBSection, HBITMAP,
                (HDC dc, const BITMAPINFO* bi, UINT u, void** bits, HANDLE s, DWORD o),
                (dc, bi, u, bits, s, o))
TARVIMO_COUNTED(CreateDIBitmap, HBITMAP,
                (HDC dc, const BITMAPINFOHEADER* h, DWORD f, const void* b, const BITMAPINFO* bi,
                 UINT u),
                (dc, h, f, b, bi, u))
TARVIMO_COUNTED(CreateRectRgn, HRGN, (int l, int t, int r, int b), (l, t, r, b))
TARVIMO_COUNTED(CreateRectRgnIndirect, HRGN, (const RECT* r), (r))
TARVIMO_COUNTED(ExtCreateRegion, HRGN, (const XFORM* x, DWORD n, const RGNDATA* d), (x, n, d))
TARVIMO_COUNTED(CreateSolidBrush, HBRUSH, (COLORREF c), (c))
TARVIMO_COUNTED(CreatePen, HPEN, (int s, int w, COLORREF c), (s, w, c))
TARVIMO_COUNTED(CreateFontIndirectW, HFONT, (const LOGFONTW* f), (f))
TARVIMO_COUNTED(DrawIconEx, BOOL,
                (HDC dc, int x, int y, HICON i, int w, int h, UINT s, HBRUSH b, UINT f),
                (dc, x, y, i, w, h, s, b, f))
#undef TARVIMO_COUNTED

struct Hook {
  const char* module;
  const char* name;
  void* counted;
  void** original;
};
inline const std::vector<Hook>& Hooks() {
#define TARVIMO_HOOK(name)                                       \
  {                                                              \
    "gdi32.dll", #name, reinterpret_cast<void*>(&Counted##name), \
        reinterpret_cast<void**>(&g_##name)                      \
  }
  static const std::vector<Hook> hooks = {
      {"user32.dll", "DrawIconEx", reinterpret_cast<void*>(&CountedDrawIconEx),
       reinterpret_cast<void**>(&g_DrawIconEx)},
      TARVIMO_HOOK(CreateCompatibleDC),
      TARVIMO_HOOK(CreateDCW),
      TARVIMO_HOOK(CreateCompatibleBitmap),
      TARVIMO_HOOK(CreateBitmap),
      TARVIMO_HOOK(CreateDIBSection),
      TARVIMO_HOOK(CreateDIBitmap),
      TARVIMO_HOOK(CreateRectRgn),
      TARVIMO_HOOK(CreateRectRgnIndirect),
      TARVIMO_HOOK(ExtCreateRegion),
      TARVIMO_HOOK(CreateSolidBrush),
      TARVIMO_HOOK(CreatePen),
      TARVIMO_HOOK(CreateFontIndirectW)};
#undef TARVIMO_HOOK
  return hooks;
}
}  // namespace gdicount

class GdiCreations {
 public:
  GdiCreations() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         d->Name; ++d) {
      const char* module = reinterpret_cast<const char*>(base + d->Name);
      const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(
          base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
      for (; names->u1.AddressOfData; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        const char* name = reinterpret_cast<const char*>(
            reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name);
        for (const gdicount::Hook& h : gdicount::Hooks())
          if (_stricmp(module, h.module) == 0 && std::strcmp(name, h.name) == 0) Patch(slots, h);
      }
    }
  }
  ~GdiCreations() {
    for (const Patched& p : patched_) Write(p.slot, p.original);
  }
  GdiCreations(const GdiCreations&) = delete;
  GdiCreations& operator=(const GdiCreations&) = delete;

  // Whether any import was redirected (a program that imports none of them counts nothing).
  bool Active() const { return !patched_.empty(); }
  long Made() const { return gdicount::g_made; }

 private:
  struct Patched {
    IMAGE_THUNK_DATA* slot;
    void* original;
  };
  static void Write(IMAGE_THUNK_DATA* slot, void* value) {
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return;
    slot->u1.Function = reinterpret_cast<decltype(slot->u1.Function)>(value);
    VirtualProtect(slot, sizeof *slot, old, &old);
  }
  void Patch(IMAGE_THUNK_DATA* slot, const gdicount::Hook& h) {
    void* original = reinterpret_cast<void*>(slot->u1.Function);
    *h.original = original;
    Write(slot, h.counted);
    patched_.push_back({slot, original});
  }
  std::vector<Patched> patched_;
};

}  // namespace frametest
