// The datagrams of the link between the engine and the front end, read by
// both sides: the front end decodes every message strictly, the engine
// looks only for the stop message. Both must agree on what a stop is, and a
// message the front end reads must come back from its own wire text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/link.h"
#include "frontend/platform/link_message.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  const auto message = trakvist::ParseLinkMessage(text);
  const bool engine_stops = schedule::IsStopDatagram(text);
  if (message) {
    FUZZ_CHECK(trakvist::ParseLinkMessage(trakvist::FormatLinkMessage(*message)) == message);
    // Every stop the front end could send ends the run.
    FUZZ_CHECK(engine_stops == (message->message == trakvist::kStopMessage));
  }
  if (engine_stops) {
    // Only a datagram that starts with the stop number's digits is a stop.
    const std::size_t digits = text.find_first_not_of("0123456789");
    const std::string number(text.substr(0, digits));
    FUZZ_CHECK(!number.empty() && std::stoul(number) == schedule::kStopMessage);
    FUZZ_CHECK(digits == std::string_view::npos || text[digits] == ' ');
  }
  // The front end never sends what it cannot read back.
  if (size >= 12) {
    trakvist::LinkMessage made;
    std::memcpy(&made.message, data, 4);
    std::memcpy(&made.wparam, data + 4, 4);
    std::memcpy(&made.lparam, data + 8, 4);
    FUZZ_CHECK(trakvist::ParseLinkMessage(trakvist::FormatLinkMessage(made)) == made);
    FUZZ_CHECK(schedule::IsStopDatagram(trakvist::FormatLinkMessage(made)) ==
               (made.message == trakvist::kStopMessage));
  }
  return 0;
}
