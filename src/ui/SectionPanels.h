#pragma once

#include <QString>

namespace vkm {

// The panel that shows a section, e.g. "PanelSIM" for sections 2 and 3.
QString PanelOfNode(int node);
// The label that shows a section's caption as the panel's heading, or an
// empty string when the panel has none.
QString HeadingLabelOfNode(int node);

}  // namespace vkm
