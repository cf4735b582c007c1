#pragma once

// The edit masks of the panels, written in the controller's original mask
// language and translated to Qt's in this one place.

#include <QString>

namespace vkm {

// Translates a mask of the form "MASK;SAVE;BLANK" (9 an optional digit, 0 a
// required digit, a/A an optional/required letter or digit, # an optional
// digit or sign, > upper case, ! leading blanks dropped, \ a literal) into
// the Qt input mask that accepts the same input.
QString QtInputMask(const QString& mask);

// The mask of a panel control (translated), or an empty string when the
// control has none.
QString InputMaskOf(const QString& controlName);

// The masks of grid cells, by grid and column (translated; empty for none).
QString GridCellMask(const QString& gridName, int column);

}  // namespace vkm
