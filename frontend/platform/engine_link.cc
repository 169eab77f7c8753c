#include "frontend/platform/engine_link.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>
#include <utility>

namespace trakvist {

namespace {

// Longer than any well-formed message ("4294967295 4294967295 4294967295"
// is 32 characters), so that a longer datagram shows up as one.
constexpr std::size_t kDatagramRoom = 64;

std::error_code LastError() { return std::error_code(errno, std::system_category()); }

// An address in the abstract namespace: a leading NUL byte, then `name`
// without a terminator. The length must match the engine's exactly, since
// abstract names are compared byte for byte over the given length.
struct AbstractAddress {
  explicit AbstractAddress(const std::string& name) {
    address.sun_family = AF_UNIX;
    std::size_t length = std::min(name.size(), sizeof(address.sun_path) - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
  }
  const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address); }

  sockaddr_un address{};
  socklen_t size = 0;
};

AbstractAddress FrontEndAddress(std::int32_t id) {
  return AbstractAddress("trakvist." + std::to_string(id));
}

AbstractAddress EngineAddress(std::uint32_t thread_id) {
  return AbstractAddress("schedule." + std::to_string(thread_id));
}

}  // namespace

EngineLink::~EngineLink() { Close(); }

EngineLink::EngineLink(EngineLink&& other) noexcept
    : socket_(std::exchange(other.socket_, -1)),
      following_(std::exchange(other.following_, false)) {}

EngineLink& EngineLink::operator=(EngineLink&& other) noexcept {
  if (this != &other) {
    Close();
    socket_ = std::exchange(other.socket_, -1);
    following_ = std::exchange(other.following_, false);
  }
  return *this;
}

std::error_code EngineLink::Open(std::int32_t id) {
  Close();
  int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return LastError();
  AbstractAddress own = FrontEndAddress(id);
  if (bind(fd, own.get(), own.size) != 0) {
    std::error_code error = LastError();
    close(fd);
    return error;
  }
  socket_ = fd;
  return {};
}

void EngineLink::Close() {
  if (socket_ >= 0) close(socket_);
  socket_ = -1;
  following_ = false;
}

std::optional<LinkMessage> EngineLink::Receive() {
  if (socket_ < 0) return std::nullopt;
  char text[kDatagramRoom];
  for (;;) {
    // MSG_TRUNC makes recv report the datagram's full length.
    ssize_t length = recv(socket_, text, sizeof(text), MSG_DONTWAIT | MSG_TRUNC);
    if (length < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;  // nothing pending
    }
    if (static_cast<std::size_t>(length) > sizeof(text)) continue;
    auto message = ParseLinkMessage(std::string_view(text, static_cast<std::size_t>(length)));
    if (!message) continue;
    if (message->message == kHelloMessage && !following_) Follow(message->wparam);
    return message;
  }
}

std::optional<LinkMessage> EngineLink::Receive(std::chrono::milliseconds timeout) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    if (auto message = Receive()) return message;
    if (socket_ < 0) return std::nullopt;
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd watch{socket_, POLLIN, 0};
    int wait = static_cast<int>(std::min<std::chrono::milliseconds::rep>(left.count(), 1 << 30));
    if (poll(&watch, 1, wait) < 0 && errno != EINTR) return std::nullopt;
  }
}

std::error_code EngineLink::PostStop(std::uint32_t thread_id) {
  if (socket_ < 0) return std::make_error_code(std::errc::bad_file_descriptor);
  std::string text = FormatLinkMessage({kStopMessage, 0, 0});
  AbstractAddress engine = EngineAddress(thread_id);
  if (sendto(socket_, text.data(), text.size(), MSG_DONTWAIT, engine.get(), engine.size) < 0) {
    return LastError();
  }
  return {};
}

void EngineLink::Follow(std::uint32_t thread_id) {
  // If the engine has already gone (or could not bind its socket) the
  // connect fails; the link then stays open to every sender, as before.
  AbstractAddress engine = EngineAddress(thread_id);
  following_ = connect(socket_, engine.get(), engine.size) == 0;
}

void EngineLink::ForgetEngine() {
  if (socket_ < 0 || !following_) return;
  sockaddr unspecified{};
  unspecified.sa_family = AF_UNSPEC;
  connect(socket_, &unspecified, sizeof(unspecified));
  following_ = false;
}

}  // namespace trakvist
