#include "app/look.h"

#include <algorithm>
#include <cmath>

namespace transistor {

const Look &LookFor(bool highContrast) {
    return highContrast ? kHighContrastLook : kDesignedLook;
}

std::uint32_t ColorIn(const Look &look, const ControlDesign &control) {
    const std::int32_t instead = control.name == "Line18"   ? look.generationMarker
                                 : control.name == "Line19" ? look.recombinationMarker
                                                            : -1;
    return instead >= 0 ? static_cast<std::uint32_t>(instead) : control.color;
}

double Contrast(std::uint32_t a, std::uint32_t b) {
    const auto luminance = [](std::uint32_t rgb) {
        const auto channel = [](std::uint32_t c) {
            const double v = c / 255.0;
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel((rgb >> 16) & 0xFF) + 0.7152 * channel((rgb >> 8) & 0xFF) +
               0.0722 * channel(rgb & 0xFF);
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace transistor
