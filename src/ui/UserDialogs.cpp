#include "ui/UserDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace vkm {
namespace {

const QString kFilter = QString::fromUtf8("Файлы конфигурации (*.cnt)");
const QString kDefaultSuffix = QStringLiteral("cnt");

QString RunFileDialog(QWidget* parent, const QString& title, const QString& start, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, title, start, kFilter);
  dialog.setAcceptMode(mode);
  dialog.setDefaultSuffix(kDefaultSuffix);
  // The replace question is the window's own.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (mode == QFileDialog::AcceptOpen) dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

}  // namespace

QString StandardDialogs::SaveFileName(QWidget* parent, const QString& title, const QString& presetName) {
  return RunFileDialog(parent, title, presetName, QFileDialog::AcceptSave);
}

QString StandardDialogs::OpenFileName(QWidget* parent, const QString& title, const QString& directory) {
  return RunFileDialog(parent, title, directory, QFileDialog::AcceptOpen);
}

bool StandardDialogs::AskYesNo(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  return box.exec() == QMessageBox::Yes;
}

void StandardDialogs::Warn(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace vkm
