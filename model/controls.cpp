#include "model/controls.h"

namespace transistor {

std::string *TextBox(Controls &c, std::string_view name) {
    for (std::size_t i = 0; i < kTextBoxNames.size(); ++i)
        if (kTextBoxNames[i] == name) return &(c.*kTextBoxes[i]);
    return nullptr;
}

} // namespace transistor
