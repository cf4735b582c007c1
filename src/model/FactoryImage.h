#pragma once

#include "model/ConfigurationDocument.h"

namespace vkm {

// The configuration a controller leaves the factory with, built once from
// the field values of each section.
const ConfigurationImage& FactoryImage();

inline constexpr PostProgramBlock kFactoryPostProgramBlock = {0x00, 0x00, 0x40, 0x40, 0x40,
                                                              0x40, 0x40, 0x40, 0x00, 0x00};

}  // namespace vkm
