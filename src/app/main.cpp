// vkm-configurator: the configurator's window.
//
//   vkm-configurator [--port NAME]

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLockFile>
#include <QMessageBox>
#include <QStandardPaths>

#include "ui/MainWindow.h"

namespace {

const char kApplicationTitle[] = "VKM Configurator";

// Only one configurator runs at a time, whatever its directory.
QString LockFilePath() {
  QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (directory.isEmpty()) directory = QDir::tempPath();
  return directory + "/vkm-configurator.lock";
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  application.setApplicationName(kApplicationTitle);

  QCommandLineParser parser;
  parser.addHelpOption();
  const QCommandLineOption port("port", "Serial port for this run (not remembered).", "NAME");
  parser.addOption(port);
  parser.process(application);

  QLockFile lock(LockFilePath());
  if (!lock.tryLock(0)) {
    QMessageBox::warning(nullptr, kApplicationTitle, QString::fromUtf8("Программа уже запущена"));
    return 0;
  }

  vkm::TForm1::Options options;
  options.portOverride = parser.value(port);
  vkm::TForm1 window(options);
  window.show();
  return application.exec();
}
