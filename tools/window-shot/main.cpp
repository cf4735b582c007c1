// window-shot: renders the main window off screen to a PNG file, with a
// given section selected, for the README and for looking at layouts.
//
//   window-shot FILE.png [NODE]

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "ui/MainWindow.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: window-shot FILE.png [NODE]\n");
    return 2;
  }
  const QString output = QDir::current().absoluteFilePath(QString::fromUtf8(argv[1]));
  // The window reads and writes its files in the current directory.
  QTemporaryDir scratch;
  QDir::setCurrent(scratch.path());
  vkm::TForm1 window({});
  if (argc == 3) window.SelectNode(std::atoi(argv[2]));
  window.show();
  QApplication::processEvents();
  return window.grab().save(output) ? 0 : 1;
}
