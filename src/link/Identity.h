#pragma once

// The controller's 88-byte identity record, the texts the window shows for
// it, and the checks that the controller is one this program supports.

#include <QString>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace vkm {

constexpr int kIdentitySize = 88;
using IdentityRecord = std::array<uint8_t, kIdentitySize>;

inline constexpr char kSupportedDevice[] = "VKM410";
inline constexpr char kSupportedModification[] = "G";
inline constexpr char kSupportedFirmware[] = "01.00";

struct IdentityTexts {
  QString iDeviceNameLabel;
  QString iModificationLabel;
  QString iHardVerLabel;
  QString iSoftVerLabel;
  QString iBLLabel;
  QString iDateLabel;
  QString iLabelCountryCode;
  QString iLabelDevSNLocked;
  QString iGSMIMEILabel;
  QString iLabelDevSN;

  // Status bar panel 2: modification "." firmware version, e.g. G.01.00.
  QString VersionText() const { return iModificationLabel + "." + iSoftVerLabel; }
  // The ten labels by name, in the order of the record.
  std::vector<std::pair<QString, QString>> Labels() const;
};

IdentityTexts IdentityTextsOf(const IdentityRecord& record);
// What the window shows while no controller answers.
IdentityRecord PlaceholderIdentity();

bool IsDeviceSupported(const IdentityTexts& identity);
bool IsVersionSupported(const IdentityTexts& identity);

// "01.00" for 0x0100; "--.--" for 0.
QString VersionText(uint16_t version);

}  // namespace vkm
