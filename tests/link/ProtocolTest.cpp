#include "link/Protocol.h"

#include <gtest/gtest.h>

#include "link/DeviceActions.h"
#include "link/StatusTexts.h"

namespace vkm {
namespace {

TEST(Protocol, FramesCarryLengthAndCheckByte) {
  EXPECT_EQ(BuildFrame(kCommandIdentity, nullptr, 0), (std::vector<uint8_t>{0x05, 0x05, 0x00, 0x00, 0xFB}));
  const uint8_t zero = 0;
  EXPECT_EQ(BuildFrame(kCommandRestart, &zero, 1), (std::vector<uint8_t>{0x05, 0x10, 0x01, 0x00, 0x00, 0xEF}));
  const std::vector<uint8_t> big(256, 0xAB);
  const std::vector<uint8_t> frame = BuildFrame(6, big.data(), big.size());
  ASSERT_EQ(frame.size(), 261u);
  EXPECT_EQ(frame[2], 0x00);
  EXPECT_EQ(frame[3], 0x01);
  uint8_t x = 0;
  for (std::size_t i = 1; i + 1 < frame.size(); ++i) x ^= frame[i];
  EXPECT_EQ(static_cast<uint8_t>(x + frame.back()), 0) << "the check byte negates the XOR";
}

TEST(Protocol, AreaCommands) {
  const std::pair<int, int> areas[] = {{1, 6}, {2, 1}, {3, 3}, {4, 8}, {5, 18}, {6, 22}, {7, 10}};
  for (const auto& [area, command] : areas) EXPECT_EQ(AreaWriteCommand(area), command) << area;
  EXPECT_FALSE(AreaWriteCommand(0));
  EXPECT_FALSE(AreaWriteCommand(8));
}

TEST(Protocol, PasswordPayloadStopsAtTheFirstZero) {
  ConfigurationImage image{};
  const uint8_t field[9] = {'a', 'b', 'c', 0, 'x', 'y', 'z', 'w', 'v'};
  std::copy(std::begin(field), std::end(field), image.begin() + 132);
  EXPECT_EQ(PasswordPayloadOf(image), (PasswordPayload{'a', 'b', 'c', 0, 0, 0, 0, 0, 0}));

  const uint8_t full[9] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  std::copy(std::begin(full), std::end(full), image.begin() + 132);
  EXPECT_EQ(PasswordPayloadOf(image), (PasswordPayload{'1', '2', '3', '4', '5', '6', '7', '8', 0}));

  EXPECT_EQ(PasswordPayloadOf(ConfigurationImage{}), PasswordPayload{});
}

TEST(Protocol, StatusTexts) {
  EXPECT_EQ(StatusTextOf(kCannotOpenPort), "Невозможно открыть ");
  EXPECT_EQ(StatusTextOf(kPortError), "Ошибка порта ");
  EXPECT_EQ(StatusTextOf(kRestartStarted), "Перезагрузка устройства инициированна");
  EXPECT_EQ(StatusTextOf(kPasswordRequired),
            "Взаимодействие запрещено без указания пароля, команды чтения/записи и ряд управляющих команд не могут "
            "быть выполнены");
}

}  // namespace
}  // namespace vkm
