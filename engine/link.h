#ifndef SCHEDULE_ENGINE_LINK_H_
#define SCHEDULE_ENGINE_LINK_H_

#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/link_channel.h"

namespace schedule {

inline constexpr uint32_t kProgressMessage = 32769;  // WM_APP + 1
inline constexpr uint32_t kStopMessage = 32770;      // WM_APP + 2
inline constexpr uint32_t kHelloMessage = 32771;     // WM_APP + 3

// How often the clock loop looks for a stop request, in milliseconds.
inline constexpr uint32_t kStopPollInterval = 200;
// A clock loop that ticks through every TU reads the millisecond tick only
// on every this many passes: a clock reading costs as much as a good part of
// a pass, and 64 passes take microseconds, nothing beside the poll interval.
inline constexpr uint32_t kPassesPerTickReading = 64;

// Whether a datagram received from the caller asks for a stop: its text is
// "MESSAGE WPARAM LPARAM" and MESSAGE, a plain run of decimal digits ended
// by a blank or the datagram's end, is the stop message. Blanks, signs or
// other characters before or inside MESSAGE make it no stop, so that a
// stray or damaged datagram cannot end a run.
bool IsStopDatagram(std::string_view text);

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

  // Served requests are counted only for progress reports in chunks (-c:,
  // set with the options, before the clock starts).
  bool counts_services() const { return chunk_ != -1; }
  // One served request.
  void CountService() {
    if (chunk_ == -1) return;
    if (++progress_ >= chunk_) Flush();
  }

  // Called just before the clock starts.
  void StartPolling();
  // True when a stop request has arrived; looks at most every 200 ms. For a
  // loop that calls it once per pass: reads the tick every 64 calls.
  bool StopRequested() {
    if (!connected_) return false;  // nobody could have asked for a stop
    if (passes_++ % kPassesPerTickReading != 0) return false;
    return PollDue() && PollNow();
  }
  // The same for callers that space their calls themselves: reads the tick
  // on every call.
  bool CheckStop() { return connected_ && PollDue() && PollNow(); }
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

// The engine's look for a stop request, made from wherever it spends its
// time: the clock, the generation of arrivals, a tick that receives millions
// of requests. Callers call Poll() after a bounded amount of work (well under
// a millisecond); once a stop has been seen every later call says so too.
class StopCheck {
 public:
  explicit StopCheck(FrontEndLink* link) : link_(link) {}

  bool Poll() {
    if (!stopped_ && link_ != nullptr) stopped_ = link_->CheckStop();
    return stopped_;
  }
  bool stopped() const { return stopped_; }

 private:
  FrontEndLink* link_;
  bool stopped_ = false;
};

}  // namespace schedule

#endif  // SCHEDULE_ENGINE_LINK_H_
