#include "app/classroom.h"

#include <algorithm>
#include <cmath>

#include "app/caption_layout.h"
#include "app/window_description.h"

namespace transistor {

double SteppedZoom(double zoom, int steps) {
    const int at = static_cast<int>(std::lround((zoom - 1.0) / kZoomStep));
    return 1.0 + std::clamp(at + steps, 0, kZoomSteps) * kZoomStep;
}

double FitZoom(double width, double height) {
    const WindowDesign &w = Window();
    const double fits =
        std::min(width * kTwipsPerPixel / w.extentWidth, height * kTwipsPerPixel / w.extentHeight);
    // Whole percent, rounded down: the form's edges, rounded to pixels, stay inside.
    const double percent = std::floor(fits * 100 + 1e-9);
    return std::clamp(percent, 100.0, 100.0 + kZoomSteps * kZoomStep * 100) / 100;
}

std::string_view KeyHelpText(const ClassroomAction &action) {
    if (action.keys[0].empty()) return {};
    return action.text.empty() ? kMenuKeyText : action.text;
}

} // namespace transistor
