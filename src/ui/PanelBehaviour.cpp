#include "ui/PanelBehaviour.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "model/ItemLists.h"
#include "model/SectionTree.h"
#include "ui/InputMasks.h"
#include "ui/MainWindow.h"
#include "ui/MaskedCellDelegate.h"
#include "ui/PanelBinding.h"
#include "ui/ScenarioGrid.h"

namespace vkm {
namespace {

constexpr int kHostNameLength = 33;

template <class Widget>
Widget* Child(QWidget* page, const char* name) {
  return page ? page->findChild<Widget*>(QString::fromLatin1(name)) : nullptr;
}

void SetEnabled(QWidget* page, std::initializer_list<const char*> names, bool enabled) {
  for (const char* name : names) {
    if (QWidget* widget = Child<QWidget>(page, name)) widget->setEnabled(enabled);
  }
}

QStringList Texts(const Items& items) {
  QStringList texts;
  for (const std::string& item : items) texts << QString::fromStdString(item);
  return texts;
}

// The key code and the user name share what the narrow columns leave of
// the visible width, whenever the grid changes size.
class TouchKeyColumnFitter : public QObject {
 public:
  explicit TouchKeyColumnFitter(QTableWidget* grid) : QObject(grid), grid_(grid) { grid->installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == grid_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) Fit();
    return false;
  }

 private:
  void Fit() {
    const int narrow[] = {24, 20, 20};  // the number column holds two digits
    const int codeWidth = (grid_->viewport()->width() - narrow[0] - narrow[1] - narrow[2]) / 2;
    const int widths[] = {narrow[0], codeWidth, codeWidth, narrow[1], narrow[2]};
    for (int column = 0; column < 5; ++column) grid_->setColumnWidth(column, widths[column]);
  }

  QTableWidget* grid_;
};

void SetUpTouchKeyGrid(QTableWidget* grid) {
  new TouchKeyColumnFitter(grid);
  grid->setTextElideMode(Qt::ElideNone);
  grid->horizontalHeader()->setMinimumSectionSize(10);
  grid->verticalHeader()->setDefaultSectionSize(20);
  // The narrow row header is the handle by which rows are dragged.
  grid->verticalHeader()->setVisible(true);
  grid->verticalHeader()->setFixedWidth(10);
  grid->verticalHeader()->setSectionsMovable(true);
  for (int row = 0; row < grid->rowCount(); ++row) grid->setVerticalHeaderItem(row, new QTableWidgetItem);
  grid->setItemDelegate(new MaskedCellDelegate(
      "StringGrid1", [](int, int column) { return column == 1 || column == 2; }, grid));
}

void SetUpSchedulerGrid(QTableWidget* grid) {
  grid->horizontalHeader()->setMinimumSectionSize(10);
  const int widths[] = {25, 20, 46, 20, 20, 20, 20, 20, 20, 20, 40, 40, 180, 120};
  for (int column = 0; column < 14; ++column) grid->setColumnWidth(column, widths[column]);
  grid->verticalHeader()->setDefaultSectionSize(22);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setItemDelegate(new MaskedCellDelegate("StringGrid3", [](int, int column) { return column == 2; }, grid));
}

}  // namespace

void SetUpPage(QWidget* page) {
  for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
    const QString mask = InputMaskOf(edit->objectName());
    if (!mask.isEmpty()) edit->setInputMask(mask);
  }
  // A form cannot limit the text of an editable combo box; it names the
  // limit in a property.
  for (QComboBox* box : page->findChildren<QComboBox*>()) {
    if (box->isEditable() && box->property("maxLength").isValid()) {
      box->lineEdit()->setMaxLength(box->property("maxLength").toInt());
    }
  }
  if (auto* grid = Child<QTableWidget>(page, "StringGrid1")) SetUpTouchKeyGrid(grid);
  if (auto* grid = Child<QTableWidget>(page, "StringGrid3")) SetUpSchedulerGrid(grid);
}

void PrepareControllerPanel(QWidget* page) {
  if (auto* outputs = Child<QComboBox>(page, "ComboBoxTestOut")) {
    outputs->clear();
    outputs->addItems(Texts(OutputItems()));
    outputs->setCurrentIndex(0);
  }
  if (auto* scenarios = Child<QComboBox>(page, "ComboBoxTestScen")) {
    scenarios->clear();
    scenarios->addItems(Texts(ScenarioNames()));
    scenarios->setCurrentIndex(0);
  }
  if (auto* status = Child<QLabel>(page, "ActionName")) status->clear();
}

void PrepareScenarioGrid(QWidget* page) {
  if (auto* grid = page->findChild<ScenarioGrid*>("StringGrid2")) grid->PrepareForSection();
}

void ClearTouchActionDescription(QWidget* page) {
  if (auto* label = Child<QLabel>(page, "LabelTouchActionDiscription")) label->clear();
}

void ApplyDependentState(QWidget* page, int node, const PanelSet& panels) {
  if (!page) return;
  if (node == kNodeConnectionsCommon) {
    SetEnabled(page, {"MaskEditSysPassword", "Label84"}, panels.connectionsCommon.CheckBoxSysPassword);
  } else if (node >= kNodeConnection1 && node < kNodeGprsCommon) {
    if (auto* box = Child<QComboBox>(page, "ComboBoxIncomungCallAction")) {
      box->setToolTip(QString::fromStdString(panels.connection.ComboBoxIncomungCallActionHint));
    }
    if (auto* box = Child<QComboBox>(page, "ComboBoxTransportPriority")) {
      box->setToolTip(QString::fromStdString(panels.connection.ComboBoxTransportPriorityHint));
    }
  } else if (node == kNodeGprsCommon) {
    SetEnabled(page, {"Label147", "MaskEditConnectingPeriod_x5m"}, ConnectingPeriodEnabled(panels.gprsCommon));
    SetEnabled(page, {"Label146", "ComboBoxOnlineTime_min"}, OnlineTimeEnabled(panels.gprsCommon));
  } else if (node >= kNodeServer1 && node < kNodeClock) {
    if (auto* address = Child<QLineEdit>(page, "MaskEditServerIPAddr")) {
      const bool ip = panels.server.ComboBoxDestType == 0;
      // The model's text: the edit, still in the form of the previous type,
      // may have mangled it (a host name in an IP address mask).
      const QString text = QString::fromStdString(panels.server.MaskEditServerIPAddr);
      address->setInputMask(ip ? InputMaskOf("MaskEditServerIPAddr") : QString());
      // Removing a mask also removes the length limit of a host name.
      if (!ip) address->setMaxLength(kHostNameLength);
      address->setText(text);
    }
  } else if (node == kNodeClock) {
    if (auto* grid = Child<QTableWidget>(page, "StringGrid3")) {
      for (int row = 1; row <= grid->rowCount(); ++row) {
        if (QWidget* reaction = GridCellControl(grid, row - 1, 13)) {
          reaction->setVisible(SchedulerReactionVisible(panels.clock, row));
        }
      }
    }
  } else if (node == kNodeScenarios) {
    if (auto* grid = Child<QTableWidget>(page, "StringGrid2")) grid->horizontalHeader()->viewport()->update();
  }
}

void ConnectPageButtons(TForm1& window, PanelSet& panels) {
  // The controls of the visible section around a change made to its model.
  const auto changeModel = [&window, &panels](int node, const std::function<void()>& change) {
    QWidget* page = window.Page(node);
    const Controls controls = ListControls(panels, node);
    PanelBinding::FromWidgets(page, controls);
    change();
    PanelBinding::ToWidgets(page, controls);
    ApplyDependentState(page, node, panels);
  };

  QWidget* sim = window.Page(kNodeSim1);
  const std::pair<const char*, BalancePreset> presets[] = {{"RadioButton1", BalancePreset::Mts},
                                                           {"RadioButton2", BalancePreset::Beeline},
                                                           {"RadioButton3", BalancePreset::Megafon},
                                                           {"RadioButton4", BalancePreset::Tele2}};
  for (const auto& [name, preset] : presets) {
    if (auto* button = Child<QRadioButton>(sim, name)) {
      QObject::connect(button, &QRadioButton::clicked, button, [&window, &panels, changeModel, preset = preset] {
        changeModel(window.SelectedNode(), [&panels, preset] { ApplyBalancePreset(panels.sim, preset); });
      });
    }
  }

  if (auto* defaults = Child<QPushButton>(window.Page(kNodeGprsCommon), "Button41")) {
    QObject::connect(defaults, &QPushButton::clicked, defaults, [&window, &panels, changeModel] {
      changeModel(kNodeGprsCommon, [&window, &panels] { RestoreGprsDefaults(panels.gprsCommon, window.Document()); });
    });
  }

  QWidget* systemParameters = window.Page(kNodeSystemParameters);
  if (auto* allow = Child<QPushButton>(systemParameters, "Button1")) {
    QObject::connect(allow, &QPushButton::clicked, allow, [systemParameters, allow] {
      if (auto* cover = Child<QFrame>(systemParameters, "Panel13")) cover->hide();
      allow->setEnabled(false);
    });
  }

  if (auto* keys = Child<QTableWidget>(window.Page(kNodeArmIn), "StringGrid1")) {
    QHeaderView* handle = keys->verticalHeader();
    QObject::connect(handle, &QHeaderView::sectionMoved, keys,
                     [&panels, changeModel, handle](int, int from, int to) {
                       // The model moves the row; the table shows it in its new place.
                       const QSignalBlocker blocker(handle);
                       handle->moveSection(to, from);
                       changeModel(kNodeArmIn, [&panels, from, to] { MoveTouchKeyRow(panels.armIn, from + 1, to + 1); });
                     });
  }

  if (auto* scenarios = Child<QTableWidget>(window.Page(kNodeScenarios), "StringGrid2")) {
    scenarios->setItemDelegate(new MaskedCellDelegate(
        "StringGrid2",
        [&panels](int row, int column) { return ScenarioCellEditable(panels.scenarios, row + 1, column); }, scenarios));
    QObject::connect(scenarios, &QTableWidget::cellDoubleClicked, scenarios, [&panels, changeModel](int row, int column) {
      changeModel(kNodeScenarios, [&panels, row, column] { ToggleScenarioCell(panels.scenarios, row + 1, column); });
    });
  }
}

}  // namespace vkm
