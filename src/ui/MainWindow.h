#pragma once

// The main window: the section tree on the left, the panel of the selected
// section on the right, menus, tool bar and a status bar of four panels.

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>

#include "model/ConfigurationDocument.h"
#include "model/PanelSet.h"
#include "ui/PanelBinding.h"
#include "ui/UserDialogs.h"

class QAction;
class QLabel;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace vkm {

inline constexpr char kWindowCaption[] = "Конфигуратор GSM контроллера VKM410";

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  struct Options {
    QString portOverride;       // --port NAME: used for this run, not written back
    UserDialogs* dialogs = nullptr;  // the window's own when none is given
  };

  explicit TForm1(const Options& options, QWidget* parent = nullptr);
  ~TForm1() override;

  ConfigurationDocument& Document() { return document_; }
  int SelectedNode() const { return lastNode_; }
  void SelectNode(int node);
  QString PortName() const { return portName_; }
  QString StatusPanelText(int panel) const;
  QWidget* Page(int node) const;

  // Writes the visible panel into the document, and fills it back.
  void StorePanel();
  void RefillPanel();

  void LockActions();
  void UnlockActions();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildActions();
  void BuildMenusAndToolBar();
  void BuildStatusBar();
  void BuildTree();
  void BuildPages();
  void FormCreate();

  void TreeView1Change(int node);
  void PrepareSection(int node);
  void ShowPanelValues(int node);
  void RefreshDependentControls();
  void SetDeviceActionsEnabled(bool enabled);
  void SetStatusPanel(int panel, const QString& text);

  void FileSave1Execute();
  void FileOpen1Execute();
  void FileNew1Execute();
  void AbautExecute();

  ConfigurationDocument document_;
  PanelSet panels_;
  PanelBinding binding_;
  int lastNode_ = -1;
  QString startDirectory_;
  QString portName_;
  QString settingsPortName_;  // what the settings file is to keep
  std::unique_ptr<UserDialogs> ownDialogs_;
  UserDialogs* dialogs_;

  QTreeWidget* tree_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  std::array<QTreeWidgetItem*, 39> treeItems_{};
  std::array<QLabel*, 4> statusPanels_{};
  QTimer startTimer_;

  QAction* fileNew_ = nullptr;
  QAction* fileOpen_ = nullptr;
  QAction* fileSave_ = nullptr;
  QAction* close_ = nullptr;
  QAction* comPortConfig_ = nullptr;
  QAction* programm_ = nullptr;
  QAction* readConf_ = nullptr;
  QAction* compareConf_ = nullptr;
  QAction* readImei_ = nullptr;
  QAction* reconfigurate_ = nullptr;
  QAction* reset_ = nullptr;
  QAction* factoryConfig_ = nullptr;
  QAction* about_ = nullptr;
};

}  // namespace vkm
