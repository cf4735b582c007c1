#include "ui/PanelBinding.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

namespace vkm {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

void SetItems(QComboBox* box, const Items* items) {
  if (!items) return;
  QStringList wanted;
  for (const std::string& item : *items) wanted << Q(item);
  QStringList present;
  for (int i = 0; i < box->count(); ++i) present << box->itemText(i);
  if (present != wanted) {
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(wanted);
  }
}

Qt::CheckState CheckStateOf(TriState state) {
  switch (state) {
    case TriState::Unchecked: return Qt::Unchecked;
    case TriState::Grayed: return Qt::PartiallyChecked;
    case TriState::Checked: return Qt::Checked;
  }
  return Qt::Unchecked;
}

TriState TriStateOf(Qt::CheckState state) {
  switch (state) {
    case Qt::Unchecked: return TriState::Unchecked;
    case Qt::PartiallyChecked: return TriState::Grayed;
    case Qt::Checked: return TriState::Checked;
  }
  return TriState::Unchecked;
}

// Cells of a grid: texts are items; check boxes and combo boxes sit in a
// container laid into the cell, so that a cell's control can be hidden
// (the table shows its cell widgets again whenever it lays them out).
// Model row r is table row r - 1 (the heading row is the header).
template <class Control>
Control* CellControl(QTableWidget* table, int row, int column) {
  if (QWidget* cell = table->cellWidget(row, column)) return cell->findChild<Control*>();
  auto* cell = new QWidget;
  auto* layout = new QHBoxLayout(cell);
  layout->setContentsMargins(2, 0, 2, 0);
  auto* control = new Control(cell);
  layout->addWidget(control, 0, std::is_same_v<Control, QCheckBox> ? Qt::AlignCenter : Qt::Alignment());
  table->setCellWidget(row, column, cell);
  return control;
}

void GridToTable(const Grid& grid, QTableWidget* table) {
  const QSignalBlocker blocker(table);
  table->setRowCount(grid.RowCount());
  table->setColumnCount(grid.ColumnCount());
  for (int row = 1; row <= grid.RowCount(); ++row) {
    for (int column = 0; column < grid.ColumnCount(); ++column) {
      const int r = row - 1;
      switch (grid.Column(column).kind) {
        case CellKind::Text: {
          QTableWidgetItem* item = table->item(r, column);
          if (!item) table->setItem(r, column, item = new QTableWidgetItem);
          item->setText(Q(grid.Text(row, column)));
          break;
        }
        case CellKind::Check: {
          auto* box = CellControl<QCheckBox>(table, r, column);
          const QSignalBlocker boxBlocker(box);
          box->setChecked(grid.Checked(row, column));
          break;
        }
        case CellKind::Combo: {
          auto* box = CellControl<QComboBox>(table, r, column);
          SetItems(box, grid.Column(column).items);
          const QSignalBlocker boxBlocker(box);
          box->setCurrentIndex(grid.Index(row, column));
          break;
        }
      }
    }
  }
}

void TableToGrid(const QTableWidget* table, Grid& grid) {
  for (int row = 1; row <= grid.RowCount() && row <= table->rowCount(); ++row) {
    for (int column = 0; column < grid.ColumnCount() && column < table->columnCount(); ++column) {
      const int r = row - 1;
      switch (grid.Column(column).kind) {
        case CellKind::Text: {
          const QTableWidgetItem* item = table->item(r, column);
          grid.SetText(row, column, item ? S(item->text()) : std::string());
          break;
        }
        case CellKind::Check:
          if (auto* box = qobject_cast<QCheckBox*>(GridCellControl(table, r, column))) {
            grid.SetChecked(row, column, box->isChecked());
          }
          break;
        case CellKind::Combo:
          if (auto* box = qobject_cast<QComboBox*>(GridCellControl(table, r, column))) {
            grid.SetIndex(row, column, box->currentIndex());
          }
          break;
      }
    }
  }
}

void ToWidget(QWidget* widget, const ControlRef& control) {
  const QSignalBlocker blocker(widget);
  switch (control.kind) {
    case ControlKind::Text: {
      const QString text = Q(*std::get<std::string*>(control.field));
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
      } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
        SetItems(box, control.items);
        box->setEditText(text);
      } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        spin->setValue(text.trimmed().toInt());
      } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
      } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
      }
      break;
    }
    case ControlKind::ComboIndex:
      if (auto* box = qobject_cast<QComboBox*>(widget)) {
        SetItems(box, control.items);
        box->setCurrentIndex(*std::get<int*>(control.field));
      }
      break;
    case ControlKind::CheckBox:
      if (auto* box = qobject_cast<QCheckBox*>(widget)) box->setChecked(*std::get<bool*>(control.field));
      break;
    case ControlKind::ThreeState:
      if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        box->setTristate(true);
        box->setCheckState(CheckStateOf(*std::get<TriState*>(control.field)));
      }
      break;
    case ControlKind::Position:
      if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
        slider->setRange(control.minimum, control.maximum);
        slider->setValue(*std::get<int*>(control.field));
      } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        spin->setRange(control.minimum, control.maximum);
        spin->setValue(*std::get<int*>(control.field));
      }
      break;
    case ControlKind::Memo:
      if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        QStringList lines;
        for (const std::string& line : *std::get<std::vector<std::string>*>(control.field)) lines << Q(line);
        memo->setPlainText(lines.join('\n'));
      }
      break;
    case ControlKind::Grid:
      if (auto* table = qobject_cast<QTableWidget*>(widget)) GridToTable(*std::get<Grid*>(control.field), table);
      break;
  }
}

void FromWidget(QWidget* widget, const ControlRef& control) {
  if (control.displayOnly) return;
  switch (control.kind) {
    case ControlKind::Text: {
      std::string& text = *std::get<std::string*>(control.field);
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        text = S(edit->text());
      } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
        text = S(box->currentText());
      } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        text = std::to_string(spin->value());
      }
      break;
    }
    case ControlKind::ComboIndex:
      if (auto* box = qobject_cast<QComboBox*>(widget)) *std::get<int*>(control.field) = box->currentIndex();
      break;
    case ControlKind::CheckBox:
      if (auto* box = qobject_cast<QCheckBox*>(widget)) *std::get<bool*>(control.field) = box->isChecked();
      break;
    case ControlKind::ThreeState:
      if (auto* box = qobject_cast<QCheckBox*>(widget)) *std::get<TriState*>(control.field) = TriStateOf(box->checkState());
      break;
    case ControlKind::Position:
      if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
        *std::get<int*>(control.field) = slider->value();
      } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        *std::get<int*>(control.field) = spin->value();
      }
      break;
    case ControlKind::Memo: break;
    case ControlKind::Grid:
      if (auto* table = qobject_cast<QTableWidget*>(widget)) TableToGrid(table, *std::get<Grid*>(control.field));
      break;
  }
}

}  // namespace

QWidget* GridCellControl(const QTableWidget* table, int row, int column) {
  const QWidget* cell = table->cellWidget(row, column);
  if (!cell) return nullptr;
  if (auto* box = cell->findChild<QComboBox*>()) return box;
  return cell->findChild<QCheckBox*>();
}

QWidget* FindControlWidget(QWidget* page, const QString& controlName) {
  if (QWidget* widget = page->findChild<QWidget*>(controlName)) return widget;
  if (controlName.startsWith("UpDown")) {
    return page->findChild<QSpinBox*>("Edit" + controlName.mid(QStringLiteral("UpDown").size()));
  }
  return nullptr;
}

void PanelBinding::ToWidgets(QWidget* page, const Controls& controls) {
  for (const ControlRef& control : controls) {
    if (QWidget* widget = FindControlWidget(page, QString::fromStdString(control.name))) ToWidget(widget, control);
  }
}

void PanelBinding::FromWidgets(QWidget* page, const Controls& controls) {
  for (const ControlRef& control : controls) {
    if (QWidget* widget = FindControlWidget(page, QString::fromStdString(control.name))) FromWidget(widget, control);
  }
}

void PanelBinding::Disconnect() {
  for (const QMetaObject::Connection& connection : connections_) QObject::disconnect(connection);
  connections_.clear();
}

void PanelBinding::Connect(QWidget* page, const Controls& controls, std::function<void()> reacted) {
  Disconnect();
  for (const ControlRef& control : controls) {
    QWidget* widget = FindControlWidget(page, QString::fromStdString(control.name));
    if (!widget) continue;
    if (control.changed) {
      // Every control is read first: the reaction must not undo the
      // user's other edits on the page when it shows its result.
      const auto react = [page, controls, control, reacted] {
        FromWidgets(page, controls);
        control.changed();
        ToWidgets(page, controls);
        if (reacted) reacted();
      };
      if (auto* box = qobject_cast<QComboBox*>(widget)) {
        connections_ << QObject::connect(box, &QComboBox::currentIndexChanged, react);
        if (box->isEditable()) connections_ << QObject::connect(box, &QComboBox::editTextChanged, react);
      } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connections_ << QObject::connect(edit, &QLineEdit::textEdited, react);
      } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        connections_ << QObject::connect(check, &QCheckBox::clicked, react);
      } else if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
        connections_ << QObject::connect(slider, &QAbstractSlider::valueChanged, react);
      } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        connections_ << QObject::connect(spin, &QSpinBox::valueChanged, react);
      }
    }
    if (control.cellChanged) {
      auto* table = qobject_cast<QTableWidget*>(widget);
      if (!table) continue;
      const auto react = [page, controls, control, reacted](int r, int column) {
        FromWidgets(page, controls);
        control.cellChanged(r + 1, column);
        ToWidgets(page, controls);
        if (reacted) reacted();
      };
      connections_ << QObject::connect(table, &QTableWidget::cellChanged, react);
      for (int r = 0; r < table->rowCount(); ++r) {
        for (int column = 0; column < table->columnCount(); ++column) {
          QWidget* cell = GridCellControl(table, r, column);
          if (auto* box = qobject_cast<QComboBox*>(cell)) {
            connections_ << QObject::connect(box, &QComboBox::currentIndexChanged, [react, r, column] { react(r, column); });
          } else if (auto* check = qobject_cast<QCheckBox*>(cell)) {
            connections_ << QObject::connect(check, &QCheckBox::clicked, [react, r, column] { react(r, column); });
          }
        }
      }
    }
  }
}

}  // namespace vkm
