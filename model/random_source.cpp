#include "model/random_source.h"

namespace transistor {

Single ScriptedRandom::next() {
    if (next_ >= values_.size()) throw RandomExhausted();
    return values_[next_++];
}

} // namespace transistor
