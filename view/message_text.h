// The core's messages in the user's language: each line's English template
// and phrase arguments go through the translation under the context
// "Message", where the core marked them (model/message.h), then the
// arguments are filled in.
#pragma once

#include <QString>
#include <vector>

#include "model/message.h"

namespace transistor {

QString MessageText(const std::vector<MessageLine> &lines);

} // namespace transistor
