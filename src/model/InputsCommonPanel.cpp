#include "model/InputsCommonPanel.h"

#include "model/ImageEncoding.h"
#include "model/ImageMap.h"

namespace vkm {
namespace {

// Index i stands for 15 × i seconds; the double blanks are the controller's own.
const Items& NoScanningTimeItems() {
  static const Items items = {"0 Sec.",   "15 Sec.",  "30  Sec.", "45  Sec.",
                              "60  Sec.", "75  Sec.", "90  Sec.", "105  Sec."};
  return items;
}

}  // namespace

void PanelToImage(InputsCommonPanel& panel, int /*node*/, ConfigurationImage& image) {
  StoreComboBits(image[kInputsCommonOffset], 0, 3, panel.ComboBoxNoScaningTimeAftReset);
}

void ImageToPanel(ConfigurationImage& image, int /*node*/, InputsCommonPanel& panel) {
  panel.ComboBoxNoScaningTimeAftReset =
      ShowComboBits(image[kInputsCommonOffset], 0, 3, NoScanningTimeItems());
}

Controls ListControls(InputsCommonPanel& panel, int /*node*/) {
  return {ComboControl("ComboBoxNoScaningTimeAftReset", panel.ComboBoxNoScaningTimeAftReset, NoScanningTimeItems())};
}

}  // namespace vkm
