// The Linux transport of the engine's link: datagrams over AF_UNIX sockets
// in the abstract namespace. The caller listens on "trakvist.N" (N from
// -hw:); the engine binds "schedule.T" (T its thread id). Each message is
// the ASCII text "MESSAGE WPARAM LPARAM".
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/link.h"
#include "engine/link_channel.h"

namespace schedule {

namespace {

// Fills `address` with the abstract name `name`; returns the address length.
socklen_t AbstractAddress(const std::string& name, sockaddr_un* address) {
  std::memset(address, 0, sizeof(*address));
  address->sun_family = AF_UNIX;
  size_t length = std::min(name.size(), sizeof(address->sun_path) - 1);
  std::memcpy(address->sun_path + 1, name.data(), length);
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

class SocketLinkChannel : public LinkChannel {
 public:
  ~SocketLinkChannel() override {
    if (socket_ >= 0) close(socket_);
  }

  void Open(int32_t window) override {
    if (socket_ >= 0) close(socket_);
    socket_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) return;
    sockaddr_un own;
    socklen_t own_length = AbstractAddress("schedule." + std::to_string(ThreadId()), &own);
    // A failed bind leaves the engine unreachable for stops; posts still go.
    bind(socket_, reinterpret_cast<sockaddr*>(&own), own_length);
    caller_length_ = AbstractAddress("trakvist." + std::to_string(window), &caller_);
  }

  void Post(uint32_t message, uint32_t wparam, uint32_t lparam) override {
    if (socket_ < 0) return;
    char text[48];
    int length = std::snprintf(text, sizeof(text), "%u %u %u", message, wparam, lparam);
    sendto(socket_, text, static_cast<size_t>(length), MSG_DONTWAIT,
           reinterpret_cast<sockaddr*>(&caller_), caller_length_);
  }

  bool PollStop() override {
    if (socket_ < 0) return false;
    char text[64];
    for (;;) {
      ssize_t length = recv(socket_, text, sizeof(text) - 1, MSG_DONTWAIT);
      if (length < 0) return false;  // nothing pending (or the socket failed)
      if (IsStopDatagram(std::string_view(text, static_cast<size_t>(length)))) return true;
      // Any other datagram is discarded.
    }
  }

  uint32_t Tick() override {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint64_t ms =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
  }

  uint32_t ThreadId() override { return static_cast<uint32_t>(gettid()); }

 private:
  int socket_ = -1;
  sockaddr_un caller_{};
  socklen_t caller_length_ = 0;
};

}  // namespace

std::unique_ptr<LinkChannel> MakePlatformLinkChannel() {
  return std::make_unique<SocketLinkChannel>();
}

}  // namespace schedule
