#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

#include "files/ConfigurationFile.h"
#include "files/ProgramSettings.h"
#include "link/SerialPort.h"
#include "model/ItemLists.h"
#include "model/SectionTree.h"
#include "ui/PanelBehaviour.h"
#include "ui/PanelPages.h"
#include "ui/SectionPanels.h"
#include "ui/dialogs/AboutBox.h"

namespace vkm {
namespace {

constexpr int kClientWidth = 925;
constexpr int kClientHeight = 554;
constexpr int kTreeWidth = 209;
constexpr int kToolBarHeight = 33;
constexpr int kStartDelayMs = 500;
constexpr int kStatusPanelWidths[4] = {500, 60, 90, 250};

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TForm1::TForm1(const Options& options, QWidget* parent)
    : QMainWindow(parent),
      portName_(options.portOverride),
      ownDialogs_(options.dialogs ? nullptr : std::make_unique<StandardDialogs>()),
      dialogs_(options.dialogs ? options.dialogs : ownDialogs_.get()) {
  setObjectName("TForm1");
  setWindowTitle(QString::fromUtf8(kWindowCaption));
  BuildActions();
  BuildMenusAndToolBar();
  BuildStatusBar();

  auto* central = new QWidget;
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(3);  // the splitter between tree and panels, which does not move
  tree_ = new QTreeWidget;
  tree_->setObjectName("TreeView1");
  tree_->setFixedWidth(kTreeWidth);
  tree_->setHeaderHidden(true);
  tree_->setIndentation(14);
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  stack_ = new QStackedWidget;
  layout->addWidget(tree_);
  layout->addWidget(stack_, 1);
  setCentralWidget(central);
  BuildPages();

  // The client area (below the menu) is fixed.
  setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

  startTimer_.setObjectName("Timer2");
  startTimer_.setSingleShot(true);
  startTimer_.setInterval(kStartDelayMs);
  connect(&startTimer_, &QTimer::timeout, this, [this] { UnlockActions(); });

  FormCreate();
  startTimer_.start();
}

TForm1::~TForm1() { binding_.Disconnect(); }

void TForm1::BuildActions() {
  const auto make = [this](const char* name, const char* text, const char* hint, QKeySequence key = {}) {
    auto* action = new QAction(QString::fromUtf8(text), this);
    action->setObjectName(name);
    if (hint) action->setToolTip(QString::fromUtf8(hint));
    if (!key.isEmpty()) action->setShortcut(key);
    return action;
  };
  fileNew_ = make("FileNew1", "Установить стандартную конфигурацию", "Установить стандартную конфигурацию");
  fileOpen_ = make("FileOpen1", "Открыть файл конфигурации...", "Открыть файл конфигурации");
  fileSave_ = make("FileSave1", "Сохранить текущую конфигурацию в файл...", "Сохранить текущую конфигурацию в файл");
  close_ = make("N7", "Закрыть", nullptr);
  comPortConfig_ = make("ComPortConfig", "COM порт...", "Настройка COM порта");
  programm_ = make("Programm", "Программировать", "Загрузить конфигурацию в контроллер и перезапустить",
                   QKeySequence(Qt::Key_F5));
  readConf_ = make("ReadConf", "Считать конфигурацию", "Считать конфигурацию контроллера", QKeySequence(Qt::Key_F6));
  compareConf_ = make("CompareConf", "Сравнить конфигурацию",
                      "Сравнить текущую конфигурацию с конфигурацией контроллера", QKeySequence(Qt::Key_F7));
  readImei_ = make("ReadIMEICode", "Считать IMEI контроллера в буфер обмена", nullptr, QKeySequence(Qt::Key_F10));
  reconfigurate_ = make("Reconfigurate", "Реконфигурировать", "Загрузить конфигурацию в контроллер, без перезапуска");
  reset_ = make("Reset", "Перезапустить (Системный сброс)", "Перезапустить контроллер");
  factoryConfig_ = make("FactoryConfig", "Восстановить заводскую конфигурацию", nullptr);
  about_ = make("Abaut", "О программе...", nullptr);

  QStyle* style = QApplication::style();
  fileNew_->setIcon(style->standardIcon(QStyle::SP_FileIcon));
  fileOpen_->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
  fileSave_->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));
  programm_->setIcon(style->standardIcon(QStyle::SP_ArrowDown));
  readConf_->setIcon(style->standardIcon(QStyle::SP_ArrowUp));
  compareConf_->setIcon(style->standardIcon(QStyle::SP_FileDialogContentsView));

  connect(fileNew_, &QAction::triggered, this, &TForm1::FileNew1Execute);
  connect(fileOpen_, &QAction::triggered, this, &TForm1::FileOpen1Execute);
  connect(fileSave_, &QAction::triggered, this, &TForm1::FileSave1Execute);
  connect(close_, &QAction::triggered, this, &QWidget::close);
  connect(about_, &QAction::triggered, this, &TForm1::AbautExecute);
}

void TForm1::BuildMenusAndToolBar() {
  QMenu* file = menuBar()->addMenu(QString::fromUtf8("Файл"));
  file->addActions({fileNew_, fileOpen_, fileSave_});
  file->addSeparator();
  file->addAction(close_);
  menuBar()->addMenu(QString::fromUtf8("Настройка"))->addAction(comPortConfig_);
  QMenu* controller = menuBar()->addMenu(QString::fromUtf8("Контроллер"));
  controller->addActions({programm_, readConf_, compareConf_});
  controller->addSeparator();
  controller->addAction(readImei_);
  controller->addSeparator();
  controller->addActions({reconfigurate_, reset_, factoryConfig_});
  menuBar()->addMenu("?")->addAction(about_);

  QToolBar* bar = addToolBar(QString::fromUtf8("Панель инструментов"));
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setFixedHeight(kToolBarHeight);
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  bar->addActions({fileNew_, fileOpen_, fileSave_});
  bar->addSeparator();
  bar->addActions({programm_, readConf_, compareConf_});
  bar->addSeparator();
  // These two show their captions rather than pictures.
  auto* reconfigure = new QAction(QString::fromUtf8("Реконфигурировать"), this);
  auto* restart = new QAction(QString::fromUtf8("Перезапустить"), this);
  for (auto [shown, action] : {std::pair{reconfigure, reconfigurate_}, std::pair{restart, reset_}}) {
    shown->setToolTip(action->toolTip());
    connect(shown, &QAction::triggered, action, &QAction::trigger);
    connect(action, &QAction::enabledChanged, shown, &QAction::setEnabled);
    bar->addAction(shown);
  }
}

void TForm1::BuildStatusBar() {
  statusBar()->setObjectName("StatusBar1");
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
    label->setFixedWidth(kStatusPanelWidths[i]);
    label->setAlignment((i == 1 || i == 2 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    statusBar()->addWidget(label);
    statusPanels_[static_cast<std::size_t>(i)] = label;
  }
}

void TForm1::BuildTree() {
  QTreeWidgetItem* parents[3] = {};
  for (int node = 0; node < kNodeCount; ++node) {
    const int level = NodeLevel(node);
    auto* item = level == 0 ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(parents[level - 1]);
    item->setText(0, Q(NodeCaption(node)));
    item->setData(0, Qt::UserRole, node);
    parents[level] = item;
    treeItems_[static_cast<std::size_t>(node)] = item;
  }
  // "Сценарии управления" stands under "Выходы" beside the outputs.
  tree_->expandAll();
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (current) TreeView1Change(current->data(0, Qt::UserRole).toInt());
  });
}

void TForm1::BuildPages() {
  for (const QString& name : PanelNames()) {
    std::unique_ptr<QWidget> page = CreatePanelPage(name);
    page->setObjectName(name);
    stack_->addWidget(page.release());
  }
  for (QWidget* page : stack_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    SetUpPage(page);
  }
  ConnectPageButtons(*this, panels_);
}

QWidget* TForm1::Page(int node) const { return stack_->findChild<QWidget*>(PanelOfNode(node)); }

void TForm1::FormCreate() {
  startDirectory_ = QDir::currentPath() + "/";
  BuildTree();
  treeItems_[0]->setText(0, QString::fromUtf8("GSM контроллер ") + "VKM410" + "-" + "G");
  SelectNode(kNodeController);

  std::string storedPort;
  const std::string settingsPath = (startDirectory_ + kProgramSettingsFile).toStdString();
  settingsPortName_ = LoadProgramSettings(settingsPath, storedPort) == 0 ? Q(storedPort) : Q(DefaultPortName());
  if (portName_.isEmpty()) portName_ = settingsPortName_;

  if (LoadConfigurationFile(document_, kDefaultConfigurationFile) != kLoaded) document_.ResetImage();
  SetStatusPanel(0, kDefaultConfigurationFile);

  std::unique_ptr<SerialPort> port = MakeSerialPort();
  SetStatusPanel(1, port->Open(portName_) ? portName_ : QStringLiteral("NC"));
  port->Close();

  // The device actions wait for the start timer.
  LockActions();
}

void TForm1::SelectNode(int node) { tree_->setCurrentItem(treeItems_.at(static_cast<std::size_t>(node))); }

QString TForm1::StatusPanelText(int panel) const { return statusPanels_.at(static_cast<std::size_t>(panel))->text(); }

void TForm1::SetStatusPanel(int panel, const QString& text) {
  statusPanels_.at(static_cast<std::size_t>(panel))->setText(text);
}

void TForm1::TreeView1Change(int node) {
  // Leaving: the panel goes into the document.
  if (lastNode_ == kNodeSystemParameters) SetDeviceActionsEnabled(true);
  if (NodeHoldsValues(lastNode_)) StorePanel();
  binding_.Disconnect();

  // Entering: heading, preparation, values, then the page in front.
  QWidget* page = Page(node);
  const QString heading = HeadingLabelOfNode(node);
  if (!heading.isEmpty()) {
    if (auto* label = page->findChild<QLabel*>(heading)) {
      label->setText(node == kNodeController ? treeItems_[0]->text(0) : Q(NodeCaption(node)));
    }
  }
  PrepareSection(node);
  lastNode_ = node;
  if (NodeHoldsValues(node)) ShowPanelValues(node);
  stack_->setCurrentWidget(page);
}

void TForm1::PrepareSection(int node) {
  QWidget* page = Page(node);
  if (node == kNodeController) PrepareControllerPanel(page);
  if (node == kNodeArmIn) ClearTouchActionDescription(page);
  if (node == kNodeScenarios) PrepareScenarioGrid(page);
  if (node == kNodeSystemParameters) SetDeviceActionsEnabled(false);
}

void TForm1::ShowPanelValues(int node) {
  QWidget* page = Page(node);
  ImageToPanel(document_, node, panels_, QLocale().decimalPoint().at(0).toLatin1());
  const Controls controls = ListControls(panels_, node);
  PanelBinding::ToWidgets(page, controls);
  binding_.Connect(page, controls, [this] { RefreshDependentControls(); });
  RefreshDependentControls();
}

void TForm1::RefreshDependentControls() { ApplyDependentState(Page(lastNode_), lastNode_, panels_); }

void TForm1::StorePanel() {
  if (!NodeHoldsValues(lastNode_)) return;
  PanelBinding::FromWidgets(Page(lastNode_), ListControls(panels_, lastNode_));
  PanelToImage(panels_, lastNode_, document_);
}

void TForm1::RefillPanel() {
  if (!NodeHoldsValues(lastNode_)) return;
  binding_.Disconnect();
  ShowPanelValues(lastNode_);
}

void TForm1::SetDeviceActionsEnabled(bool enabled) {
  for (QAction* action : {programm_, readConf_, compareConf_, reconfigurate_, reset_, factoryConfig_}) {
    action->setEnabled(enabled);
  }
}

void TForm1::LockActions() {
  SetDeviceActionsEnabled(false);
  for (QAction* action : {fileOpen_, fileSave_, fileNew_, comPortConfig_}) action->setEnabled(false);
}

void TForm1::UnlockActions() {
  SetDeviceActionsEnabled(true);
  for (QAction* action : {fileOpen_, fileSave_, fileNew_, comPortConfig_}) action->setEnabled(true);
}

void TForm1::FileSave1Execute() {
  const QString title = QString::fromUtf8("Сохранение конфигурации");
  const QString preset = StatusPanelText(0);
  StorePanel();
  RefillPanel();
  const QString path = dialogs_->SaveFileName(this, title, preset);
  if (path.isEmpty()) return;
  if (QFileInfo::exists(path) &&
      !dialogs_->AskYesNo(this, title, QString::fromUtf8("Файл уже существует, заменить?"))) {
    return;
  }
  if (SaveConfigurationFile(document_, path.toStdString()) != 0) {
    dialogs_->Warn(this, title, QString::fromUtf8("Невозможно сохранить файл"));
    return;
  }
  SetStatusPanel(0, QFileInfo(path).absoluteFilePath());
}

void TForm1::FileOpen1Execute() {
  const QString title = QString::fromUtf8("Открытие файла конфигурации");
  const QString path = dialogs_->OpenFileName(this, title, startDirectory_);
  if (path.isEmpty()) return;
  const int result = LoadConfigurationFile(document_, path.toStdString());
  if (result != kLoaded) {
    dialogs_->Warn(this, title, QString::fromUtf8(LoadResultMessage(result)));
    return;
  }
  RefillPanel();
  SetStatusPanel(0, QFileInfo(path).absoluteFilePath());
}

void TForm1::FileNew1Execute() {
  document_.ResetImage();
  RefillPanel();
  SetStatusPanel(0, kDefaultConfigurationFile);
}

void TForm1::AbautExecute() {
  TAboutBox box(windowTitle(), this);
  box.exec();
}

void TForm1::closeEvent(QCloseEvent* event) {
  // No closing while a device action runs.
  if (!comPortConfig_->isEnabled()) {
    event->ignore();
    return;
  }
  SaveProgramSettings((startDirectory_ + kProgramSettingsFile).toStdString(), settingsPortName_.toStdString());
  StorePanel();
  SaveConfigurationFile(document_, kDefaultConfigurationFile);
  event->accept();
}

}  // namespace vkm
