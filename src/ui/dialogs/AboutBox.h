#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;

namespace vkm {

// "О программе": the program's name and version, the controller version it
// serves, and links to the maker's web site and support e-mail.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  // `mainCaption` is the main window's caption at the time of showing.
  TAboutBox(const QString& mainCaption, QWidget* parent = nullptr);

  static QUrl WebSiteUrl();
  static QUrl SupportMailUrl();
};

}  // namespace vkm
