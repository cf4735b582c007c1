#include "model/Cp1251.h"

#include <gtest/gtest.h>

#include <set>

namespace vkm {
namespace {

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  for (int value = 0; value < 256; ++value) {
    const std::string byte(1, static_cast<char>(value));
    const std::string utf8 = Cp1251ToUtf8(byte);
    EXPECT_FALSE(utf8.empty()) << value;
    EXPECT_EQ(Utf8ToCp1251(utf8), byte) << "byte " << value;
  }
}

TEST(Cp1251, AllBytesMapToDistinctCharacters) {
  std::set<std::string> seen;
  for (int value = 0; value < 256; ++value) {
    seen.insert(Cp1251ToUtf8(std::string(1, static_cast<char>(value))));
  }
  EXPECT_EQ(seen.size(), 256u);
}

TEST(Cp1251, KnownCharacters) {
  struct Case {
    const char* utf8;
    unsigned char byte;
  };
  const Case cases[] = {
      {"A", 0x41}, {"А", 0xC0}, {"я", 0xFF}, {"Ё", 0xA8}, {"ё", 0xB8},
      {"№", 0xB9}, {"°", 0xB0}, {"€", 0x88}, {"Ђ", 0x80}, {"—", 0x97},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToCp1251(c.utf8), std::string(1, static_cast<char>(c.byte))) << c.utf8;
    EXPECT_EQ(Cp1251ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8);
  }
  EXPECT_EQ(Utf8ToCp1251("ПЕРИМЕТР1"), "\xCF\xC5\xD0\xC8\xCC\xC5\xD2\xD0\x31");
}

TEST(Cp1251, UnrepresentableAndMalformedInputBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a中b"), "a?b");      // CJK is not in the code page
  EXPECT_EQ(Utf8ToCp1251("x\xF0\x9F\x98\x80y"), "x?y");  // an emoji
  EXPECT_EQ(Utf8ToCp1251("\xC3"), "?");         // truncated sequence
  EXPECT_EQ(Utf8ToCp1251("\x80z"), "?z");       // stray continuation byte
}

}  // namespace
}  // namespace vkm
