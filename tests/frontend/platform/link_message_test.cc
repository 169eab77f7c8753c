#include "frontend/platform/link_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trakvist {
namespace {

TEST(LinkMessageTest, ReadsWhatItWrites) {
  EXPECT_EQ(FormatLinkMessage({kStopMessage, 0, 0}), "32770 0 0");
  for (LinkMessage message :
       {LinkMessage{kProgressMessage, 100, 0}, LinkMessage{kHelloMessage, 4194304, 7},
        LinkMessage{4294967295u, 4294967295u, 4294967295u}}) {
    EXPECT_EQ(ParseLinkMessage(FormatLinkMessage(message)), message);
  }
}

TEST(LinkMessageTest, RejectsAnythingButThreeNumbers) {
  for (const std::string& text : std::vector<std::string>{
           "", "32769", "32769 1", "32769 1 ", "32769 1 0 ", " 32769 1 0", "32769  1 0",
           "32769 1 0\n", "32769\t1 0", "32769 1 0 5", "+32769 1 0", "32769 -1 0", "32769 1 0x1",
           "32769 1 4294967296", "stop", "1 2 a", std::string("32769 1 0\0", 10)}) {
    EXPECT_EQ(ParseLinkMessage(text), std::nullopt) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace trakvist
