#pragma once

// The section panels, one page each, built from their forms (panels/*.ui,
// editable in Qt Designer). Every control is a widget whose objectName is
// the control's name.

#include <QStringList>
#include <QWidget>
#include <memory>

namespace vkm {

// The panels in the order of the sections that first show them.
const QStringList& PanelNames();
// A new page of the named panel (for example "PanelSIM"), or nullptr for an
// unknown name.
std::unique_ptr<QWidget> CreatePanelPage(const QString& panelName);

}  // namespace vkm
