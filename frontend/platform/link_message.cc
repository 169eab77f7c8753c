#include "frontend/platform/link_message.h"

#include <charconv>
#include <system_error>

namespace trakvist {

namespace {

// Reads one unsigned decimal number at the front of `text` and removes it.
// from_chars takes neither blanks nor a sign, as the wire format wants; an
// empty field or a value beyond 32 bits fails.
std::optional<std::uint32_t> TakeNumber(std::string_view* text) {
  std::uint32_t value = 0;
  const char* end = text->data() + text->size();
  auto [stop, error] = std::from_chars(text->data(), end, value);
  if (error != std::errc() || stop == text->data()) return std::nullopt;
  text->remove_prefix(static_cast<std::size_t>(stop - text->data()));
  return value;
}

bool TakeSpace(std::string_view* text) {
  if (text->empty() || text->front() != ' ') return false;
  text->remove_prefix(1);
  return true;
}

}  // namespace

std::string FormatLinkMessage(const LinkMessage& message) {
  return std::to_string(message.message) + ' ' + std::to_string(message.wparam) + ' ' +
         std::to_string(message.lparam);
}

std::optional<LinkMessage> ParseLinkMessage(std::string_view text) {
  auto message = TakeNumber(&text);
  if (!message || !TakeSpace(&text)) return std::nullopt;
  auto wparam = TakeNumber(&text);
  if (!wparam || !TakeSpace(&text)) return std::nullopt;
  auto lparam = TakeNumber(&text);
  if (!lparam || !text.empty()) return std::nullopt;
  return LinkMessage{*message, *wparam, *lparam};
}

}  // namespace trakvist
