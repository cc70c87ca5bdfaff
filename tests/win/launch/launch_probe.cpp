// Starts a program as a user would and tells whether it shows a skinned window: a visible
// top-level window of that process that answers the skin engine's query. Then it asks the window
// to close and expects the program to end by itself with exit code 0.
//   launch_probe.exe PROGRAM.exe [ARGUMENTS...]
// Exit code 0 when all of that holds; otherwise 1 and a line on stderr that says what did not.
#include <windows.h>

#include <cstdio>
#include <string>

#include "skin/frame/WinSkinForm.h"

namespace {

struct Found {
  DWORD process = 0;
  HWND skinned = nullptr;
  int visible = 0;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  RECT r{};
  if (process != found->process || !IsWindowVisible(window) || !GetWindowRect(window, &r) ||
      r.right <= r.left || r.bottom <= r.top)
    return TRUE;
  ++found->visible;
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutW(window, skin::SM_QUERYSKIN, 0, skin::kSkinMessageTag, SMTO_ABORTIFHUNG,
                          2000, &answer) &&
      answer == static_cast<DWORD_PTR>(skin::kSkinMessageTag)) {
    found->skinned = window;
    return FALSE;
  }
  return TRUE;
}

int Fail(const char* what) {
  std::fprintf(stderr, "launch_probe: %s\n", what);
  return 1;
}

// The command line after the probe's own name, as the program should receive it.
std::wstring ProgramCommandLine(int argc, wchar_t** argv) {
  std::wstring line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += L' ';
    line += L'"';
    line += argv[i];
    line += L'"';
  }
  return line;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Fail("usage: launch_probe PROGRAM.exe [ARGUMENTS...]");
  std::wstring line = ProgramCommandLine(argc, argv);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(argv[1], line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &pi))
    return Fail("the program could not be started");
  CloseHandle(pi.hThread);
  struct ProcessCloser {
    HANDLE h;
    ~ProcessCloser() { CloseHandle(h); }
  } process{pi.hProcess};

  Found found;
  found.process = pi.dwProcessId;
  for (int tries = 0; tries < 300 && !found.skinned; ++tries) {
    if (WaitForSingleObject(pi.hProcess, 100) == WAIT_OBJECT_0)
      return Fail("the program ended before it showed a skinned window");
    found.visible = 0;
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&found));
  }
  if (!found.skinned) {
    TerminateProcess(pi.hProcess, 3);
    return Fail(found.visible ? "the program's windows are not skinned"
                              : "the program showed no window within 30 s");
  }
  wchar_t className[128] = L"";
  GetClassNameW(found.skinned, className, 128);
  RECT r{};
  GetWindowRect(found.skinned, &r);
  std::printf("skinned window %ls, %ld x %ld\n", className, r.right - r.left, r.bottom - r.top);

  PostMessageW(found.skinned, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 3);
    return Fail("the program did not end within 15 s of closing its window");
  }
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  if (code != 0) return Fail("the program ended with a non-zero exit code");
  return 0;
}
