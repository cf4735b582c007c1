#include "link/Identity.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/ImageEncoding.h"

namespace vkm {
namespace {

IdentityRecord Record(const char* name, const char* modification, uint16_t firmware) {
  IdentityRecord record{};
  std::memcpy(record.data(), name, std::strlen(name));
  std::memcpy(record.data() + 9, modification, std::strlen(modification));
  PutU16(record.data() + 20, firmware);
  return record;
}

TEST(Identity, TextsOfARecord) {
  IdentityRecord record = Record("VKM410", "G", 0x0100);
  PutU16(record.data() + 18, 0x0A0B);
  std::memcpy(record.data() + 24, "2026-01-15xx", 12);  // 11 characters are shown
  std::memcpy(record.data() + 36, "7\0\0\0", 4);
  std::memcpy(record.data() + 56, "123456789012345X", 16);
  PutU32(record.data() + 40 + 12, 1);  // binding 0, 0, 0, 1
  for (int i = 0; i < 4; ++i) PutU32(record.data() + 72 + 4 * i, 4000000000u + static_cast<uint32_t>(i));

  const IdentityTexts texts = IdentityTextsOf(record);
  EXPECT_EQ(texts.iDeviceNameLabel, "VKM410");
  EXPECT_EQ(texts.iModificationLabel, "G");
  EXPECT_EQ(texts.iHardVerLabel, "0A.0B");
  EXPECT_EQ(texts.iSoftVerLabel, "01.00");
  EXPECT_EQ(texts.iBLLabel, "--.--");
  EXPECT_EQ(texts.iDateLabel, "2026-01-15x");
  EXPECT_EQ(texts.iLabelCountryCode, "7");
  EXPECT_EQ(texts.iGSMIMEILabel, "123456789012345");
  EXPECT_EQ(texts.iLabelDevSNLocked, "0000000000 0000000000\r\n 0000000000 0000000001");
  EXPECT_EQ(texts.iLabelDevSN, "4000000000 4000000001\r\n 4000000002 4000000003");
  EXPECT_EQ(texts.VersionText(), "G.01.00");
  EXPECT_EQ(texts.Labels().size(), 10u);
}

TEST(Identity, NamesShowAtMostEightCharacters) {
  const IdentityRecord record = Record("ABCDEFGHZ", "", 0);  // a ninth byte in the field
  EXPECT_EQ(IdentityTextsOf(record).iDeviceNameLabel, "ABCDEFGH");
}

TEST(Identity, PlaceholderTexts) {
  const IdentityTexts texts = IdentityTextsOf(PlaceholderIdentity());
  EXPECT_EQ(texts.iDeviceNameLabel, "--------");
  EXPECT_EQ(texts.iSoftVerLabel, "--.--");
  EXPECT_EQ(texts.iDateLabel, "-----------");
  EXPECT_EQ(texts.iLabelCountryCode, "---");
  EXPECT_EQ(texts.iGSMIMEILabel, "---------------");
  EXPECT_EQ(texts.iLabelDevSNLocked, QString(48, ' ') + "-");
  EXPECT_EQ(texts.iLabelDevSN, "- - - - - - - -  - - - - - - - -\r\n  - - - - - - - -  - - - - - - - -");
  EXPECT_EQ(texts.VersionText(), "--------.--.--");
}

TEST(Identity, SupportChecks) {
  struct Case {
    const char* name;
    const char* modification;
    uint16_t firmware;
    bool device;
    bool version;
  };
  const Case cases[] = {
      {"VKM410", "G", 0x0100, true, true},  {"VKM410", "G", 0x0101, true, false},
      {"VKM410", "g", 0x0100, true, false}, {"VKM411", "G", 0x0100, false, true},
      {"vkm410", "G", 0x0100, false, true},
  };
  for (const Case& c : cases) {
    const IdentityTexts texts = IdentityTextsOf(Record(c.name, c.modification, c.firmware));
    EXPECT_EQ(IsDeviceSupported(texts), c.device) << c.name;
    EXPECT_EQ(IsVersionSupported(texts), c.version) << c.modification << c.firmware;
  }
  EXPECT_EQ(IdentityTextsOf(Record("VKM410", "G", 0x0101)).VersionText(), "G.01.01");
}

}  // namespace
}  // namespace vkm
