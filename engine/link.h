#ifndef SCHEDULE_ENGINE_LINK_H_
#define SCHEDULE_ENGINE_LINK_H_

#include <cstdint>
#include <memory>

#include "engine/link_channel.h"

namespace schedule {

inline constexpr uint32_t kProgressMessage = 32769;  // WM_APP + 1
inline constexpr uint32_t kStopMessage = 32770;      // WM_APP + 2
inline constexpr uint32_t kHelloMessage = 32771;     // WM_APP + 3

// How often the clock loop looks for a stop request, in milliseconds.
inline constexpr uint32_t kStopPollInterval = 200;
// The clock loop reads the tick only on every this many passes: a clock
// reading costs as much as a good part of a pass, and 64 passes take
// microseconds, nothing beside the poll interval.
inline constexpr uint32_t kPassesPerTickReading = 64;

// The engine's side of its link to a calling front end: hello when the
// window handle is parsed, progress counts in chunks while requests are
// served, a last progress message at the end, and the stop poll.
class FrontEndLink {
 public:
  explicit FrontEndLink(std::unique_ptr<LinkChannel> channel);

  // -hw: opens the channel and says hello with the engine's thread id.
  void Connect(int32_t window);
  // -c: sets the chunk; -1, the value of no -c:, means no progress reports.
  void SetChunk(int32_t chunk) { chunk_ = chunk; }

  bool connected() const { return connected_; }

  // One served request.
  void CountService() {
    if (chunk_ == -1) return;
    if (++progress_ >= chunk_) Flush();
  }

  // Called just before the clock starts.
  void StartPolling();
  // True when a stop request has arrived; looks at most every 200 ms.
  bool StopRequested() {
    if (!connected_) return false;  // nobody could have asked for a stop
    if (passes_++ % kPassesPerTickReading != 0) return false;
    return PollDue() && PollNow();
  }
  // The last progress message, with whatever count is left (maybe 0).
  void Finish();

 private:
  void Flush();
  bool PollDue();
  bool PollNow();

  std::unique_ptr<LinkChannel> channel_;
  bool connected_ = false;
  int32_t chunk_ = -1;
  int32_t progress_ = 0;
  uint32_t last_poll_ = 0;
  uint32_t passes_ = 0;  // calls of StopRequested() since StartPolling()
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_LINK_H_
