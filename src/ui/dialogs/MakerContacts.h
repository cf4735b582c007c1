#pragma once

// The maker's addresses shown by the about box. Neutral placeholders under
// a reserved example domain, kept in this one place.

namespace vkm {

inline constexpr char kMakerWebSite[] = "https://www.example.com/";
inline constexpr char kMakerSupportEmail[] = "support@example.com";

}  // namespace vkm
