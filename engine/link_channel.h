#ifndef SCHEDULE_ENGINE_LINK_CHANNEL_H_
#define SCHEDULE_ENGINE_LINK_CHANNEL_H_

#include <cstdint>
#include <memory>

namespace schedule {

// The platform side of the engine's link to its caller: the few operations
// the link needs, so that another transport (window messages, say) can be
// put beside the Linux one without touching the engine.
class LinkChannel {
 public:
  virtual ~LinkChannel() = default;

  // Prepares the engine's own endpoint and remembers the caller `window`.
  virtual void Open(int32_t window) = 0;
  // Posts one message to the caller without waiting; failures are ignored.
  virtual void Post(uint32_t message, uint32_t wparam, uint32_t lparam) = 0;
  // Takes a pending stop request, if there is one, without waiting.
  virtual bool PollStop() = 0;
  // A millisecond tick that wraps at 2^32.
  virtual uint32_t Tick() = 0;
  // The identifier the caller addresses the stop request to.
  virtual uint32_t ThreadId() = 0;
};

// The channel of this platform.
std::unique_ptr<LinkChannel> MakePlatformLinkChannel();

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_LINK_CHANNEL_H_
