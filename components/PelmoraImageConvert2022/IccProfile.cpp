#include "components/PelmoraImageConvert2022/IccProfile.h"

#include <cstring>

namespace pelmora {

IccSpace ProfileSpace(const std::vector<std::uint8_t>& profile)
{
    if (profile.size() < 132) return IccSpace::Unknown;
    const char* space = reinterpret_cast<const char*>(profile.data() + 16);
    if (std::memcmp(space, "GRAY", 4) == 0) return IccSpace::Gray;
    if (std::memcmp(space, "RGB ", 4) == 0) return IccSpace::Rgb;
    return IccSpace::Other;
}

bool ProfileFits(const std::vector<std::uint8_t>& profile, bool grayPixels)
{
    IccSpace space = ProfileSpace(profile);
    return grayPixels ? space == IccSpace::Gray : space == IccSpace::Rgb;
}

}  // namespace pelmora
