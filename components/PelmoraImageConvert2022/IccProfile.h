#pragma once
// What an embedded colour profile describes, so it is written only beside
// pixels of its own kind.
#include <cstdint>
#include <vector>

namespace pelmora {

enum class IccSpace { Unknown, Gray, Rgb, Other };

IccSpace ProfileSpace(const std::vector<std::uint8_t>& profile);

// Whether the profile may go with gray (or colour) pixels.
bool ProfileFits(const std::vector<std::uint8_t>& profile, bool grayPixels);

}  // namespace pelmora
