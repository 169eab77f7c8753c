#include "frontend/model/disks/ini_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace trakvist {
namespace {

// Comments, blank lines, odd spacing, unknown keys, a key before any
// section and no line end after the last line.
constexpr const char* kMixedFile =
    "; catalogue\r\n"
    "Orphan=1\r\n"
    "\r\n"
    "  [ Disk1 ]  \r\n"
    "Name = Default\r\n"
    ";Name=Commented\r\n"
    "Colour=blue\r\n"
    "Average Seek Time=8.9\r\n"
    "\r\n"
    "[DISK2]\r\n"
    "name=\"Quoted\"\r\n"
    "Number of Heads=  -3x\r\n"
    "[Disk2]\r\n"
    "Name=Second of its name\r\n"
    "Tail=last";

TEST(IniFileTest, TextComesBackByteForByte) {
  for (const char* text : {kMixedFile, "", "a", "\n\n", "[S]\rk=v\r", "x\r\n\n\r"}) {
    EXPECT_EQ(IniFile::Parse(text).Text(), text);
  }
}

TEST(IniFileTest, FindsSectionsAndKeysWithoutRegardToCase) {
  const IniFile file = IniFile::Parse(kMixedFile);
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"Disk1", "Name", "Default"},
      {"disk1", "NAME", "Default"},
      {"Disk1", "colour", "blue"},
      {"Disk2", "Name", "Quoted"},        // quotes dropped; the first [Disk2] is used
      {"Disk2", "Tail", std::nullopt},    // only in the second [Disk2]
      {"Disk1", "Orphan", std::nullopt},  // before any section
      {"Disk1", ";Name", std::nullopt},   // a comment is no key
      {"Disk3", "Name", std::nullopt},
      {"Disk1", "Number of Heads", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(file.Find(c.section, c.key), c.value) << c.section << "/" << c.key;
  }
  EXPECT_EQ(file.ReadString("Disk9", "Name", "N/A"), "N/A");
}

TEST(IniFileTest, WholeNumbersAreTheLeadingDigits) {
  struct Case {
    const char* value;
    int expected;
  };
  const Case cases[] = {
      {"8.9", 8},
      {"  -3x", -3},
      {"+7", 7},
      {"0x10", 0},  // decimal digits only
      {"007", 7},
      {"abc", 42},  // no digits: the default
      {"", 42},
      {"-", 42},
      {"- 5", 42},
      {"99999999999", INT_MAX},  // beyond 32 bits: the nearest end
      {"-99999999999", INT_MIN},
  };
  for (const Case& c : cases) {
    const IniFile file = IniFile::Parse(std::string("[S]\nK=") + c.value + "\n");
    EXPECT_EQ(file.ReadInt("S", "K", 42), c.expected) << c.value;
  }
  EXPECT_EQ(IniFile::Parse(kMixedFile).ReadInt("Disk1", "Average Seek Time", 17), 8);
  EXPECT_EQ(IniFile::Parse(kMixedFile).ReadInt("Disk1", "Missing", 17), 17);
}

TEST(IniFileTest, WritingAKeyChangesOnlyItsValue) {
  IniFile file = IniFile::Parse(kMixedFile);
  file.WriteString("disk1", "name", "Fast");
  file.WriteString("Disk2", "Number of Heads", "4");
  const std::string expected =
      "; catalogue\r\n"
      "Orphan=1\r\n"
      "\r\n"
      "  [ Disk1 ]  \r\n"
      "Name = Fast\r\n"
      ";Name=Commented\r\n"
      "Colour=blue\r\n"
      "Average Seek Time=8.9\r\n"
      "\r\n"
      "[DISK2]\r\n"
      "name=\"Quoted\"\r\n"
      "Number of Heads=  4\r\n"
      "[Disk2]\r\n"
      "Name=Second of its name\r\n"
      "Tail=last";
  EXPECT_EQ(file.Text(), expected);
}

TEST(IniFileTest, MissingKeysAndSectionsAreAdded) {
  // A new key goes after the section's last non-blank line, so the blank
  // line that separates sections stays where it was.
  IniFile file = IniFile::Parse("[A]\r\nx=1\r\n\r\n[B]\r\ny=2");
  file.WriteString("A", "z", "3");
  file.WriteString("C", "w", "4");
  file.WriteString("B", "v", "5");
  EXPECT_EQ(file.Text(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\nv=5\r\n[C]\r\nw=4\r\n");
  EXPECT_EQ(file.Find("C", "w"), "4");

  IniFile empty = IniFile::Parse("");
  empty.WriteString("Disk1", "Name", "Fast");
  EXPECT_EQ(empty.Text(), "[Disk1]\r\nName=Fast\r\n");
}

TEST(IniFileTest, AfterWritesEveryKeyIsFoundAsInTheWrittenText) {
  // Writes that move later lines, add sections and keys, and turn a key
  // line into a section header; each is read back as from its text.
  IniFile file = IniFile::Parse("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n[a]\r\nw=0\r\n[C]\r\n[u=v");
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } writes[] = {
      {"A", "x", "1\r\nx2=9\r\n"},
      {"B", "y", "3"},
      {"b", "z", "4"},
      {"A", "q", "5"},
      {"D", "d", "6"},
      {"d", "e", "7\r\n[E]"},
      {"E", "f", "8"},
      {"C", "[u", "]"},
      {"u=", "k", "10"},
  };
  const char* const sections[] = {"A", "B", "C", "D", "E", "u=", "[u"};
  const char* const keys[] = {"x", "x2", "y", "z", "q", "w", "d", "e", "f", "k", "[u"};
  for (const auto& w : writes) {
    file.WriteString(w.section, w.key, w.value);
    const IniFile reread = IniFile::Parse(file.Text());
    for (const char* section : sections) {
      for (const char* key : keys) {
        EXPECT_EQ(file.Find(section, key), reread.Find(section, key))
            << "after " << w.section << "/" << w.key << ": " << section << "/" << key;
      }
    }
  }
  EXPECT_EQ(file.Find("A", "x2"), "9");
  EXPECT_EQ(file.Find("E", "f"), "8");
  EXPECT_EQ(file.Find("u=", "k"), "10");
}

TEST(IniFileTest, NewLinesFollowTheFilesLineEnds) {
  IniFile file = IniFile::Parse("; unix file\n[A]\nx=1\n");
  file.WriteString("A", "y", "2\r\n");  // a trailing line break leaves an empty line
  file.WriteString("B", "z", "3");
  EXPECT_EQ(file.Text(), "; unix file\n[A]\nx=1\ny=2\n\n[B]\nz=3\n");
}

TEST(IniFileTest, ByteOrderMarkDoesNotHideTheFirstSection) {
  IniFile file = IniFile::Parse("\xEF\xBB\xBF[Disk1]\r\nName=Default\r\n");
  EXPECT_EQ(file.Find("Disk1", "Name"), "Default");
  file.WriteString("Disk1", "Name", "Other");
  EXPECT_EQ(file.Text(), "\xEF\xBB\xBF[Disk1]\r\nName=Other\r\n");
}

}  // namespace
}  // namespace trakvist
