// ui-preview: renders one section panel, filled from the factory
// configuration, to a PNG file, so that a panel's layout can be looked at
// without a display.
//
//   ui-preview PANEL NODE FILE.png

#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "model/PanelSet.h"
#include "ui/PanelBinding.h"
#include "ui/PanelPages.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: ui-preview PANEL NODE FILE.png\npanels: %s\n",
                 vkm::PanelNames().join(' ').toUtf8().constData());
    return 2;
  }
  std::unique_ptr<QWidget> page = vkm::CreatePanelPage(QString::fromUtf8(argv[1]));
  if (!page) {
    std::fprintf(stderr, "ui-preview: no panel %s\n", argv[1]);
    return 2;
  }
  vkm::ConfigurationDocument document;
  vkm::PanelSet panels;
  const int node = std::atoi(argv[2]);
  vkm::ImageToPanel(document, node, panels);
  vkm::PanelBinding::ToWidgets(page.get(), vkm::ListControls(panels, node));
  page->setFixedSize(714, 496);
  page->show();
  return page->grab().save(QString::fromUtf8(argv[3])) ? 0 : 1;
}
