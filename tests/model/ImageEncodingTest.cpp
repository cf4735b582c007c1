#include "model/ImageEncoding.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vkm {
namespace {

TEST(ImageEncoding, BitFieldsWriteOnlyTheirOwnBits) {
  uint8_t byte = 0b1100'0101;
  SetBits(byte, 2, 4, 0b1010);
  EXPECT_EQ(byte, 0b1110'1001);
  SetBits(byte, 2, 4, 0xFF);  // a value wider than the field is cut to it
  EXPECT_EQ(byte, 0b1111'1101);
  EXPECT_EQ(GetBits(byte, 2, 4), 0b1111u);
  SetBit(byte, 7, false);
  EXPECT_EQ(byte, 0b0111'1101);
  EXPECT_TRUE(GetBit(byte, 0));
  EXPECT_FALSE(GetBit(byte, 1));
}

TEST(ImageEncoding, LittleEndianValues) {
  uint8_t bytes[4] = {};
  PutU16(bytes, 0x1234);
  EXPECT_EQ(bytes[0], 0x34);
  EXPECT_EQ(bytes[1], 0x12);
  EXPECT_EQ(GetU16(bytes), 0x1234);
  PutU32(bytes, 0x20B84286);
  EXPECT_EQ(bytes[0], 0x86);
  EXPECT_EQ(bytes[3], 0x20);
  PutFloat(bytes, 3.0f);
  const uint8_t three[] = {0x00, 0x00, 0x40, 0x40};
  EXPECT_EQ(std::memcmp(bytes, three, 4), 0);
  EXPECT_EQ(GetFloat(bytes), 3.0f);
}

TEST(ImageEncoding, ComboIndexWithoutItemIsNoSelection) {
  EXPECT_EQ(ComboIndexFromStored(3, 4), 3);
  EXPECT_EQ(ComboIndexFromStored(4, 4), -1);
  EXPECT_EQ(StoredFromComboIndex(-1, 6), 63u);
  EXPECT_EQ(StoredFromComboIndex(-1, 8), 255u);
  EXPECT_EQ(StoredFromComboIndex(5, 3), 5u);
}

TEST(ImageEncoding, TextFieldKeepsRoomForItsTerminator) {
  uint8_t field[6];
  std::memset(field, 0xEE, sizeof field);
  StoreText(field, 5, "abcdefg");
  const uint8_t expected[] = {'a', 'b', 'c', 'd', 0, 0xEE};
  EXPECT_EQ(std::memcmp(field, expected, 6), 0);
  StoreText(field, 5, "я");
  const uint8_t cyrillic[] = {0xFF, 0, 0, 0, 0, 0xEE};
  EXPECT_EQ(std::memcmp(field, cyrillic, 6), 0);
  EXPECT_EQ(ShowText(field, 5), "я");
}

TEST(ImageEncoding, TextWithFreeTailKeepsBytesAfterItsTerminator) {
  uint8_t field[8];
  std::memset(field, 'x', sizeof field);
  StoreTextFreeTail(field, 6, "abc");
  EXPECT_EQ(std::memcmp(field, "abc\0xxxx", 8), 0);
  StoreTextFreeTail(field, 6, "abcdefghij");
  EXPECT_EQ(std::memcmp(field, "abcdef\0x", 8), 0);
}

TEST(ImageEncoding, ShowTextStopsAtFirstNulOrFieldEnd) {
  const uint8_t unterminated[] = {'a', 'b', 'c'};
  EXPECT_EQ(ShowText(unterminated, 3), "abc");
  const uint8_t terminated[] = {'a', 0, 'c'};
  EXPECT_EQ(ShowText(terminated, 3), "a");
}

TEST(ImageEncoding, TrimRemovesBlanksAroundOnly) {
  EXPECT_EQ(Trim("  a b \t"), "a b");
  EXPECT_EQ(TrimLeft("  a b "), "a b ");
  EXPECT_EQ(Trim("   "), "");
}

TEST(ImageEncoding, WholeNumbers) {
  struct Case {
    const char* text;
    int64_t value;
  };
  const Case cases[] = {
      {"0", 0},        {" 42 ", 42},  {"-1", -1},      {"+7", 7},   {"", 0},
      {"12a", 0},      {"abc", 0},    {"1 2", 0},      {"-", 0},    {"70000", 70000},
      {"99999999999999999999999", INT64_MAX},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadWholeNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ImageEncoding, LeadingNumbers) {
  struct Case {
    const char* text;
    uint64_t value;
  };
  const Case cases[] = {
      {"15 Мин.", 15}, {"  7", 7}, {"", 0}, {"Мин.", 0}, {"-5", 0}, {"12 34", 12}, {"0042", 42},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadLeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ImageEncoding, LimitToField) {
  EXPECT_EQ(LimitToField(70000, 0xFFFF), 0xFFFFu);
  EXPECT_EQ(LimitToField(65535, 0xFFFF), 0xFFFFu);
  EXPECT_EQ(LimitToField(-1, 0xFFFF), 0xFFFFu);  // a negative value keeps its low bits
  EXPECT_EQ(LimitToField(300, 0xFF), 0xFFu);
  EXPECT_EQ(LimitToField(12, 0xFF), 12u);
}

TEST(ImageEncoding, SourceMaskRoundTrip) {
  const uint8_t stored[] = {0x05, 0x01};
  const SourceSelection boxes = ShowSourceMask(stored);
  EXPECT_EQ(boxes[0], TriState::Checked);
  EXPECT_EQ(boxes[1], TriState::Unchecked);
  EXPECT_EQ(boxes[2], TriState::Grayed);
  for (std::size_t n = 3; n < 7; ++n) EXPECT_EQ(boxes[n], TriState::Unchecked);
  uint8_t written[2] = {0xFF, 0xFF};
  StoreSourceMask(written, boxes);
  EXPECT_EQ(written[0], 0x05);
  EXPECT_EQ(written[1], 0x01);

  // B without A shows checked and is stored back with A set; bit 7 is dropped.
  const uint8_t onlyB[] = {0x80, 0x82};
  StoreSourceMask(written, ShowSourceMask(onlyB));
  EXPECT_EQ(written[0], 0x02);
  EXPECT_EQ(written[1], 0x02);
}

TEST(ImageEncoding, Ipv4FirstGroupInHighestByte) {
  uint8_t bytes[4];
  StoreIpv4(bytes, "192.168.  1. 10");
  const uint8_t expected[] = {10, 1, 168, 192};
  EXPECT_EQ(std::memcmp(bytes, expected, 4), 0);
  EXPECT_EQ(ShowIpv4(bytes), "192.168.1.10");

  StoreIpv4(bytes, "999.0.0.300");
  EXPECT_EQ(bytes[3], 255);
  EXPECT_EQ(bytes[0], 255);
  StoreIpv4(bytes, "   .   .   .   ");
  EXPECT_EQ(GetU32(bytes), 0u);
  StoreIpv4(bytes, "10.1");  // missing groups read as 0
  EXPECT_EQ(ShowIpv4(bytes), "10.1.0.0");
}

TEST(ImageEncoding, FloatsShownWithSevenDigitsAndRead) {
  EXPECT_EQ(FormatFloat(3.0f, '.'), "3");
  EXPECT_EQ(FormatFloat(1.5f, ','), "1,5");
  EXPECT_EQ(FormatFloat(0.1f, '.'), "0.1");
  EXPECT_EQ(FormatFloat(-12.25f, '.'), "-12.25");
  EXPECT_EQ(FormatFloat(1234567.0f, '.'), "1234567");

  EXPECT_EQ(ReadFloat("1,5"), 1.5f);
  EXPECT_EQ(ReadFloat(" 1.5V"), 1.5f);
  EXPECT_EQ(ReadFloat("-2.25"), -2.25f);
  EXPECT_EQ(ReadFloat(".5"), 0.5f);
  EXPECT_EQ(ReadFloat("abc"), 0.0f);
  EXPECT_EQ(ReadFloat("inf"), 0.0f);
  EXPECT_EQ(ReadFloat(""), 0.0f);
  EXPECT_EQ(ReadFloat("1e3"), 1000.0f);
}

}  // namespace
}  // namespace vkm
