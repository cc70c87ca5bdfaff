#include "support/WinTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "ui/Application.h"

namespace wintest {

bool PumpUntil(const std::function<bool()>& done, DWORD maxMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > maxMs) return false;
    ui::Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void PumpUntilIdle(DWORD quietMs, DWORD maxMs) {
  const DWORD start = GetTickCount();
  DWORD lastBusy = start;
  for (;;) {
    MSG m;
    bool any = false;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      any = true;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    const DWORD now = GetTickCount();
    if (any) lastBusy = now;
    if (now - lastBusy >= quietMs || now - start >= maxMs) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// --- message names ----------------------------------------------------------------------------

std::string MessageName(UINT msg) {
  struct Name {
    UINT msg;
    const char* name;
  };
  static const Name names[] = {
      {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"},
      {WM_SIZE, "WM_SIZE"}, {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"},
      {WM_KILLFOCUS, "WM_KILLFOCUS"}, {WM_ENABLE, "WM_ENABLE"}, {WM_SETTEXT, "WM_SETTEXT"},
      {WM_GETTEXT, "WM_GETTEXT"}, {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"},
      {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
      {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_SETCURSOR, "WM_SETCURSOR"},
      {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
      {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
      {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_GETICON, "WM_GETICON"},
      {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"},
      {WM_NCCALCSIZE, "WM_NCCALCSIZE"}, {WM_NCHITTEST, "WM_NCHITTEST"},
      {WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"},
      {WM_GETDLGCODE, "WM_GETDLGCODE"}, {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
      {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"}, {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
      {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"},
      {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_SYSKEYUP, "WM_SYSKEYUP"},
      {WM_COMMAND, "WM_COMMAND"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_TIMER, "WM_TIMER"},
      {WM_INITMENU, "WM_INITMENU"}, {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"},
      {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
      {WM_RBUTTONUP, "WM_RBUTTONUP"}, {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
      {WM_PRINT, "WM_PRINT"}, {WM_PRINTCLIENT, "WM_PRINTCLIENT"},
      {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}, {WM_STYLECHANGING, "WM_STYLECHANGING"},
      {WM_STYLECHANGED, "WM_STYLECHANGED"}, {WM_SETFONT, "WM_SETFONT"},
      {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"}, {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
      {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"}, {WM_NOTIFY, "WM_NOTIFY"},
      {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"}, {WM_CHILDACTIVATE, "WM_CHILDACTIVATE"},
      {WM_QUERYOPEN, "WM_QUERYOPEN"}, {WM_SYNCPAINT, "WM_SYNCPAINT"},
      {WM_IME_SETCONTEXT, "WM_IME_SETCONTEXT"}, {WM_IME_NOTIFY, "WM_IME_NOTIFY"},
      {0xB00B, "CM_VISIBLECHANGED"}, {0xB00C, "CM_ENABLEDCHANGED"},
      {0xB013, "CM_MOUSEENTER"}, {0xB014, "CM_MOUSELEAVE"},
  };
  for (const Name& n : names)
    if (n.msg == msg) return n.name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%04X", msg);
  return buf;
}

// --- MessageRecorder --------------------------------------------------------------------------

MessageRecorder::MessageRecorder(HWND wnd)
    : subclass_(wnd, &MessageRecorder::Proc, 0x7E57, reinterpret_cast<DWORD_PTR>(this)) {}

MessageRecorder::~MessageRecorder() = default;

LRESULT CALLBACK MessageRecorder::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR ref) {
  auto* self = reinterpret_cast<MessageRecorder*>(ref);
  if (self->notificationsOnly_) {
    const auto from = [self](HWND control) {
      return !self->notifier_ || control == self->notifier_;
    };
    const auto kept = [self](UINT code) {
      return std::find(self->ignoredCodes_.begin(), self->ignoredCodes_.end(), code) ==
             self->ignoredCodes_.end();
    };
    if (msg == WM_COMMAND && lp && from(reinterpret_cast<HWND>(lp)) && kept(HIWORD(wp)))
      self->log_.push_back({msg, HIWORD(wp), 0});
    if (msg == WM_NOTIFY && lp) {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      if (from(header->hwndFrom) && kept(header->code))
        self->log_.push_back({msg, static_cast<WPARAM>(header->code), 0});
    }
  } else if (std::find(self->ignored_.begin(), self->ignored_.end(), msg) == self->ignored_.end()) {
    self->log_.push_back({msg, wp, lp});
  }
  if (msg == WM_NCDESTROY) self->subclass_.forget();
  return DefSubclassProc(wnd, msg, wp, lp);
}

namespace {

bool Matches(const RecordedMessage& got, const ExpectedMessage& want) {
  if (got.msg != want.msg) return false;
  if ((want.flags & ExpectedMessage::WParam) && got.wParam != want.wParam) return false;
  if ((want.flags & ExpectedMessage::LParam) && got.lParam != want.lParam) return false;
  return true;
}

std::string Describe(UINT msg, WPARAM wp, LPARAM lp) {
  char buf[64];
  std::snprintf(buf, sizeof buf, " wp=%08lX lp=%08lX", static_cast<unsigned long>(wp),
                static_cast<unsigned long>(lp));
  return MessageName(msg) + buf;
}

}  // namespace

std::vector<ExpectedMessage> MessageRecorder::AsExpected() const {
  std::vector<ExpectedMessage> out;
  out.reserve(log_.size());
  for (const RecordedMessage& m : log_)
    out.push_back({m.msg, ExpectedMessage::WParam | ExpectedMessage::LParam, m.wParam, m.lParam});
  return out;
}

std::string MessageRecorder::Compare(const std::vector<ExpectedMessage>& expected,
                                     bool strict) const {
  // Walk both lists; in lenient mode unexpected messages between expected ones are skipped.
  size_t g = 0;
  bool ok = true;
  std::vector<size_t> matchedAt(expected.size(), SIZE_MAX);
  for (size_t e = 0; e < expected.size(); ++e) {
    size_t probe = g;
    while (probe < log_.size() && !Matches(log_[probe], expected[e])) {
      if (strict) break;
      ++probe;
    }
    if (probe < log_.size() && Matches(log_[probe], expected[e])) {
      matchedAt[e] = probe;
      g = probe + 1;
    } else if (!(expected[e].flags & ExpectedMessage::Optional)) {
      ok = false;
    }
  }
  if (strict && g != log_.size()) ok = false;
  if (ok) return {};

  std::ostringstream out;
  out << "message sequence differs\n  expected:\n";
  for (size_t e = 0; e < expected.size(); ++e) {
    const ExpectedMessage& x = expected[e];
    out << (matchedAt[e] == SIZE_MAX ? "  - " : "    ") << MessageName(x.msg);
    if (x.flags & ExpectedMessage::WParam) out << " wp=" << std::hex << x.wParam << std::dec;
    if (x.flags & ExpectedMessage::LParam) out << " lp=" << std::hex << x.lParam << std::dec;
    if (x.flags & ExpectedMessage::Optional) out << " (optional)";
    out << "\n";
  }
  out << "  received:\n";
  for (size_t i = 0; i < log_.size(); ++i) {
    bool used = std::find(matchedAt.begin(), matchedAt.end(), i) != matchedAt.end();
    out << (used ? "    " : "  + ") << Describe(log_[i].msg, log_[i].wParam, log_[i].lParam)
        << "\n";
  }
  return out.str();
}

// --- Dib32 ------------------------------------------------------------------------------------

Dib32::Dib32(int width, int height) : width_(width), height_(height), dc_(ui::MakeMemoryDC()) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  bits_ = static_cast<uint32_t*>(bits);
  if (bitmap_) old_ = SelectObject(dc_.get(), bitmap_.get());
}

Dib32::~Dib32() {
  if (old_) SelectObject(dc_.get(), old_);
}

COLORREF Dib32::Pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  uint32_t v = bits_[static_cast<size_t>(y) * width_ + x];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void Dib32::Fill(COLORREF colour) {
  if (!bits_) return;
  GdiFlush();
  uint32_t v = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  std::fill(bits_, bits_ + static_cast<size_t>(width_) * height_, v);
}

std::unique_ptr<Dib32> CaptureWindowDC(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  auto dib = std::make_unique<Dib32>(r.right - r.left, r.bottom - r.top);
  ui::WindowDC src = ui::WindowDC::Whole(wnd);
  BitBlt(dib->dc(), 0, 0, dib->width(), dib->height(), src.get(), 0, 0, SRCCOPY);
  return dib;
}

std::unique_ptr<Dib32> CapturePrint(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  auto dib = std::make_unique<Dib32>(r.right - r.left, r.bottom - r.top);
  SendMessageW(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dib->dc()),
               PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
  return dib;
}

// --- GDI object count -------------------------------------------------------------------------

namespace {

// Wine keeps the process's GDI handle table in shared memory, pointed to by the PEB
// (GdiSharedHandleTable): 0x10000 entries of 24 bytes, live when byte 14 is non-zero.
// GCC's -Warray-bounds misreads the fs/gs-relative read inside NtCurrentTeb().
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
long CountWineGdiTable() {
#ifdef _WIN64
  const size_t pebOffset = 0x60, tableOffset = 0xF8;
#else
  const size_t pebOffset = 0x30, tableOffset = 0x94;
#endif
  const auto* teb = reinterpret_cast<const unsigned char*>(NtCurrentTeb());
  const auto* peb = *reinterpret_cast<const unsigned char* const*>(teb + pebOffset);
  const unsigned char* table = *reinterpret_cast<const unsigned char* const*>(peb + tableOffset);
  if (!table) return -1;
  long live = 0;
  for (size_t i = 0; i < 0x10000; ++i)
    if (table[i * 24 + 14] != 0) ++live;
  return live;
}
#pragma GCC diagnostic pop

}  // namespace

long LiveGdiObjects() {
  GdiFlush();
  DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (n != 0) return static_cast<long>(n);
  if (RunningUnderWine()) return CountWineGdiTable();
  return -1;
}

int PixelsUnlike(HWND wnd, COLORREF colour, RECT r) {
  auto capture = CaptureWindowDC(wnd);
  if (!capture) return -1;
  if (IsRectEmpty(&r)) r = RECT{0, 0, capture->width(), capture->height()};
  int count = 0;
  for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, capture->height()); ++y)
    for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, capture->width()); ++x)
      if ((capture->Pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) ++count;
  return count;
}

// --- keyboard cues ---------------------------------------------------------------------------

KeyboardCues::KeyboardCues(HWND wnd)
    : wnd_(wnd), subclass_(wnd, &KeyboardCues::Proc, 0x55495354, reinterpret_cast<DWORD_PTR>(this)) {}

LRESULT CALLBACK KeyboardCues::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                    DWORD_PTR ref) {
  auto* self = reinterpret_cast<KeyboardCues*>(ref);
  if (msg == WM_QUERYUISTATE) return self->state_;
  if (msg == WM_UPDATEUISTATE) {
    const WORD flags = HIWORD(wp) & (UISF_HIDEFOCUS | UISF_HIDEACCEL);
    if (LOWORD(wp) == UIS_SET) self->state_ |= flags;
    if (LOWORD(wp) == UIS_CLEAR) self->state_ &= ~static_cast<LRESULT>(flags);
  }
  if (msg == WM_NCDESTROY) self->subclass_.forget();
  return DefSubclassProc(wnd, msg, wp, lp);
}

void KeyboardCues::Update(WORD action, WORD flags) {
  SendMessageW(wnd_, WM_UPDATEUISTATE, MAKEWPARAM(action, flags), 0);
}

// --- real input ----------------------------------------------------------------------------

namespace {
INPUT MouseInput(DWORD flags, DWORD data = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  in.mi.mouseData = data;
  return in;
}
INPUT KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}
}  // namespace

void ClickScreen(POINT screen, bool twice) {
  SetCursorPos(screen.x, screen.y);
  PumpUntilIdle(10);
  std::vector<INPUT> input;
  for (int i = 0; i < (twice ? 2 : 1); ++i) {
    input.push_back(MouseInput(MOUSEEVENTF_LEFTDOWN));
    input.push_back(MouseInput(MOUSEEVENTF_LEFTUP));
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
  PumpUntilIdle();
}

void ClickClient(HWND wnd, int x, int y, bool twice) {
  POINT p{x, y};
  ClientToScreen(wnd, &p);
  ClickScreen(p, twice);
}

void PressKey(WORD vk, bool alt, bool shift) {
  std::vector<INPUT> input;
  if (alt) input.push_back(KeyInput(VK_MENU, false));
  if (shift) input.push_back(KeyInput(VK_SHIFT, false));
  input.push_back(KeyInput(vk, false));
  input.push_back(KeyInput(vk, true));
  if (shift) input.push_back(KeyInput(VK_SHIFT, true));
  if (alt) input.push_back(KeyInput(VK_MENU, true));
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
  PumpUntilIdle();
}

void SendKeys(std::initializer_list<std::pair<WORD, bool>> strokes) {
  std::vector<INPUT> input;
  for (const auto& [key, down] : strokes) input.push_back(KeyInput(key, !down));
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void WheelAt(POINT screen, int notches) {
  SetCursorPos(screen.x, screen.y);
  PumpUntilIdle(10);
  INPUT in = MouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches * WHEEL_DELTA));
  SendInput(1, &in, sizeof(INPUT));
  PumpUntilIdle();
}

// --- common controls 6 ------------------------------------------------------------------------

CommonControls6::CommonControls6() {
  static const char kManifest[] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
      "<dependency><dependentAssembly><assemblyIdentity type=\"win32\" "
      "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
      "processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>"
      "</dependentAssembly></dependency>\n</assembly>\n";
  wchar_t dir[MAX_PATH] = {};
  if (!GetTempPathW(MAX_PATH, dir)) return;
  const std::wstring path = std::wstring(dir) + L"tarvimo-test-cc6-" +
                            std::to_wstring(GetCurrentProcessId()) + L".manifest";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, kManifest, sizeof kManifest - 1, &written, nullptr);
  CloseHandle(file);
  ACTCTXW actx{};
  actx.cbSize = sizeof actx;
  actx.lpSource = path.c_str();
  context_ = CreateActCtxW(&actx);
  DeleteFileW(path.c_str());
  if (context_ == INVALID_HANDLE_VALUE) return;
  if (!ActivateActCtx(context_, &cookie_)) cookie_ = 0;
}

CommonControls6::~CommonControls6() {
  if (cookie_) DeactivateActCtx(0, cookie_);
  if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
}

}  // namespace wintest
