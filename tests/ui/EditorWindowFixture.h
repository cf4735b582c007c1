#pragma once

// A fresh editor window for each test: its own scratch directory as the
// current directory (where the window reads and writes "default.cnt" and
// "VKMConfig.cfg"), Russian number formatting, and dialogs that answer as
// the test says and record what they were asked.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <stdexcept>
#include <vector>

#include "ui/MainWindow.h"
#include "ui/UserDialogs.h"

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace vkm::test {

class RecordingDialogs : public UserDialogs {
 public:
  struct Call {
    QString kind;  // "save", "open", "ask" or "warn"
    QString title;
    QString text;  // the question or message; the preset name or directory of a file dialog
  };

  QString saveAnswer;  // empty: the user cancels
  QString openAnswer;
  bool yes = true;
  std::vector<Call> calls;

  QString SaveFileName(QWidget*, const QString& title, const QString& presetName) override {
    calls.push_back({"save", title, presetName});
    return saveAnswer;
  }
  QString OpenFileName(QWidget*, const QString& title, const QString& directory) override {
    calls.push_back({"open", title, directory});
    return openAnswer;
  }
  bool AskYesNo(QWidget*, const QString& title, const QString& text) override {
    calls.push_back({"ask", title, text});
    return yes;
  }
  void Warn(QWidget*, const QString& title, const QString& text) override { calls.push_back({"warn", title, text}); }

  std::vector<Call> Of(const QString& kind) const {
    std::vector<Call> found;
    for (const Call& call : calls) {
      if (call.kind == kind) found.push_back(call);
    }
    return found;
  }
};

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A named child of a page, of the expected kind.
template <class Widget>
Widget& Find(QWidget* page, const char* name) {
  if (!page) throw std::runtime_error("no page");
  auto* widget = page->findChild<Widget*>(QString::fromLatin1(name));
  if (!widget) throw std::runtime_error(std::string("no control ") + name + " of the expected kind");
  return *widget;
}

class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch_.isValid());
    previousDirectory_ = QDir::currentPath();
    QDir::setCurrent(scratch_.path());
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  }

  void TearDown() override {
    window_.reset();
    QDir::setCurrent(previousDirectory_);
  }

  TForm1& Open(const QString& portOverride = {}) {
    TForm1::Options options;
    options.portOverride = portOverride;
    options.dialogs = &dialogs_;
    window_ = std::make_unique<TForm1>(options);
    window_->show();
    return *window_;
  }

  // The window's actions are enabled by its start timer.
  TForm1& OpenStarted() {
    TForm1& window = Open();
    WaitForStart();
    return window;
  }

  void WaitForStart() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return Action("ComPortConfig").isEnabled(); }, 10000))
        << "the start timer never enabled the actions";
  }

  TForm1& Window() {
    if (!window_) throw std::logic_error("no window open");
    return *window_;
  }

  QAction& Action(const char* name) {
    auto* action = Window().findChild<QAction*>(QString::fromLatin1(name));
    if (!action) throw std::runtime_error(std::string("no action ") + name);
    return *action;
  }

  // The control of a section's panel, by objectName.
  template <class Widget>
  Widget& Control(int node, const char* name) {
    return Find<Widget>(Window().Page(node), name);
  }

  QString Path(const QString& fileName) const { return scratch_.filePath(fileName); }

  static QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  static void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
      throw std::runtime_error("cannot write " + path.toStdString());
    }
  }

  QTemporaryDir scratch_;
  QString previousDirectory_;
  RecordingDialogs dialogs_;
  std::unique_ptr<TForm1> window_;
};

// Types `text` into an edit, spin box or editable combo box as a user does:
// select what is there, then one key press per character (any script).
inline void Type(QWidget& widget, const QString& text) {
  QWidget* target = &widget;
  if (auto* box = qobject_cast<QComboBox*>(&widget)) {
    if (!box->lineEdit()) throw std::runtime_error("typing into a combo box that is not editable");
    target = box->lineEdit();
  }
  if (auto* edit = qobject_cast<QLineEdit*>(target)) {
    edit->setFocus();
    edit->selectAll();
  } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(target)) {
    spin->setFocus();
    spin->selectAll();
  }
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, c.isDigit() ? Qt::Key_0 + c.digitValue() : 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, c.isDigit() ? Qt::Key_0 + c.digitValue() : 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &release);
  }
}

// The check box or combo box laid over a grid cell (table row and column).
template <class Control>
Control& CellControl(QTableWidget& table, int row, int column) {
  QWidget* cell = table.cellWidget(row, column);
  auto* control = qobject_cast<Control*>(cell);
  if (!control && cell) control = cell->findChild<Control*>();
  if (!control) {
    throw std::runtime_error("no control in cell " + std::to_string(row) + "," + std::to_string(column));
  }
  return *control;
}

// Types into a text cell through its in-place editor and presses Enter.
// False when the cell opens no editor.
inline bool EditCell(QTableWidget& table, int row, int column, const QString& text) {
  table.setCurrentCell(row, column);
  QTableWidgetItem* item = table.item(row, column);
  if (!item) return false;
  table.editItem(item);
  QWidget* editor = table.indexWidget(table.model()->index(row, column));
  if (!editor) return false;
  Type(*editor, text);
  QTest::keyClick(editor, Qt::Key_Return);
  // The view takes the text from the editor once the key is handled.
  QApplication::processEvents();
  return true;
}

inline void DoubleClickCell(QTableWidget& table, int row, int column) {
  const QModelIndex index = table.model()->index(row, column);
  table.scrollTo(index);
  const QPoint centre = table.visualRect(index).center();
  // The first click of a double-click, then the second.
  QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
  QTest::mouseDClick(table.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

inline QString CellText(const QTableWidget& table, int row, int column) {
  const QTableWidgetItem* item = table.item(row, column);
  return item ? item->text() : QString();
}

}  // namespace vkm::test
