#ifndef TRAKVIST_FRONTEND_MODEL_COMMON_TEXT_H_
#define TRAKVIST_FRONTEND_MODEL_COMMON_TEXT_H_

#include <string_view>

namespace trakvist {

// Sets of blank characters, for the trimming below.
inline constexpr std::string_view kSpaceAndTab = " \t";
inline constexpr std::string_view kWhiteSpace = " \t\r\n\f\v";

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Upper-case ASCII letters become lower case; every other byte stays.
inline char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `text` without the characters of `blanks` at its start, at its end, or
// at both.
inline std::string_view TrimLeft(std::string_view text, std::string_view blanks = kSpaceAndTab) {
  const std::size_t first = text.find_first_not_of(blanks);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

inline std::string_view TrimRight(std::string_view text, std::string_view blanks = kSpaceAndTab) {
  const std::size_t last = text.find_last_not_of(blanks);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

inline std::string_view Trim(std::string_view text, std::string_view blanks = kSpaceAndTab) {
  return TrimRight(TrimLeft(text, blanks), blanks);
}

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_COMMON_TEXT_H_
