#include "app/classroom.h"

#include <algorithm>
#include <cmath>

namespace transistor {

double SteppedZoom(double zoom, int steps) {
    const int at = static_cast<int>(std::lround((zoom - 1.0) / kZoomStep));
    return 1.0 + std::clamp(at + steps, 0, kZoomSteps) * kZoomStep;
}

std::string_view KeyHelpText(const ClassroomAction &action) {
    if (action.keys[0].empty()) return {};
    return action.text.empty() ? kMenuKeyText : action.text;
}

} // namespace transistor
