// A one-port HTTP listener on 127.0.0.1 for browser tests: records the request line of every
// connection and answers with a small page, on its own thread, so the GUI thread keeps pumping.
#pragma once

#include <windows.h>

#include <cstdint>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wintest {

class LoopbackListener {
 public:
  LoopbackListener();  // binds 127.0.0.1:0; port() is 0 when that failed
  ~LoopbackListener();
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  unsigned short port() const { return port_; }
  std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
  std::vector<std::string> RequestLines() const;

  // Pumps the GUI thread's messages until `count` request lines have arrived or `maxMs` passed.
  bool WaitForRequests(size_t count, DWORD maxMs = 15000) const;

 private:
  void Serve();
  void Answer(uintptr_t client);

  bool wsa_ = false;
  uintptr_t listener_ = ~uintptr_t{0};  // a SOCKET; winsock2.h stays out of this header
  unsigned short port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  std::thread thread_;
};

// Pumps messages until `done()` is true or `maxMs` passed; returns done().
template <class F>
bool PumpUntil(F&& done, DWORD maxMs = 15000) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < maxMs) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

}  // namespace wintest
