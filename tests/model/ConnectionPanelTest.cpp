#include "model/ConnectionPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/ImageMap.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::ChangedOffsets;
using test::FilledImage;
using test::Span;

constexpr int kRecordSize = 31;
constexpr const char* kIncomingWithPassword = "Принять и перейти в голосовое меню, с паролем (DTMF управление)";

std::size_t RecordOffset(int node) { return kConnectionRecords.Offset(node - kNodeConnection1 + 1); }

std::array<uint8_t, kRecordSize> RecordBytes(const ConfigurationImage& image, int node) {
  std::array<uint8_t, kRecordSize> bytes{};
  std::memcpy(bytes.data(), &image[RecordOffset(node)], kRecordSize);
  return bytes;
}

// Every drop-down at its first item, every box clear: stores as all zero
// bits, so a single changed control shows exactly where it lands.
ConnectionPanel ZeroPanel() {
  ConnectionPanel panel;
  panel.ComboBoxTransportPriority = 0;
  panel.ComboBoxGroupNum = 0;
  panel.ComboBoxDialTranspWaitTime = 0;
  panel.ComboBoxIncomungCallAction = 0;
  panel.ComboBoxOnLineTime = 0;
  panel.ComboBoxConnectionType = 0;
  panel.ComboBoxSMSTranspWaitTime = 0;
  panel.ComboBoxLang = 0;
  panel.ComboBoxUserId = 0;
  return panel;
}

TEST(ConnectionPanel, FactoryRecordsShowFactorySettings) {
  for (int node = kNodeConnection1; node <= kNodeConnection1 + 7; ++node) {
    SCOPED_TRACE(node);
    ConfigurationImage image = FactoryImage();
    ConnectionPanel panel;
    ImageToPanel(image, node, panel);
    EXPECT_EQ(panel.Label74, "Соединение " + std::to_string(node - kNodeConnection1 + 1));
    EXPECT_EQ(panel.GroupBoxConSharD, " Голосовое оповещение или вызов типа DATA ");
    EXPECT_EQ(panel.LabelProtocolAlias, "Протокол обмена");
    EXPECT_EQ(panel.MaskEditPhone, "");
    EXPECT_EQ(panel.ComboBoxTransportPriority, 0);
    EXPECT_EQ(panel.ComboBoxGroupNum, node - kNodeConnection1);  // group n
    EXPECT_EQ(panel.ComboBoxDialTranspWaitTime, 9);             // 10 minutes
    EXPECT_EQ(panel.ComboBoxIncomungCallAction, 0);
    EXPECT_EQ(panel.ComboBoxIncomungCallActionHint, kIncomingWithPassword);
    EXPECT_FALSE(panel.CheckBoxNotACK);
    EXPECT_FALSE(panel.CheckBoxCallEn);
    EXPECT_EQ(panel.ComboBoxOnLineTime, 0);
    EXPECT_EQ(panel.ComboBoxConnectionType, 0);
    EXPECT_EQ(panel.ComboBoxSMSTranspWaitTime, 9);
    EXPECT_EQ(panel.ComboBoxLang, 1);    // Russian
    EXPECT_EQ(panel.ComboBoxUserId, 1);  // user name
    EXPECT_FALSE(panel.CheckBoxDebugMode);
    EXPECT_FALSE(panel.CheckBoxSMSEn);
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(panel.CheckBoxMaskDInput[i], TriState::Unchecked);
      EXPECT_EQ(panel.CheckBoxMaskSInput[i], TriState::Unchecked);
    }
    EXPECT_FALSE(panel.CheckBoxMaskDArm || panel.CheckBoxMaskDDisarm || panel.CheckBoxMaskDPower ||
                 panel.CheckBoxMaskDTest || panel.CheckBoxMaskDGPS);
    EXPECT_FALSE(panel.CheckBoxMaskSArm || panel.CheckBoxMaskSDisarm || panel.CheckBoxMaskSPower ||
                 panel.CheckBoxMaskSTest || panel.CheckBoxMaskSGPS);
    EXPECT_EQ(image, FactoryImage());
  }
}

TEST(ConnectionPanel, FactoryRoundTripKeepsTheImage) {
  for (int node = kNodeConnection1; node <= kNodeConnection1 + 7; ++node) {
    ConfigurationImage image = FactoryImage();
    ConnectionPanel panel;
    ImageToPanel(image, node, panel);
    PanelToImage(panel, node, image);
    EXPECT_EQ(image, FactoryImage()) << "node " << node;
  }
}

TEST(ConnectionPanel, RoundTripKeepsABusyRecord) {
  const int node = kNodeConnection1 + 2;
  ConfigurationImage image = FactoryImage();
  const std::array<uint8_t, kRecordSize> record = {
      '+', '7', '9', '1', '6', '5', '0', '5', '1', '2', '3', '4', '5', '6', '7', 0,
      0xDE,  // unnamed bits 6..7 set, group 8, SMS only if voice failed
      0xF7, 0x00, 0xD7, 0xFE, 0x05, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x25, 0x21, 0xFF, 0xFF};
  std::memcpy(&image[RecordOffset(node)], record.data(), kRecordSize);
  const ConfigurationImage before = image;
  ConnectionPanel panel;
  ImageToPanel(image, node, panel);
  PanelToImage(panel, node, image);
  EXPECT_EQ(image, before);
}

TEST(ConnectionPanel, EachControlStoresItsOwnBits) {
  struct Case {
    const char* control;
    std::function<void(ConnectionPanel&)> set;
    std::vector<std::pair<int, uint8_t>> bytes;  // record offset, value; all others 0
  };
  const Case cases[] = {
      {"TransportPriority", [](ConnectionPanel& p) { p.ComboBoxTransportPriority = 2; }, {{16, 0x02}}},
      {"GroupNum", [](ConnectionPanel& p) { p.ComboBoxGroupNum = 7; }, {{16, 0x1C}}},
      {"DialTranspWaitTime", [](ConnectionPanel& p) { p.ComboBoxDialTranspWaitTime = 15; }, {{17, 0x0F}}},
      {"IncomungCallAction", [](ConnectionPanel& p) { p.ComboBoxIncomungCallAction = 3; }, {{17, 0x30}}},
      {"NotACK", [](ConnectionPanel& p) { p.CheckBoxNotACK = true; }, {{19, 0x01}}},
      {"CallEn", [](ConnectionPanel& p) { p.CheckBoxCallEn = true; }, {{19, 0x02}}},
      {"OnLineTime 2 s", [](ConnectionPanel& p) { p.ComboBoxOnLineTime = 2; }, {{19, 0x08}}},
      {"OnLineTime 61 s", [](ConnectionPanel& p) { p.ComboBoxOnLineTime = 61; }, {{19, 0xF4}}},
      {"ConnectionType", [](ConnectionPanel& p) { p.ComboBoxConnectionType = 2; }, {{20, 0x02}}},
      {"MaskDInput1 checked", [](ConnectionPanel& p) { p.CheckBoxMaskDInput[0] = TriState::Checked; },
       {{21, 0x01}, {22, 0x01}}},
      {"MaskDInput7 grayed", [](ConnectionPanel& p) { p.CheckBoxMaskDInput[6] = TriState::Grayed; }, {{21, 0x40}}},
      {"MaskDArm", [](ConnectionPanel& p) { p.CheckBoxMaskDArm = true; }, {{23, 0x01}}},
      {"MaskDDisarm", [](ConnectionPanel& p) { p.CheckBoxMaskDDisarm = true; }, {{23, 0x10}}},
      {"MaskDPower", [](ConnectionPanel& p) { p.CheckBoxMaskDPower = true; }, {{24, 0x02}}},
      {"MaskDTest", [](ConnectionPanel& p) { p.CheckBoxMaskDTest = true; }, {{24, 0x04}}},
      {"MaskDGPS", [](ConnectionPanel& p) { p.CheckBoxMaskDGPS = true; }, {{24, 0x08}}},
      {"SMSTranspWaitTime", [](ConnectionPanel& p) { p.ComboBoxSMSTranspWaitTime = 9; }, {{25, 0x09}}},
      {"Lang Kestrel", [](ConnectionPanel& p) { p.ComboBoxLang = 3; }, {{26, 0x03}}},
      {"UserId", [](ConnectionPanel& p) { p.ComboBoxUserId = 1; }, {{26, 0x04}}},
      {"DebugMode", [](ConnectionPanel& p) { p.CheckBoxDebugMode = true; }, {{26, 0x08}}},
      {"SMSEn", [](ConnectionPanel& p) { p.CheckBoxSMSEn = true; }, {{26, 0x10}}},
      {"MaskSInput3 checked", [](ConnectionPanel& p) { p.CheckBoxMaskSInput[2] = TriState::Checked; },
       {{27, 0x04}, {28, 0x04}}},
      {"MaskSInput7 grayed", [](ConnectionPanel& p) { p.CheckBoxMaskSInput[6] = TriState::Grayed; }, {{27, 0x40}}},
      {"MaskSArm", [](ConnectionPanel& p) { p.CheckBoxMaskSArm = true; }, {{29, 0x01}}},
      {"MaskSDisarm", [](ConnectionPanel& p) { p.CheckBoxMaskSDisarm = true; }, {{29, 0x10}}},
      {"MaskSPower", [](ConnectionPanel& p) { p.CheckBoxMaskSPower = true; }, {{30, 0x02}}},
      {"MaskSTest", [](ConnectionPanel& p) { p.CheckBoxMaskSTest = true; }, {{30, 0x04}}},
      {"MaskSGPS", [](ConnectionPanel& p) { p.CheckBoxMaskSGPS = true; }, {{30, 0x08}}},
  };
  const int node = kNodeConnection1 + 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    ConfigurationImage image{};
    ConnectionPanel panel = ZeroPanel();
    c.set(panel);
    PanelToImage(panel, node, image);
    std::array<uint8_t, kRecordSize> expected{};
    for (const auto& [offset, value] : c.bytes) expected[static_cast<std::size_t>(offset)] = value;
    EXPECT_EQ(RecordBytes(image, node), expected);

    // Showing the stored bytes and storing them again gives the same bytes.
    ConfigurationImage again{};
    ConnectionPanel shown;
    ImageToPanel(image, node, shown);
    PanelToImage(shown, node, again);
    EXPECT_EQ(RecordBytes(again, node), expected);
  }
}

TEST(ConnectionPanel, BitsWithoutAControlKeepTheirValue) {
  const int node = kNodeConnection1 + 2;
  ConfigurationImage image = FilledImage(0xFF);
  ConnectionPanel panel = ZeroPanel();
  PanelToImage(panel, node, image);
  std::array<uint8_t, kRecordSize> expected{};
  expected[16] = 0xC0;
  expected[17] = 0xC0;
  expected[20] = 0xFC;
  expected[23] = 0xEE;
  expected[24] = 0xF1;
  expected[25] = 0xF0;
  expected[26] = 0xE0;
  expected[29] = 0xEE;
  expected[30] = 0xF1;
  // Bytes 18, 19, the masks (bit 7 included) and the number are written whole.
  EXPECT_EQ(RecordBytes(image, node), expected);
}

TEST(ConnectionPanel, ChangingTheGroupKeepsBits6And7OfByte16) {
  const int node = kNodeConnection1;
  ConfigurationImage image = FactoryImage();
  image[RecordOffset(node) + 16] = 0xC0 | 0x05;
  ConnectionPanel panel;
  ImageToPanel(image, node, panel);
  EXPECT_EQ(panel.ComboBoxGroupNum, 1);
  EXPECT_EQ(panel.ComboBoxTransportPriority, 1);
  panel.ComboBoxGroupNum = 4;
  PanelToImage(panel, node, image);
  EXPECT_EQ(image[RecordOffset(node) + 16], 0xC0 | (4 << 2) | 0x01);
}

TEST(ConnectionPanel, Byte18IsZeroAfterEveryStore) {
  for (uint8_t previous : {uint8_t{0x00}, uint8_t{0x5A}, uint8_t{0xFF}}) {
    ConfigurationImage image = FactoryImage();
    image[RecordOffset(kNodeConnection1 + 4) + 18] = previous;
    ConnectionPanel panel;
    ImageToPanel(image, kNodeConnection1 + 4, panel);
    PanelToImage(panel, kNodeConnection1 + 4, image);
    EXPECT_EQ(image[RecordOffset(kNodeConnection1 + 4) + 18], 0) << int{previous};
  }
}

TEST(ConnectionPanel, StoringAConnectionWritesOnlyItsRecord) {
  for (int node = kNodeConnection1; node <= kNodeConnection1 + 7; ++node) {
    const ConfigurationImage before = FilledImage(0xAA);
    ConfigurationImage image = before;
    ConnectionPanel panel;
    panel.MaskEditPhone = "+79161234567";
    panel.CheckBoxMaskSInput.fill(TriState::Checked);
    PanelToImage(panel, node, image);
    const std::size_t first = RecordOffset(node);
    for (std::size_t offset : ChangedOffsets(before, image)) {
      EXPECT_TRUE(offset >= first && offset < first + kRecordSize) << "node " << node << " offset " << offset;
    }
  }
  // Connection 8 ends at 403; the reserved byte after it keeps its factory value.
  ConfigurationImage image = FactoryImage();
  ConnectionPanel panel = ZeroPanel();
  panel.ComboBoxOnLineTime = -1;
  PanelToImage(panel, kNodeConnection1 + 7, image);
  EXPECT_EQ(RecordOffset(kNodeConnection1 + 7), 373u);
  EXPECT_EQ(image[404], 0x07);
  EXPECT_EQ(image[403], 0x00);
  for (std::size_t offset : ChangedOffsets(FactoryImage(), image)) {
    EXPECT_TRUE(offset >= 373 && offset <= 403) << offset;
  }
}

TEST(ConnectionPanel, TelephoneNumberIsTrimmedCutAndSqueezed) {
  struct Case {
    const char* typed;
    const char* stored;  // the 16 bytes of the field
  };
  const Case cases[] = {
      {"+7 916 505", "+7916505\0\0\0\0\0\0\0\0"},
      {"  89161234567  ", "89161234567\0\0\0\0\0"},
      {"", "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"},
      {"123456789012345678", "123456789012345\0"},
      // Surrounding blanks go before the cut and do not cost digits.
      {"   123456789012345 ", "123456789012345\0"},
      // Cut to the field before the blanks go, so fewer digits survive.
      {"1 2 3 4 5 6 7 8 9 0", "12345678\0\0\0\0\0\0\0\0"},
      {"- 1", "-1\0\0\0\0\0\0\0\0\0\0\0\0\0\0"},
  };
  const int node = kNodeConnection1 + 3;
  for (const Case& c : cases) {
    ConfigurationImage image = FilledImage(0xAA);
    ConnectionPanel panel = ZeroPanel();
    panel.MaskEditPhone = c.typed;
    PanelToImage(panel, node, image);
    const uint8_t* record = &image[RecordOffset(node)];
    EXPECT_EQ(std::memcmp(record, c.stored, 16), 0) << '"' << c.typed << '"';
    EXPECT_EQ(record[16], 0xAA & 0xC0) << "byte 16 keeps its unnamed bits";
  }
}

TEST(ConnectionPanel, StoredValuesWithoutAnItemShowNoSelection) {
  struct Case {
    const char* control;
    int offset;
    uint8_t stored;
    int ConnectionPanel::*field;
    uint8_t restored;
  };
  const Case cases[] = {
      {"OnLineTime 62", 19, 62 << 2, &ConnectionPanel::ComboBoxOnLineTime, 0xFC},
      {"OnLineTime 63", 19, 63 << 2, &ConnectionPanel::ComboBoxOnLineTime, 0xFC},
      {"GroupNum 9", 16, 9 << 2, &ConnectionPanel::ComboBoxGroupNum, 0x3C},
      {"TransportPriority 3", 16, 0x03, &ConnectionPanel::ComboBoxTransportPriority, 0x03},
      {"ConnectionType 3", 20, 0x03, &ConnectionPanel::ComboBoxConnectionType, 0x03},
  };
  const int node = kNodeConnection1 + 5;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    ConfigurationImage image{};
    image[RecordOffset(node) + static_cast<std::size_t>(c.offset)] = c.stored;
    ConnectionPanel panel;
    ImageToPanel(image, node, panel);
    EXPECT_EQ(panel.*c.field, -1);
    PanelToImage(panel, node, image);
    EXPECT_EQ(image[RecordOffset(node) + static_cast<std::size_t>(c.offset)], c.restored);
  }
}

TEST(ConnectionPanel, SourceMasksOfVoiceAndSmsAreKeptApart) {
  const int node = kNodeConnection1 + 6;
  ConfigurationImage image = FactoryImage();
  uint8_t* record = &image[RecordOffset(node)];
  record[21] = 0x85;  // bit 7 is not part of the mask
  record[22] = 0x01;
  record[27] = 0x00;
  record[28] = 0x42;
  ConnectionPanel panel;
  ImageToPanel(image, node, panel);
  using enum TriState;
  EXPECT_EQ(panel.CheckBoxMaskDInput, (std::array<TriState, 7>{Checked, Unchecked, Grayed, Unchecked, Unchecked,
                                                                Unchecked, Unchecked}));
  EXPECT_EQ(panel.CheckBoxMaskSInput, (std::array<TriState, 7>{Unchecked, Checked, Unchecked, Unchecked, Unchecked,
                                                                Unchecked, Checked}));
  PanelToImage(panel, node, image);
  EXPECT_EQ(record[21], 0x05);
  EXPECT_EQ(record[22], 0x01);
  EXPECT_EQ(record[27], 0x42);  // B without A is stored as checked
  EXPECT_EQ(record[28], 0x42);
}

TEST(ConnectionPanel, HintsFollowTheSelectedEntry) {
  ConfigurationImage image = FactoryImage();
  const int node = kNodeConnection1 + 1;
  image[RecordOffset(node) + 17] = 0x29;  // incoming call: reject and switch mode
  ConnectionPanel panel;
  ImageToPanel(image, node, panel);
  EXPECT_EQ(panel.ComboBoxIncomungCallActionHint, "Отбить (DTMF управление невозможно)");
  // Filling does not change the transport priority, so its hint stays.
  EXPECT_EQ(panel.ComboBoxTransportPriorityHint, "");

  panel.ComboBoxTransportPriority = 1;
  OnTransportPriorityChanged(panel);
  EXPECT_EQ(panel.ComboBoxTransportPriorityHint, "Посылать SMS только если не доставлено голосовое оповещ.");
  panel.ComboBoxTransportPriority = 2;
  OnTransportPriorityChanged(panel);
  EXPECT_EQ(panel.ComboBoxTransportPriorityHint, "Голосовое оповещение только если не отправлено SMS");

  panel.ComboBoxIncomungCallAction = 3;
  OnIncomingCallActionChanged(panel);
  EXPECT_EQ(panel.ComboBoxIncomungCallActionHint, "Отбить и изменить режим (ОХРАНА/НАБЛЮДЕНИЕ)");
  panel.ComboBoxIncomungCallAction = 1;
  OnIncomingCallActionChanged(panel);
  EXPECT_EQ(panel.ComboBoxIncomungCallActionHint, "Принять и перейти в голосовое меню, без пароля (DTMF управление)");
  panel.ComboBoxIncomungCallAction = -1;
  OnIncomingCallActionChanged(panel);
  EXPECT_EQ(panel.ComboBoxIncomungCallActionHint, "");
}

TEST(ConnectionPanel, ListsEveryControlWithItsItems) {
  ConnectionPanel panel;
  const Controls controls = ListControls(panel, kNodeConnection1);
  auto find = [&](const std::string& name) -> const ControlRef& { return test::FindControl(controls, name); };
  struct Combo {
    const char* name;
    Items items;  // the whole list, or its first and last items with the count below
    std::size_t count;
  };
  const Combo combos[] = {
      {"ComboBoxTransportPriority",
       {"Голосовое и SMS оповещения равнозначны", "Посылать SMS только если не доставлено голосовое оповещ.",
        "Голосовое оповещение только если не отправлено SMS"},
       3},
      {"ComboBoxGroupNum", {"1", "8"}, 8},
      {"ComboBoxDialTranspWaitTime", {"1 Min.", "16 Min."}, 16},
      {"ComboBoxIncomungCallAction", {kIncomingWithPassword, "Отбить и изменить режим (ОХРАНА/НАБЛЮДЕНИЕ)"}, 4},
      {"ComboBoxOnLineTime", {"По длине сообщения", "61 Sec."}, 62},
      {"ComboBoxConnectionType", {"Голосовое", "Lanternpost", "Голосовое LP"}, 3},
      {"ComboBoxSMSTranspWaitTime", {"1 Min.", "16 Min."}, 16},
      {"ComboBoxLang", {"Английский", "Русский", "Lanternpost", "Kestrel"}, 4},
      {"ComboBoxUserId", {"Код ключа TouchMem", "Имя пользователя"}, 2},
  };
  for (const Combo& c : combos) {
    SCOPED_TRACE(c.name);
    const ControlRef& control = find(c.name);
    ASSERT_EQ(control.kind, ControlKind::ComboIndex);
    ASSERT_EQ(control.items->size(), c.count);
    if (c.items.size() == c.count) {
      EXPECT_EQ(*control.items, c.items);
    } else {
      EXPECT_EQ(control.items->front(), c.items.front());
      EXPECT_EQ(control.items->back(), c.items.back());
    }
  }
  const Items& onLine = *find("ComboBoxOnLineTime").items;
  EXPECT_EQ(onLine[1], "Задается DTMF упр.");
  EXPECT_EQ(onLine[2], "2 Sec.");

  for (int i = 1; i <= 7; ++i) {
    const ControlRef& voice = find("CheckBoxMaskDInput" + std::to_string(i));
    const ControlRef& sms = find("CheckBoxMaskSInput" + std::to_string(i));
    EXPECT_EQ(voice.kind, ControlKind::ThreeState);
    EXPECT_EQ(std::get<TriState*>(voice.field), &panel.CheckBoxMaskDInput[static_cast<std::size_t>(i - 1)]);
    EXPECT_EQ(std::get<TriState*>(sms.field), &panel.CheckBoxMaskSInput[static_cast<std::size_t>(i - 1)]);
  }
  for (const char* name : {"Label74", "GroupBoxConSharD", "LabelProtocolAlias", "MaskEditPhone", "CheckBoxNotACK",
                           "CheckBoxCallEn", "CheckBoxMaskDArm", "CheckBoxMaskDDisarm", "CheckBoxMaskDPower",
                           "CheckBoxMaskDTest", "CheckBoxMaskDGPS", "CheckBoxDebugMode", "CheckBoxSMSEn",
                           "CheckBoxMaskSArm", "CheckBoxMaskSDisarm", "CheckBoxMaskSPower", "CheckBoxMaskSTest",
                           "CheckBoxMaskSGPS"}) {
    EXPECT_TRUE(find(name).shown) << name;
  }
  EXPECT_EQ(controls.size(), 41u);
}

}  // namespace
}  // namespace vkm
