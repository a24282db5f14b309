#include "model/random_source.h"

namespace transistor {

Single FixedSeedRandom::next() {
    // splitmix64: small, fast and well mixed; only its top 24 bits are used.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<Single>(z >> 40) * 0x1.0p-24f;
}

Single ScriptedRandom::next() {
    if (next_ >= values_.size()) throw RandomExhausted();
    return values_[next_++];
}

} // namespace transistor
