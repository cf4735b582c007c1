#include "ui/dialogs/AboutBox.h"

#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrlQuery>
#include <QVBoxLayout>

#include "link/Identity.h"
#include "ui/dialogs/MakerContacts.h"

namespace vkm {
namespace {

constexpr int kClientWidth = 337;
constexpr int kClientHeight = 205;

QLabel* Link(const char* name, const QString& caption, const QUrl& url, QWidget* parent) {
  auto* label = new QLabel(QStringLiteral("<a href=\"%1\" style=\"color: blue\">%2</a>")
                               .arg(url.toString(QUrl::FullyEncoded), caption.toHtmlEscaped()),
                           parent);
  label->setObjectName(name);
  label->setCursor(Qt::PointingHandCursor);
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  QObject::connect(label, &QLabel::linkActivated, label, [url] { QDesktopServices::openUrl(url); });
  return label;
}

}  // namespace

QUrl TAboutBox::WebSiteUrl() { return QUrl(QString::fromLatin1(kMakerWebSite)); }

QUrl TAboutBox::SupportMailUrl() {
  QUrl url(QStringLiteral("mailto:") + QString::fromLatin1(kMakerSupportEmail));
  QUrlQuery query;
  query.addQueryItem(QStringLiteral("subject"), QStringLiteral("VKM530"));
  url.setQuery(query);
  return url;
}

TAboutBox::TAboutBox(const QString& mainCaption, QWidget* parent) : QDialog(parent) {
  setObjectName("TAboutBox");
  setWindowTitle(QString::fromUtf8("О программе"));
  setFixedSize(kClientWidth, kClientHeight);

  auto* panel = new QFrame(this);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  auto* icon = new QLabel(panel);
  icon->setObjectName("ProgramIcon");
  icon->setFixedSize(305, 36);
  icon->setAlignment(Qt::AlignCenter);
  icon->setText(QStringLiteral("<b>VKM</b>"));
  auto* name = new QLabel(mainCaption, panel);
  name->setObjectName("Label1");
  auto* version = new QLabel(QStringLiteral("Ver. 1.2.3"), panel);
  version->setObjectName("Label3");
  auto* served = new QLabel(QString::fromUtf8("для версии устройства") + " " + kSupportedModification + "." +
                                kSupportedFirmware,
                            panel);
  served->setObjectName("Label2");

  auto* versions = new QHBoxLayout;
  versions->addWidget(version);
  versions->addWidget(served);
  versions->addStretch();
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->addWidget(icon);
  panelLayout->addWidget(name);
  panelLayout->addLayout(versions);
  panelLayout->addWidget(Link("Label4", QString::fromLatin1(kMakerWebSite), WebSiteUrl(), panel));
  panelLayout->addWidget(Link("Label5", QString::fromUtf8("E-mail: ") + kMakerSupportEmail, SupportMailUrl(), panel));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace vkm
