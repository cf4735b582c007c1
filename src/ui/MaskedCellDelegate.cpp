#include "ui/MaskedCellDelegate.h"

#include <QLineEdit>

#include "ui/InputMasks.h"

namespace vkm {

QWidget* MaskedCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
  if (!editable_(index.row(), index.column())) return nullptr;
  auto* editor = new QLineEdit(parent);
  editor->setInputMask(GridCellMask(gridName_, index.column()));
  (void)option;
  return editor;
}

}  // namespace vkm
