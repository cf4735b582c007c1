#include "ui/PanelPages.h"

#include "ui_Panel10.h"
#include "ui_PanelSIMMain.h"
#include "ui_PanelSIM.h"
#include "ui_Panel1.h"
#include "ui_Panel5.h"
#include "ui_PanelGPRSSharedPAr.h"
#include "ui_PanelServersPar.h"
#include "ui_Panel2.h"
#include "ui_Panel3.h"
#include "ui_PanelRegistrator.h"
#include "ui_PanelNavigation.h"
#include "ui_PanelArmIn.h"
#include "ui_Panel7.h"
#include "ui_Panel6.h"
#include "ui_Panel8.h"
#include "ui_Panel9.h"
#include "ui_Panel12.h"
#include "ui_Panel11.h"

namespace vkm {
namespace {

template <class Form>
std::unique_ptr<QWidget> Build() {
  auto page = std::make_unique<QWidget>();
  Form form;
  form.setupUi(page.get());
  return page;
}

}  // namespace

const QStringList& PanelNames() {
  static const QStringList names = {
      "Panel10",
      "PanelSIMMain",
      "PanelSIM",
      "Panel1",
      "Panel5",
      "PanelGPRSSharedPAr",
      "PanelServersPar",
      "Panel2",
      "Panel3",
      "PanelRegistrator",
      "PanelNavigation",
      "PanelArmIn",
      "Panel7",
      "Panel6",
      "Panel8",
      "Panel9",
      "Panel12",
      "Panel11",
  };
  return names;
}

std::unique_ptr<QWidget> CreatePanelPage(const QString& panelName) {
  if (panelName == "Panel10") return Build<Ui::Panel10>();
  if (panelName == "PanelSIMMain") return Build<Ui::PanelSIMMain>();
  if (panelName == "PanelSIM") return Build<Ui::PanelSIM>();
  if (panelName == "Panel1") return Build<Ui::Panel1>();
  if (panelName == "Panel5") return Build<Ui::Panel5>();
  if (panelName == "PanelGPRSSharedPAr") return Build<Ui::PanelGPRSSharedPAr>();
  if (panelName == "PanelServersPar") return Build<Ui::PanelServersPar>();
  if (panelName == "Panel2") return Build<Ui::Panel2>();
  if (panelName == "Panel3") return Build<Ui::Panel3>();
  if (panelName == "PanelRegistrator") return Build<Ui::PanelRegistrator>();
  if (panelName == "PanelNavigation") return Build<Ui::PanelNavigation>();
  if (panelName == "PanelArmIn") return Build<Ui::PanelArmIn>();
  if (panelName == "Panel7") return Build<Ui::Panel7>();
  if (panelName == "Panel6") return Build<Ui::Panel6>();
  if (panelName == "Panel8") return Build<Ui::Panel8>();
  if (panelName == "Panel9") return Build<Ui::Panel9>();
  if (panelName == "Panel12") return Build<Ui::Panel12>();
  if (panelName == "Panel11") return Build<Ui::Panel11>();
  return nullptr;
}

}  // namespace vkm
