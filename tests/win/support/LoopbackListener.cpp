// winsock2.h must come before windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "support/LoopbackListener.h"

namespace wintest {

LoopbackListener::LoopbackListener() {
  WSADATA data;
  wsa_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  if (!wsa_) return;
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener_ == INVALID_SOCKET) return;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  int len = sizeof addr;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      listen(listener_, 8) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
    return;
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackListener::~LoopbackListener() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  if (wsa_) WSACleanup();
}

std::vector<std::string> LoopbackListener::RequestLines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

bool LoopbackListener::WaitForRequests(size_t count, DWORD maxMs) const {
  return PumpUntil([&] { return RequestLines().size() >= count; }, maxMs);
}

void LoopbackListener::Serve() {
  while (!stop_) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener_, &ready);
    timeval wait{0, 50 * 1000};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    Answer(client);
    closesocket(client);
  }
}

void LoopbackListener::Answer(uintptr_t client) {
  std::string request;
  char buffer[2048];
  const DWORD start = GetTickCount();
  while (request.find("\r\n\r\n") == std::string::npos && GetTickCount() - start < 5000) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(client, &ready);
    timeval wait{0, 50 * 1000};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
    const int n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, n);
  }
  const size_t eol = request.find("\r\n");
  if (eol == std::string::npos) return;
  {
    std::lock_guard lock(mutex_);
    lines_.push_back(request.substr(0, eol));
  }
  static const char kPage[] = "<html><body>ok</body></html>";
  const std::string answer = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                             std::to_string(sizeof kPage - 1) + "\r\nConnection: close\r\n\r\n" +
                             kPage;
  send(client, answer.data(), static_cast<int>(answer.size()), 0);
}

}  // namespace wintest
