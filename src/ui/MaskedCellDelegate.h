#pragma once

#include <QStyledItemDelegate>
#include <functional>

namespace vkm {

// Edits the text cells of a grid in place with the cell's input mask; a
// cell the predicate refuses opens no editor.
class MaskedCellDelegate : public QStyledItemDelegate {
 public:
  using Editable = std::function<bool(int row, int column)>;
  MaskedCellDelegate(QString gridName, Editable editable, QObject* parent)
      : QStyledItemDelegate(parent), gridName_(std::move(gridName)), editable_(std::move(editable)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  QString gridName_;
  Editable editable_;
};

}  // namespace vkm
