// Helpers for Win32 tests under Wine: message pumping, message-sequence recording, pixel capture
// and live GDI object counting.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "ui/Handles.h"

namespace wintest {

// Dispatches queued messages until the queue has stayed empty for `quietMs` (and at most for
// `maxMs` in all). Sent messages from other threads and pending paints are handled on the way.
void PumpUntilIdle(DWORD quietMs = 30, DWORD maxMs = 2000);
// Runs the program's own message loop until `done` holds (true) or maxMs have passed (false).
bool PumpUntil(const std::function<bool()>& done, DWORD maxMs);

// Whether the process runs under Wine.
bool RunningUnderWine();

// ---------------------------------------------------------------------------------------------
// Message sequences

std::string MessageName(UINT msg);

struct RecordedMessage {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// What a test expects: a message, optionally with its parameters, optionally absent.
struct ExpectedMessage {
  enum Flags : unsigned {
    None = 0,
    WParam = 1,    // compare wParam
    LParam = 2,    // compare lParam
    Optional = 4,  // may be missing
  };
  UINT msg;
  unsigned flags = None;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Records what a window receives, through a subclass placed in front of its procedure.
class MessageRecorder {
 public:
  explicit MessageRecorder(HWND wnd);
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  const std::vector<RecordedMessage>& messages() const { return log_; }
  void clear() { log_.clear(); }
  // Messages to leave out of the log (e.g. WM_GETICON noise that varies between systems).
  void ignore(std::vector<UINT> msgs) { ignored_ = std::move(msgs); }
  // Logs only the notifications the window gets from `control` (from any control when null), read
  // while they are valid: WM_COMMAND and WM_NOTIFY with their notification code in wParam and 0
  // in lParam, so that the logs of two twin controls compare as they are.
  void notificationsFrom(HWND control) {
    notificationsOnly_ = true;
    notifier_ = control;
  }
  // Notification codes to leave out of such a log (ones that come with paints, not with input).
  void ignoreCodes(std::vector<UINT> codes) { ignoredCodes_ = std::move(codes); }
  // The log as an exact expectation (parameters compared), to hold another recorder's log to.
  std::vector<ExpectedMessage> AsExpected() const;
  // Appends a mark (a message number of the caller's choosing) between two steps of a script.
  void mark(UINT msg, WPARAM wParam = 0) { log_.push_back({msg, wParam, 0}); }

  // Empty when the log matches `expected` in order (unlisted messages in between are allowed
  // when `strict` is false); otherwise a readable side-by-side diff.
  std::string Compare(const std::vector<ExpectedMessage>& expected, bool strict = false) const;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  std::vector<RecordedMessage> log_;
  std::vector<UINT> ignored_;
  bool notificationsOnly_ = false;
  HWND notifier_ = nullptr;
  std::vector<UINT> ignoredCodes_;
  ui::SubclassHandle subclass_;
};

// ---------------------------------------------------------------------------------------------
// Pixels

// A 32-bit top-down DIB section with its own memory DC.
class Dib32 {
 public:
  Dib32(int width, int height);
  ~Dib32();
  Dib32(const Dib32&) = delete;
  Dib32& operator=(const Dib32&) = delete;

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // The pixel as a COLORREF (red in the low byte). Out of range: CLR_INVALID.
  COLORREF Pixel(int x, int y) const;
  void Fill(COLORREF colour);

 private:
  int width_, height_;
  uint32_t* bits_ = nullptr;
  ui::MemoryDC dc_;
  ui::GdiBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
};

// The window as it is on screen (frame included), read from its window DC.
std::unique_ptr<Dib32> CaptureWindowDC(HWND wnd);
// The window painted by itself into a DIB (WM_PRINT with client, non-client and children).
std::unique_ptr<Dib32> CapturePrint(HWND wnd);
// How many pixels of `r` (window coordinates; the whole window when empty) as the window shows
// them now differ from `colour`: marks drawn over a flat face (a focus rectangle, an underline).
int PixelsUnlike(HWND wnd, COLORREF colour, RECT r = RECT{});

// ---------------------------------------------------------------------------------------------
// Real input (the system's input queue, as a user's mouse and keyboard fill it)

// Moves the pointer to a screen point and clicks the left button there (twice: a double click).
void ClickScreen(POINT screen, bool twice = false);
// The same at a point of a window's client area.
void ClickClient(HWND wnd, int x, int y, bool twice = false);
// Presses and releases a key, with Alt (and Shift) held when asked.
void PressKey(WORD vk, bool alt = false, bool shift = false);
// Key strokes in order (the key and whether it goes down), queued without pumping: whoever runs
// the message loop afterwards (a modal menu loop, the program's own loop) gets them.
void SendKeys(std::initializer_list<std::pair<WORD, bool>> strokes);
// Turns the wheel over a screen point by `notches` (positive: away from the user).
void WheelAt(POINT screen, int notches);

// ---------------------------------------------------------------------------------------------
// Keyboard cues

// Keeps a window's keyboard-cue state (hidden focus rectangles and access keys) as the system's
// default handling does on Windows: Wine answers WM_QUERYUISTATE with 0 whatever it was told.
// Set and Clear send the window WM_UPDATEUISTATE, as its parent's WM_CHANGEUISTATE would.
class KeyboardCues {
 public:
  explicit KeyboardCues(HWND wnd);
  void Set(WORD flags) { Update(UIS_SET, flags); }
  void Clear(WORD flags) { Update(UIS_CLEAR, flags); }

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void Update(WORD action, WORD flags);
  HWND wnd_;
  LRESULT state_ = 0;
  ui::SubclassHandle subclass_;
};

// ---------------------------------------------------------------------------------------------
// Common controls version 6

// While it lives, windows of the system's control classes are made by the common controls of
// version 6 (split buttons, command links), as in a program whose manifest asks for them.
class CommonControls6 {
 public:
  CommonControls6();
  ~CommonControls6();
  CommonControls6(const CommonControls6&) = delete;
  CommonControls6& operator=(const CommonControls6&) = delete;
  bool active() const { return cookie_ != 0; }

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
};

// ---------------------------------------------------------------------------------------------
// GDI objects

// Live GDI objects of this process: GetGuiResources where it works, otherwise Wine's shared handle
// table. -1 when neither is available.
long LiveGdiObjects();

}  // namespace wintest
