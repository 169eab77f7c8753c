#ifndef TRAKVIST_FRONTEND_PLATFORM_LINK_MESSAGE_H_
#define TRAKVIST_FRONTEND_PLATFORM_LINK_MESSAGE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trakvist {

// The three messages exchanged with a running engine.
inline constexpr std::uint32_t kProgressMessage = 32769;  // engine: requests served
inline constexpr std::uint32_t kStopMessage = 32770;      // front end: stop the run
inline constexpr std::uint32_t kHelloMessage = 32771;     // engine: its thread id

// One message: its number and two parameters.
struct LinkMessage {
  std::uint32_t message = 0;
  std::uint32_t wparam = 0;
  std::uint32_t lparam = 0;

  friend bool operator==(const LinkMessage&, const LinkMessage&) = default;
};

// The wire text of a message: "MESSAGE WPARAM LPARAM" in decimal, single
// spaces, no line end.
std::string FormatLinkMessage(const LinkMessage& message);

// Reads the wire text back. Anything but exactly three unsigned 32-bit
// decimal numbers separated by single spaces gives std::nullopt.
std::optional<LinkMessage> ParseLinkMessage(std::string_view text);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_PLATFORM_LINK_MESSAGE_H_
