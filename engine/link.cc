#include "engine/link.h"

#include <utility>

namespace schedule {

FrontEndLink::FrontEndLink(std::unique_ptr<LinkChannel> channel) : channel_(std::move(channel)) {}

void FrontEndLink::Connect(int32_t window) {
  channel_->Open(window);
  connected_ = true;
  channel_->Post(kHelloMessage, channel_->ThreadId(), 0);
}

void FrontEndLink::Flush() {
  if (connected_) channel_->Post(kProgressMessage, static_cast<uint32_t>(progress_), 0);
  progress_ = 0;
}

void FrontEndLink::StartPolling() {
  if (connected_) last_poll_ = channel_->Tick();
  passes_ = 0;
}

bool FrontEndLink::PollDue() {
  uint32_t now = channel_->Tick();
  if (now > last_poll_ + kStopPollInterval) return true;
  return channel_->Tick() < last_poll_;  // the tick has wrapped
}

bool FrontEndLink::PollNow() {
  if (channel_->PollStop()) return true;
  last_poll_ = channel_->Tick();
  return false;
}

void FrontEndLink::Finish() { Flush(); }

}  // namespace schedule
