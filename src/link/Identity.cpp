#include "link/Identity.h"

#include <QStringList>
#include <cstring>
#include <string>

#include "model/Cp1251.h"
#include "model/ImageEncoding.h"

namespace vkm {
namespace {

QString RecordText(const IdentityRecord& record, std::size_t offset, std::size_t maxChars) {
  const auto* begin = reinterpret_cast<const char*>(record.data() + offset);
  const std::size_t length = ::strnlen(begin, maxChars);
  return QString::fromStdString(Cp1251ToUtf8(std::string_view(begin, length)));
}

QString IdentifierText(const IdentityRecord& record, std::size_t offset, const QString& allZero) {
  uint32_t numbers[4];
  for (int i = 0; i < 4; ++i) numbers[i] = GetU32(record.data() + offset + 4 * i);
  if ((numbers[0] | numbers[1] | numbers[2] | numbers[3]) == 0) return allZero;
  return QString::asprintf("%010u %010u\r\n %010u %010u", numbers[0], numbers[1], numbers[2], numbers[3]);
}

void PutText(IdentityRecord& record, std::size_t offset, const char* text) {
  std::memcpy(record.data() + offset, text, std::strlen(text));
}

}  // namespace

QString VersionText(uint16_t version) {
  if (version == 0) return QStringLiteral("--.--");
  return QString::asprintf("%02X.%02X", version >> 8, version & 0xFF);
}

IdentityTexts IdentityTextsOf(const IdentityRecord& record) {
  IdentityTexts texts;
  texts.iDeviceNameLabel = RecordText(record, 0, 8);
  texts.iModificationLabel = RecordText(record, 9, 8);
  texts.iHardVerLabel = VersionText(GetU16(record.data() + 18));
  texts.iSoftVerLabel = VersionText(GetU16(record.data() + 20));
  texts.iBLLabel = VersionText(GetU16(record.data() + 22));
  texts.iDateLabel = RecordText(record, 24, 11);
  texts.iLabelCountryCode = RecordText(record, 36, 3);
  texts.iLabelDevSNLocked = IdentifierText(record, 40, QString(48, ' ') + "-");
  texts.iGSMIMEILabel = RecordText(record, 56, 15);
  texts.iLabelDevSN = IdentifierText(record, 72, QStringLiteral("- - - - - - - -  - - - - - - - -\r\n  - - - - - - - -  - - - - - - - -"));
  return texts;
}

std::vector<std::pair<QString, QString>> IdentityTexts::Labels() const {
  return {
      {"iDeviceNameLabel", iDeviceNameLabel}, {"iModificationLabel", iModificationLabel},
      {"iHardVerLabel", iHardVerLabel},       {"iSoftVerLabel", iSoftVerLabel},
      {"iBLLabel", iBLLabel},                 {"iDateLabel", iDateLabel},
      {"iLabelCountryCode", iLabelCountryCode}, {"iLabelDevSNLocked", iLabelDevSNLocked},
      {"iGSMIMEILabel", iGSMIMEILabel},       {"iLabelDevSN", iLabelDevSN},
  };
}

IdentityRecord PlaceholderIdentity() {
  IdentityRecord record{};
  PutText(record, 0, "--------");
  PutText(record, 9, "--------");
  PutText(record, 24, "-----------");
  PutText(record, 36, "---");
  PutText(record, 56, "---------------");
  return record;
}

bool IsDeviceSupported(const IdentityTexts& identity) { return identity.iDeviceNameLabel == kSupportedDevice; }

bool IsVersionSupported(const IdentityTexts& identity) {
  static const QStringList kSupportedVersions = {QString(kSupportedModification) + "." + kSupportedFirmware};
  return kSupportedVersions.contains(identity.VersionText());
}

}  // namespace vkm
