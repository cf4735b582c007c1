#include "model/FactoryImage.h"

#include <cstring>
#include <initializer_list>
#include <string>

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"

namespace vkm {
namespace {

void PutBytes(ConfigurationImage& image, std::size_t offset, std::initializer_list<uint8_t> bytes) {
  std::memcpy(&image[offset], bytes.begin(), bytes.size());
}

void PutWords(ConfigurationImage& image, std::size_t offset, std::initializer_list<uint16_t> words) {
  for (uint16_t word : words) {
    PutU16(&image[offset], word);
    offset += 2;
  }
}

void Signature(ConfigurationImage& image) {
  image[0] = 0x01;
  std::memcpy(&image[1], "v.01.00", 8);  // with its terminating zero
}

void Connections(ConfigurationImage& image) {
  // Pause 10 s, SMS acknowledgement on, SMS and DTMF control only from the
  // list, dialling in a ring.
  image[kConnectionsCommonOffset] = 0x39;
  // SMS commands older than 30 minutes ignored, DATA calls V.110.
  image[kConnectionsCommonOffset + 1] = 0x1F;
  StoreText(&image[kDtmfPasswordOffset], kDtmfPasswordSize, "7029");
  StoreText(&image[kSmsPasswordOffset], kSmsPasswordSize, "mirk");

  for (int n = 1; n <= kConnectionRecords.count; ++n) {
    uint8_t* record = &image[kConnectionRecords.Offset(n)];
    record[16] = static_cast<uint8_t>((n - 1) * 4);  // group n, voice and SMS equal
    record[17] = 0x09;  // voice report kept 10 minutes, incoming call: menu with password
    record[25] = 0x09;  // SMS report kept 10 minutes
    record[26] = 0x05;  // Russian, user name in messages, channel disabled
  }
}

void Inputs(ConfigurationImage& image) {
  image[404] = 0x07;  // reserved byte before the inputs
  for (int n = 1; n <= kInputRecords.count; ++n) {
    uint8_t* record = &image[kInputRecords.Offset(n)];
    StoreText(record + 0, 17, "ВХОД" + std::to_string(n));
    StoreText(record + 17, 17, "АКТИВЕН");
    StoreText(record + 34, 17, "НЕАКТИВЕН");
    record[52] = 0x22;  // 240 ms averaging, active inside the zone
    record[54] = 0x40;  // no delay, outputs driven by the alarm event with blocking
    record[55] = 0x02;  // discrete input
    PutU16(record + 58, 1365);  // alarm zone borders
    PutU16(record + 60, 2730);
    record[63] = 0x02;
    PutFloat(record + 68, 0.0f);
    PutFloat(record + 72, n <= 4 ? 3.0f : n <= 7 ? 9.0f : 10.0f);
  }
}

void Outputs(ConfigurationImage& image) {
  for (int n = 1; n <= kOutputRecords.count; ++n) {
    uint8_t* record = &image[kOutputRecords.Offset(n)];
    StoreText(record + 0, 17, "ВЫХОД" + std::to_string(n));
    StoreText(record + 17, 17, "ВКЛ");
    StoreText(record + 34, 17, "ВЫКЛ");
    record[51] = 0xA0;  // level switching, enabled, remote control allowed
  }
}

void Scenarios(ConfigurationImage& image) {
  // Word 0: repetitions (0 endless, 1 once); then steps of 100 ms with the
  // level in bit 15, ended by the first zero duration.
  PutWords(image, kScenarioRecords.Offset(1), {0x0000, 0x8001, 0x0001, 0x0000});
  PutWords(image, kScenarioRecords.Offset(2), {0x0000, 0x8002, 0x0002, 0x8002, 0x0002, 0x0000});
  PutWords(image, kScenarioRecords.Offset(3), {0x0000, 0x8005, 0x0005, 0x800A, 0x000A, 0x0000});
  PutWords(image, kScenarioRecords.Offset(4), {0x0001, 0x8002, 0x0002, 0x8002, 0x0000});
  PutWords(image, kScenarioRecords.Offset(5), {0x0001, 0x0001, 0x8001, 0x0002, 0x8000});
  PutWords(image, kScenarioRecords.Offset(6), {0x0000, 0x8002, 0x0003, 0x0000});
  PutWords(image, kScenarioRecords.Offset(7), {0x0001, 0x8005, 0x0000});
  for (int s = 8; s <= kScenarioRecords.count; ++s) {
    PutWords(image, kScenarioRecords.Offset(s), {0x0001, 0x8001, 0x0000, 0x8000});
  }
}

void ClockAndPower(ConfigurationImage& image) {
  image[kClockOffset] = 4;  // GMT+4
  PutBytes(image, kPowerOffset, {0xC9, 0x00, 0x00, 0x00, 0x94, 0xA8, 0x00, 0x00, 0x00, 0x04,
                                 0x00, 0x00, 0x01, 0xE7, 0x3C, 0xEC, 0x00, 0xF1, 0x00});
  image[2055] = 0x01;  // reserved byte after the power section
}

void Gprs(ConfigurationImage& image) {
  // Always connected, 3 attempts, ping 3 min, pause 15 min, online 3 min.
  PutBytes(image, kGprsStrategyOffset, {0xFF, 0x1B, 0x03, 0x03});
  for (int n = 1; n <= kServerRecords.count; ++n) {
    // Server disabled; the high nibble of record 1 is the GPRS wait time (10 min).
    image[kServerRecords.Offset(n) + 40] = 0x90;
  }
}

void Registrator(ConfigurationImage& image) {
  // Record when any of: an hour passed, 100 m covered, 60 km/h reached.
  PutWords(image, kRegistratorOffset + 8, {3600, 100, 60});
}

void Perimeters(ConfigurationImage& image) {
  for (int k = 1; k <= kPerimeterRecords.count; ++k) {
    StoreText(&image[kPerimeterRecords.Offset(k)], 17, "ПЕРИМЕТР" + std::to_string(k));
  }
}

ConfigurationImage BuildFactoryImage() {
  ConfigurationImage image{};
  Signature(image);
  Connections(image);
  Inputs(image);
  Outputs(image);
  Scenarios(image);
  ClockAndPower(image);
  Gprs(image);
  Registrator(image);
  Perimeters(image);
  return image;
}

}  // namespace

const ConfigurationImage& FactoryImage() {
  static const ConfigurationImage image = BuildFactoryImage();
  return image;
}

}  // namespace vkm
