// Every control the panels are made of exists in the window, under its
// name, as the kind of widget that can hold its value; the menus carry the
// actions with their captions, hints and keys.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTreeWidget>

#include "EditorWindowFixture.h"
#include "model/PanelSet.h"
#include "model/SectionTree.h"

namespace vkm::test {
namespace {

using ControlsTest = EditorWindowTest;

QStringList Texts(const Items& items) {
  QStringList texts;
  for (const std::string& item : items) texts << QString::fromStdString(item);
  return texts;
}

QStringList ItemsOf(const QComboBox& box) {
  QStringList texts;
  for (int i = 0; i < box.count(); ++i) texts << box.itemText(i);
  return texts;
}

// An edit's up-down button is part of the spin box named after the edit.
QWidget* WidgetOfControl(QWidget* page, const std::string& name) {
  const QString control = QString::fromStdString(name);
  if (QWidget* widget = page->findChild<QWidget*>(control)) return widget;
  if (control.startsWith("UpDown")) return page->findChild<QSpinBox*>("Edit" + control.mid(6));
  return nullptr;
}

// What is wrong with `widget` as the widget of `control` on its section
// (empty when nothing is).
std::string KindProblem(const ControlRef& control, QWidget* widget) {
  auto* box = qobject_cast<QComboBox*>(widget);
  auto* check = qobject_cast<QCheckBox*>(widget);
  switch (control.kind) {
    case ControlKind::Text:
      if (control.displayOnly) {
        return qobject_cast<QLabel*>(widget) || qobject_cast<QGroupBox*>(widget) ? "" : "not a label or group box";
      }
      if (control.items) {
        if (!box || !box->isEditable()) return "not an editable combo box";
        return ItemsOf(*box) == Texts(*control.items) ? "" : "suggestions differ from the panel's";
      }
      if (box) return box->isEditable() ? "" : "a drop-down list for a text";
      return qobject_cast<QLineEdit*>(widget) || qobject_cast<QSpinBox*>(widget) ? "" : "not an edit";
    case ControlKind::ComboIndex:
      if (!box || box->isEditable()) return "not a drop-down list";
      return ItemsOf(*box) == Texts(*control.items) ? "" : "items differ from the panel's";
    case ControlKind::CheckBox:
      return check && !check->isTristate() ? "" : "not a two-state check box";
    case ControlKind::ThreeState:
      return check && check->isTristate() ? "" : "not a three-state check box";
    case ControlKind::Position:
      if (auto* slider = qobject_cast<QSlider*>(widget)) {
        return slider->minimum() == control.minimum && slider->maximum() == control.maximum ? "" : "wrong range";
      }
      if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        return spin->minimum() == control.minimum && spin->maximum() == control.maximum ? "" : "wrong range";
      }
      return "not a slider or spin box";
    case ControlKind::Memo: {
      auto* memo = qobject_cast<QPlainTextEdit*>(widget);
      return memo && memo->isReadOnly() ? "" : "not a read-only memo";
    }
    case ControlKind::Grid: {
      auto* table = qobject_cast<QTableWidget*>(widget);
      if (!table) return "not a table";
      const Grid& grid = *std::get<Grid*>(control.field);
      return table->rowCount() == grid.RowCount() && table->columnCount() == grid.ColumnCount() ? ""
                                                                                                : "wrong size";
    }
  }
  return "unknown kind";
}

TEST_F(ControlsTest, EveryControlOfEveryPanelIsAWidgetOfItsKind) {
  TForm1& window = Open();
  PanelSet panels;
  for (int node = 0; node < kNodeCount; ++node) {
    window.SelectNode(node);
    QWidget* page = window.Page(node);
    ASSERT_NE(page, nullptr) << node;
    for (const ControlRef& control : ListControls(panels, node)) {
      QWidget* widget = WidgetOfControl(page, control.name);
      ASSERT_NE(widget, nullptr) << "section " << node << ": no widget " << control.name;
      EXPECT_EQ(KindProblem(control, widget), "") << "section " << node << ": " << control.name;
    }
  }
}

enum class Kind { Label, GroupBox, Edit, Button, RadioButton, CheckBox, DropDown, ProgressBar, Memo, Frame };

bool IsKind(QWidget* widget, Kind kind) {
  switch (kind) {
    case Kind::Label: return qobject_cast<QLabel*>(widget);
    case Kind::GroupBox: return qobject_cast<QGroupBox*>(widget);
    case Kind::Edit: return qobject_cast<QLineEdit*>(widget);
    case Kind::Button: return qobject_cast<QPushButton*>(widget);
    case Kind::RadioButton: return qobject_cast<QRadioButton*>(widget);
    case Kind::CheckBox: return qobject_cast<QCheckBox*>(widget);
    case Kind::DropDown: {
      auto* box = qobject_cast<QComboBox*>(widget);
      return box && !box->isEditable();
    }
    case Kind::ProgressBar: return qobject_cast<QProgressBar*>(widget);
    case Kind::Memo: return qobject_cast<QPlainTextEdit*>(widget);
    case Kind::Frame: return qobject_cast<QFrame*>(widget) && !qobject_cast<QLabel*>(widget);
  }
  return false;
}

TEST_F(ControlsTest, NamedControlsBesideThePanelValuesExist) {
  struct Case {
    int node;
    const char* name;
    Kind kind;
  };
  const Case cases[] = {
      {kNodeController, "Label30", Kind::Label},
      {kNodeController, "ActionName", Kind::Label},
      {kNodeController, "ProgressBar1", Kind::ProgressBar},
      {kNodeController, "CheckBoxClearSaveArea", Kind::CheckBox},
      {kNodeController, "ComboBoxTestOut", Kind::DropDown},
      {kNodeController, "ComboBoxTestScen", Kind::DropDown},
      {kNodeController, "GroupBoxMaunPerimInfo", Kind::GroupBox},
      {kNodeController, "iDeviceNameLabel", Kind::Label},
      {kNodeController, "iModificationLabel", Kind::Label},
      {kNodeController, "iHardVerLabel", Kind::Label},
      {kNodeController, "iSoftVerLabel", Kind::Label},
      {kNodeController, "iDateLabel", Kind::Label},
      {kNodeController, "iLabelCountryCode", Kind::Label},
      {kNodeController, "iLabelDevSNLocked", Kind::Label},
      {kNodeController, "iGSMIMEILabel", Kind::Label},
      {kNodeController, "iBLLabel", Kind::Label},
      {kNodeController, "iLabelDevSN", Kind::Label},
      {kNodeSim1, "Label34", Kind::Label},
      {kNodeSim1, "RadioButton1", Kind::RadioButton},
      {kNodeSim1, "RadioButton2", Kind::RadioButton},
      {kNodeSim1, "RadioButton3", Kind::RadioButton},
      {kNodeSim1, "RadioButton4", Kind::RadioButton},
      {kNodeSim1, "StaticText1", Kind::Label},
      {kNodeConnectionsCommon, "Label15", Kind::Label},
      {kNodeConnectionsCommon, "Label84", Kind::Label},
      {kNodeConnectionsCommon, "CheckBoxSysPassword", Kind::CheckBox},
      {kNodeConnectionsCommon, "LabelSharedParWarningMsg", Kind::Label},
      {kNodeConnection1, "Label74", Kind::Label},
      {kNodeGprsCommon, "Label146", Kind::Label},
      {kNodeGprsCommon, "Label147", Kind::Label},
      {kNodeGprsCommon, "Button41", Kind::Button},
      {kNodeClock, "Label5", Kind::Label},
      {kNodeClock, "MaskEditContrCurTime", Kind::Edit},
      {kNodeClock, "Button2", Kind::Button},
      {kNodeClock, "Button3", Kind::Button},
      {kNodePower, "Label23", Kind::Label},
      {kNodePower, "Label4", Kind::Label},
      {kNodePower, "Label14", Kind::Label},
      {kNodePower, "LabelHiBorder", Kind::Label},
      {kNodePower, "LabelLowBorder", Kind::Label},
      {kNodeArmIn, "Label21", Kind::Label},
      {kNodeArmIn, "LabelTouchActionDiscription", Kind::Label},
      {kNodeInput1, "Label10", Kind::Label},
      {kNodeOutputs, "Label1", Kind::Label},
      {kNodeOutput1, "Label6", Kind::Label},
      {kNodeOutput1, "GroupBoxRsOutsStimulus", Kind::GroupBox},
      {kNodeScenarios, "Label79", Kind::Label},
      {kNodeScenarios, "Memo2", Kind::Memo},
      {kNodeSystemParameters, "Label86", Kind::Label},
      {kNodeSystemParameters, "Panel13", Kind::Frame},
      {kNodeSystemParameters, "Button1", Kind::Button},
      {kNodeSystemParameters, "BitBtnReadSysPar", Kind::Button},
      {kNodeSystemParameters, "BitBtnProgSysPar", Kind::Button},
      {kNodeSystemParameters, "LabelSysParMsg", Kind::Label},
      {kNodeSystemParameters, "ProgressBarSysPar", Kind::ProgressBar},
  };
  TForm1& window = Open();
  for (const Case& c : cases) {
    QWidget* widget = window.Page(c.node)->findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_NE(widget, nullptr) << c.name;
    EXPECT_TRUE(IsKind(widget, c.kind)) << c.name << " is a " << widget->metaObject()->className();
    EXPECT_FALSE(widget->isHidden()) << c.name;
  }
  EXPECT_NE(window.findChild<QTreeWidget*>("TreeView1"), nullptr);
  EXPECT_NE(window.findChild<QStatusBar*>("StatusBar1"), nullptr);
  EXPECT_TRUE(Control<QPlainTextEdit>(kNodeScenarios, "Memo2").isReadOnly());
}

TEST_F(ControlsTest, ControlsThatAreNeverStoredExistHidden) {
  const std::pair<int, const char*> hidden[] = {
      {kNodeSim1, "MaskEditSMSCA"}, {kNodeConnectionsCommon, "LabelDevId"}, {kNodeConnectionsCommon, "MaskEditDevId"}};
  TForm1& window = Open();
  for (const auto& [node, name] : hidden) {
    window.SelectNode(node);
    QWidget* widget = window.Page(node)->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(widget, nullptr) << name;
    EXPECT_TRUE(widget->isHidden()) << name;
    EXPECT_FALSE(widget->isVisible()) << name;
  }
}

TEST_F(ControlsTest, ActionsCarryTheirCaptionsHintsAndKeys) {
  struct Case {
    const char* name;
    const char* text;
    const char* hint;  // nullptr: none given
    QKeySequence key;
  };
  const Case cases[] = {
      {"FileNew1", "Установить стандартную конфигурацию", "Установить стандартную конфигурацию", {}},
      {"FileOpen1", "Открыть файл конфигурации...", "Открыть файл конфигурации", {}},
      {"FileSave1", "Сохранить текущую конфигурацию в файл...", "Сохранить текущую конфигурацию в файл", {}},
      {"N7", "Закрыть", nullptr, {}},
      {"ComPortConfig", "COM порт...", "Настройка COM порта", {}},
      {"Programm", "Программировать", "Загрузить конфигурацию в контроллер и перезапустить", QKeySequence(Qt::Key_F5)},
      {"ReadConf", "Считать конфигурацию", "Считать конфигурацию контроллера", QKeySequence(Qt::Key_F6)},
      {"CompareConf", "Сравнить конфигурацию", "Сравнить текущую конфигурацию с конфигурацией контроллера",
       QKeySequence(Qt::Key_F7)},
      {"ReadIMEICode", "Считать IMEI контроллера в буфер обмена", nullptr, QKeySequence(Qt::Key_F10)},
      {"Reconfigurate", "Реконфигурировать", "Загрузить конфигурацию в контроллер, без перезапуска", {}},
      {"Reset", "Перезапустить (Системный сброс)", "Перезапустить контроллер", {}},
      {"FactoryConfig", "Восстановить заводскую конфигурацию", nullptr, {}},
      {"Abaut", "О программе...", nullptr, {}},
  };
  Open();
  for (const Case& c : cases) {
    QAction& action = Action(c.name);
    EXPECT_EQ(action.text(), U(c.text)) << c.name;
    if (c.hint) {
      EXPECT_EQ(action.toolTip(), U(c.hint)) << c.name;
    }
    EXPECT_EQ(action.shortcut(), c.key) << c.name;
  }
}

TEST_F(ControlsTest, MenusHoldTheActionsInOrderWithTheirSeparators) {
  const std::pair<const char*, QStringList> menus[] = {
      {"Файл", {"FileNew1", "FileOpen1", "FileSave1", "-", "N7"}},
      {"Настройка", {"ComPortConfig"}},
      {"Контроллер",
       {"Programm", "ReadConf", "CompareConf", "-", "ReadIMEICode", "-", "Reconfigurate", "Reset", "FactoryConfig"}},
      {"?", {"Abaut"}},
  };
  TForm1& window = Open();
  const QList<QAction*> bar = window.menuBar()->actions();
  ASSERT_EQ(bar.size(), 4);
  for (qsizetype m = 0; m < bar.size(); ++m) {
    const auto& [title, expected] = menus[m];
    EXPECT_EQ(bar[m]->text(), U(title));
    ASSERT_NE(bar[m]->menu(), nullptr) << title;
    QStringList names;
    for (QAction* action : bar[m]->menu()->actions()) names << (action->isSeparator() ? "-" : action->objectName());
    EXPECT_EQ(names, expected) << title;
  }
}

}  // namespace
}  // namespace vkm::test
