#include "ui/InputMasks.h"

#include <QHash>

namespace vkm {

QString QtInputMask(const QString& mask) {
  const QStringList parts = mask.split(';');
  QString qt;
  const QString body = parts.value(0);
  for (qsizetype i = 0; i < body.size(); ++i) {
    const QChar c = body[i];
    if (c == '\\' && i + 1 < body.size()) {
      // A literal that is also a Qt mask character must stay escaped.
      const QChar literal = body[++i];
      qt += QStringLiteral("AaNnXx90Dd#HhBb<>!\\").contains(literal) ? QString('\\') + literal : QString(literal);
    } else if (c == '9') {
      qt += '0';  // optional digit
    } else if (c == '0') {
      qt += '9';  // required digit
    } else if (c == 'a') {
      qt += 'n';  // optional letter or digit
    } else if (c == 'A') {
      qt += 'N';
    } else if (c == 'l') {
      qt += 'a';  // optional letter
    } else if (c == 'L') {
      qt += 'A';
    } else if (c == 'c') {
      qt += 'x';  // optional character
    } else if (c == 'C') {
      qt += 'X';
    } else if (c == '#' || c == '>' || c == '<') {
      qt += c;
    } else if (c == '!') {
      // Dropping leading blanks is the model's job when it reads the text.
    } else if (QStringLiteral("NnXxDdHhBb").contains(c)) {
      qt += QString('\\') + c;  // a literal in the original, a mask character in Qt
    } else {
      qt += c;
    }
  }
  const QString blank = parts.size() > 2 && !parts[2].isEmpty() ? parts[2].left(1) : QStringLiteral(" ");
  return qt + ';' + blank;
}

QString InputMaskOf(const QString& controlName) {
  static const QHash<QString, QString> kMasks = {
      {"MaskEditPIN", "99999999;1; "},
      {"MaskEditSysPassword", "aaaaaaaa;1; "},
      {"MaskEditDTMFPass", "9999;1; "},
      {"MaskEditPassword", "aaaaaaaa;1; "},
      {"MaskEditPhone", "#99999999999999;1; "},
      {"MaskEditDNS1", "!999\\.999\\.999\\.999;1; "},
      {"MaskEditDNS2", "!999\\.999\\.999\\.999;1; "},
      {"MaskEditServerIPAddr", "!999.999.999.999;1; "},
      {"MaskEditServerPort", "!99999;1; "},
      {"MaskEditConnectingPeriod_x5m", "!9999\\ Мин.;1; "},
      {"MaskEditBlockTimeAtConnFault_min", "!9999\\ Мин.;1; "},
      {"MaskEditGPSAndTime_Sec", "!99999\\ Сек.;1; "},
      {"MaskEditGPSOrTime_Sec", "!99999\\ Сек.;1; "},
      {"MaskEditGPSAndDist_M", "!99999\\ М.;1; "},
      {"MaskEditGPSOrDist_M", "!99999\\ М.;1; "},
      {"MaskEditGPSAndSpeed_Km_H", "!999\\ Км.\\-ч.;1; "},
      {"MaskEditGPSOrSpeed_Km_H", "!999\\ Км.\\-ч.;1; "},
  };
  const auto found = kMasks.find(controlName);
  return found == kMasks.end() ? QString() : QtInputMask(*found);
}

QString GridCellMask(const QString& gridName, int column) {
  if (gridName == "StringGrid1" && column == 1) return QtInputMask("!>aaaaaaaaaaaaaaaa;1; ");
  if (gridName == "StringGrid1" && column == 2) return QtInputMask("aaaaaaaaaaaaaaaa;0; ");
  if (gridName == "StringGrid3" && column == 2) return QtInputMask("!99:99;1;-");
  if (gridName == "StringGrid2" && column >= 2) return QtInputMask("99999;0; ");
  return QString();
}

}  // namespace vkm
