#include "model/ServerPanel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ImageTestSupport.h"
#include "model/FactoryImage.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::ChangedOffsets;
using test::FilledImage;
using test::Span;

constexpr int kIpAddress = 0;
constexpr int kHostName = 1;

std::size_t RecordOffset(int server) { return 2156 + 44 * static_cast<std::size_t>(server - 1); }

TEST(ServerPanel, FactoryImageShowsDisabledServers) {
  for (int server = 1; server <= 3; ++server) {
    ConfigurationImage image = FactoryImage();
    ServerPanel panel;
    ImageToPanel(image, kNodeServer1 + server - 1, panel);
    EXPECT_EQ(panel.Label140, "Сервер " + std::to_string(server));
    EXPECT_EQ(panel.ComboBoxDestType, kIpAddress);
    EXPECT_EQ(panel.MaskEditServerIPAddr, "0.0.0.0");
    EXPECT_EQ(panel.MaskEditServerPort, "0");
    EXPECT_FALSE(panel.CheckBoxServerEn);
  }
}

TEST(ServerPanel, IpAddressWritesOnlyItsFourBytes) {
  const ConfigurationImage before = FilledImage(0xAA);
  ConfigurationImage image = before;
  ServerPanel panel;
  panel.ComboBoxDestType = kIpAddress;
  panel.MaskEditServerIPAddr = "10.  0.  0.  1";
  panel.MaskEditServerPort = "8080";
  panel.CheckBoxServerEn = true;
  PanelToImage(panel, kNodeServer1 + 1, image);

  const std::size_t r = RecordOffset(2);
  const uint8_t expected[] = {1, 0, 0, 10};
  EXPECT_EQ(std::memcmp(&image[r], expected, 4), 0);
  EXPECT_EQ(image[r + 36], 8080 & 0xFF);
  EXPECT_EQ(image[r + 37], 8080 >> 8);
  EXPECT_EQ(image[r + 38], 0xAA);  // type 0 in bit 0, bits 1..7 kept
  EXPECT_EQ(image[r + 40], 0xAB);  // enabled, bits 1..7 kept
  std::set<std::size_t> changed = Span(r, r + 3);
  changed.insert({r + 36, r + 37, r + 40});
  EXPECT_EQ(ChangedOffsets(before, image), changed);
}

TEST(ServerPanel, HostNameKeepsTheBytesAfterItsTerminator) {
  const ConfigurationImage before = FilledImage(0xAA);
  ConfigurationImage image = before;
  ServerPanel panel;
  panel.ComboBoxDestType = kHostName;
  panel.MaskEditServerIPAddr = " srv.example-host.ru";  // 20 characters, untrimmed
  panel.MaskEditServerPort = "43690";                    // 0xAAAA: port bytes stay as they were
  panel.CheckBoxServerEn = false;
  PanelToImage(panel, kNodeServer1 + 2, image);

  const std::size_t r = RecordOffset(3);
  EXPECT_EQ(std::memcmp(&image[r], " srv.example-host.ru\0", 21), 0);
  EXPECT_EQ(image[r + 38], 0xAB);
  EXPECT_EQ(image[r + 40], 0xAA);
  std::set<std::size_t> changed = Span(r, r + 20);
  changed.insert(r + 38);
  EXPECT_EQ(ChangedOffsets(before, image), changed);

  ImageToPanel(image, kNodeServer1 + 2, panel);
  EXPECT_EQ(panel.ComboBoxDestType, kHostName);
  EXPECT_EQ(panel.MaskEditServerIPAddr, " srv.example-host.ru");
}

TEST(ServerPanel, LongHostNameIsCutToThirtyThreeCharacters) {
  ConfigurationImage image = FilledImage(0xAA);
  ServerPanel panel;
  panel.ComboBoxDestType = kHostName;
  panel.MaskEditServerIPAddr = std::string(40, 'h');
  PanelToImage(panel, kNodeServer1, image);
  const std::size_t r = RecordOffset(1);
  EXPECT_EQ(std::memcmp(&image[r], std::string(33, 'h').c_str(), 33), 0);
  EXPECT_EQ(image[r + 33], 0);
  EXPECT_EQ(image[r + 34], 0xAA);
  EXPECT_EQ(image[r + 35], 0xAA);
  ImageToPanel(image, kNodeServer1, panel);
  EXPECT_EQ(panel.MaskEditServerIPAddr, std::string(33, 'h'));
}

TEST(ServerPanel, HostNameWithoutTerminatorIsReadToTheFieldEnd) {
  ConfigurationImage image = FactoryImage();
  const std::size_t r = RecordOffset(1);
  std::memset(&image[r], 'x', 36);
  image[r + 36] = 'y';  // the port must not be read as part of the name
  image[r + 38] = 0x01;
  ServerPanel panel;
  ImageToPanel(image, kNodeServer1, panel);
  EXPECT_EQ(panel.MaskEditServerIPAddr, std::string(36, 'x'));
}

TEST(ServerPanel, SwitchingFromHostNameToIpOverwritesOnlyTheAddressBytes) {
  ConfigurationImage image = FactoryImage();
  const std::size_t r = RecordOffset(1);
  std::memcpy(&image[r], "gprs.monitoring-centre.example\0", 31);
  image[r + 38] = 0x01;
  ServerPanel panel;
  ImageToPanel(image, kNodeServer1, panel);
  ASSERT_EQ(panel.MaskEditServerIPAddr, "gprs.monitoring-centre.example");

  const ConfigurationImage before = image;
  panel.ComboBoxDestType = kIpAddress;
  OnDestTypeChanged(panel);
  ASSERT_EQ(panel.MaskEditServerIPAddr, "000.000.000.000");
  panel.MaskEditServerIPAddr = "192.168.001.010";
  PanelToImage(panel, kNodeServer1, image);

  std::set<std::size_t> changed = Span(r, r + 3);
  changed.insert(r + 38);
  EXPECT_EQ(ChangedOffsets(before, image), changed);
  const uint8_t address[] = {10, 1, 168, 192};
  EXPECT_EQ(std::memcmp(&image[r], address, 4), 0);
  EXPECT_EQ(std::memcmp(&image[r + 4], ".monitoring-centre.example", 26), 0);  // remains stay
  EXPECT_EQ(image[r + 38], 0x00);
}

TEST(ServerPanel, PortIsReadFromItsLeadingDigits) {
  struct Case {
    const char* typed;
    uint16_t stored;
  };
  const Case cases[] = {
      {"8080", 8080}, {"  443", 443},   {"65535", 65535}, {"65536", 65535},
      {"99999", 65535}, {"12a", 12},    {"", 0},          {"abc", 0},
  };
  for (const Case& c : cases) {
    ConfigurationImage image = FactoryImage();
    ServerPanel panel;
    panel.ComboBoxDestType = kIpAddress;
    panel.MaskEditServerPort = c.typed;
    PanelToImage(panel, kNodeServer1 + 1, image);
    const std::size_t r = RecordOffset(2);
    EXPECT_EQ(image[r + 36] | (image[r + 37] << 8), c.stored) << c.typed;
    ImageToPanel(image, kNodeServer1 + 1, panel);
    EXPECT_EQ(panel.MaskEditServerPort, std::to_string(c.stored)) << c.typed;
  }
}

TEST(ServerPanel, Server1StoreKeepsTheGprsWaitTime) {
  for (int server = 1; server <= 3; ++server) {
    ConfigurationImage image = FactoryImage();
    const std::size_t r = RecordOffset(server);
    image[r + 40] = 0x9E;  // wait-time nibble and bits 1..3 set, disabled
    ServerPanel panel;
    ImageToPanel(image, kNodeServer1 + server - 1, panel);
    EXPECT_FALSE(panel.CheckBoxServerEn);
    panel.CheckBoxServerEn = true;
    PanelToImage(panel, kNodeServer1 + server - 1, image);
    EXPECT_EQ(image[r + 40], 0x9F) << server;
    panel.CheckBoxServerEn = false;
    PanelToImage(panel, kNodeServer1 + server - 1, image);
    EXPECT_EQ(image[r + 40], 0x9E) << server;
  }
}

TEST(ServerPanel, ShowingSetsTheTypeBeforeTheAddress) {
  ConfigurationImage image = FactoryImage();
  const std::size_t r = RecordOffset(2);
  const uint8_t address[] = {4, 3, 2, 1};
  std::memcpy(&image[r], address, 4);
  ServerPanel panel;
  panel.MaskEditServerIPAddr = "stale text";
  ImageToPanel(image, kNodeServer1 + 1, panel);
  EXPECT_EQ(panel.MaskEditServerIPAddr, "1.2.3.4");

  image[r] = 0;  // empty host name
  image[r + 38] = 0xFF;
  ImageToPanel(image, kNodeServer1 + 1, panel);
  EXPECT_EQ(panel.ComboBoxDestType, kHostName);
  EXPECT_EQ(panel.MaskEditServerIPAddr, "");
}

TEST(ServerPanel, TypeChangeResetsTheAddress) {
  const struct {
    int type;
    const char* text;
  } cases[] = {{kIpAddress, "000.000.000.000"}, {kHostName, ""}, {-1, ""}};
  for (const auto& c : cases) {
    ServerPanel panel;
    panel.MaskEditServerIPAddr = "old.host";
    panel.ComboBoxDestType = c.type;
    OnDestTypeChanged(panel);
    EXPECT_EQ(panel.MaskEditServerIPAddr, c.text) << c.type;
  }
}

TEST(ServerPanel, RoundTripKeepsTheImage) {
  ConfigurationImage image = FactoryImage();
  ServerPanel panel;
  for (int node = kNodeServer1; node <= kNodeServer1 + 2; ++node) {
    ImageToPanel(image, node, panel);
    PanelToImage(panel, node, image);
  }
  EXPECT_EQ(image, FactoryImage());

  image = FilledImage(0x3C);
  std::memcpy(&image[RecordOffset(2)], "host.example\0", 13);
  image[RecordOffset(2) + 38] = 0x3D;
  const ConfigurationImage before = image;
  for (int node = kNodeServer1; node <= kNodeServer1 + 2; ++node) {
    ImageToPanel(image, node, panel);
    PanelToImage(panel, node, image);
  }
  EXPECT_EQ(image, before);
}

TEST(ServerPanel, ListsTheTypeBeforeTheAddress) {
  ServerPanel panel;
  const Controls controls = ListControls(panel, kNodeServer1);
  ASSERT_EQ(controls.size(), 5u);
  EXPECT_EQ(controls[0].name, "Label140");
  EXPECT_EQ(controls[1].name, "ComboBoxDestType");
  EXPECT_EQ(*controls[1].items, (Items{"IP адрес", "Доменное имя (требуется DNS)"}));
  EXPECT_EQ(controls[2].name, "MaskEditServerIPAddr");
  EXPECT_EQ(controls[3].name, "MaskEditServerPort");
  EXPECT_EQ(controls[4].name, "CheckBoxServerEn");
  EXPECT_EQ(std::get<bool*>(controls[4].field), &panel.CheckBoxServerEn);
}

}  // namespace
}  // namespace vkm
