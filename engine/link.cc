#include "engine/link.h"

#include <utility>

namespace schedule {

bool IsStopDatagram(std::string_view text) {
  size_t end = 0;
  uint64_t message = 0;
  for (; end < text.size() && text[end] >= '0' && text[end] <= '9'; ++end) {
    message = message * 10 + static_cast<uint64_t>(text[end] - '0');
    if (message > kStopMessage) return false;  // also keeps the sum from wrapping
  }
  if (end == 0 || (end < text.size() && text[end] != ' ')) return false;
  return message == kStopMessage;
}

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
