#pragma once

// Moves values between a panel's widgets and its model, control by
// control, found by objectName; the conversion rules stay in the model.

#include <QList>
#include <QMetaObject>
#include <QWidget>
#include <functional>

#include "model/Controls.h"

class QTableWidget;

namespace vkm {

class PanelBinding {
 public:
  // The widgets of `page` take the values of the controls.
  static void ToWidgets(QWidget* page, const Controls& controls);
  // The controls take the values of the widgets of `page`.
  static void FromWidgets(QWidget* page, const Controls& controls);

  // From now on a user's change of a control with an immediate reaction
  // updates its field, runs the reaction and shows the result on every
  // control of the page; `reacted` runs after that. Replaces the previous
  // connections.
  void Connect(QWidget* page, const Controls& controls, std::function<void()> reacted = {});
  void Disconnect();

 private:
  QList<QMetaObject::Connection> connections_;
};

// The check box or combo box in a grid cell (table row and column), or
// nullptr for a text cell.
QWidget* GridCellControl(const QTableWidget* table, int row, int column);

// The widget that shows a control. The up-down buttons of an edit are part
// of the spin box named after the edit.
QWidget* FindControlWidget(QWidget* page, const QString& controlName);

}  // namespace vkm
