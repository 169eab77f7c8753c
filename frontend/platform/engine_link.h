#ifndef TRAKVIST_FRONTEND_PLATFORM_ENGINE_LINK_H_
#define TRAKVIST_FRONTEND_PLATFORM_ENGINE_LINK_H_

#include <chrono>
#include <cstdint>
#include <optional>
#include <system_error>

#include "frontend/platform/link_message.h"

namespace trakvist {

// The front end's end of the message link to a running engine (Linux).
//
// The link listens on a datagram socket named "trakvist.N" in the abstract
// namespace; an engine started with -hw:N posts its hello and progress
// messages there, and the stop message goes to the engine's own socket
// "schedule.T", T being the thread id from its hello.
//
// The kernel queues only a handful of datagrams (net.unix.max_dgram_qlen,
// 10 by default) for a socket that does not read them at once, and the
// engine never waits, so a burst of progress messages would be cut short.
// Once a hello has been received the link therefore connects its socket to
// that engine: a socket connected to its sender is not held to that limit.
// Until ForgetEngine() it then hears only that engine, so call
// ForgetEngine() after each engine run (or open a fresh link per run).
class EngineLink {
 public:
  EngineLink() = default;
  ~EngineLink();
  EngineLink(EngineLink&& other) noexcept;
  EngineLink& operator=(EngineLink&& other) noexcept;
  EngineLink(const EngineLink&) = delete;
  EngineLink& operator=(const EngineLink&) = delete;

  // Listens as number `id` (the -hw: value given to the engine). Returns the
  // failure, e.g. std::errc::address_in_use when another link has that
  // number; an open link is closed first.
  std::error_code Open(std::int32_t id);
  void Close();
  bool is_open() const { return socket_ >= 0; }

  // The socket to watch for readability (poll, QSocketNotifier); -1 while
  // closed. It is non-blocking; read it only through Receive().
  int fd() const { return socket_; }

  // Takes the next message without waiting; std::nullopt when none is
  // pending. Datagrams that are not a well-formed message are dropped.
  std::optional<LinkMessage> Receive();
  // The same, waiting up to `timeout` for a message to arrive.
  std::optional<LinkMessage> Receive(std::chrono::milliseconds timeout);

  // Asks the engine with thread id `thread_id` to stop, without waiting.
  // Fails with std::errc::connection_refused when no engine listens there
  // (not started with -hw:, or already ended).
  std::error_code PostStop(std::uint32_t thread_id);

  // Lets go of the engine of the last run so that the next engine's hello
  // can arrive. Call it once that engine has ended and its messages have
  // been read: whatever is still queued is dropped.
  void ForgetEngine();

 private:
  void Follow(std::uint32_t thread_id);

  int socket_ = -1;
  bool following_ = false;  // connected to the engine that said hello
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_PLATFORM_ENGINE_LINK_H_
