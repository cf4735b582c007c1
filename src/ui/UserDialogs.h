#pragma once

// The questions and messages the window puts to the user, behind one
// interface so that tests can answer them.

#include <QString>

class QWidget;

namespace vkm {

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  // The chosen file, or an empty string when the user cancels.
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& presetName) = 0;
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& directory) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
  virtual void Warn(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The platform's file dialogs and message boxes.
class StandardDialogs : public UserDialogs {
 public:
  QString SaveFileName(QWidget* parent, const QString& title, const QString& presetName) override;
  QString OpenFileName(QWidget* parent, const QString& title, const QString& directory) override;
  bool AskYesNo(QWidget* parent, const QString& title, const QString& text) override;
  void Warn(QWidget* parent, const QString& title, const QString& text) override;
};

}  // namespace vkm
