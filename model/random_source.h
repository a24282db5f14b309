// The shared uniform random source: single-precision values in [0, 1),
// consumed in a fixed order by the placement and by every phase of the tick.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "model/numeric.h"

namespace transistor {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // The next value, in [0, 1); never 1.0.
    virtual Single next() = 0;
};

// The program's own generator: a fixed seed, so every run draws the same
// sequence. The value is the top 24 bits of a 64-bit state, scaled by 2^-24,
// which is exact in single precision and at most 1 - 2^-24.
class FixedSeedRandom final : public RandomSource {
  public:
    static constexpr std::uint64_t kDefaultSeed = 0x5DEECE66Dull;
    explicit FixedSeedRandom(std::uint64_t seed = kDefaultSeed) : state_(seed) {}
    // splitmix64: small, fast and well mixed; only its top 24 bits are used.
    // Inline, so that a pass that knows its source is this one draws without
    // a call.
    Single next() override {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<Single>(z >> 40) * 0x1.0p-24f;
    }

  private:
    std::uint64_t state_;
};

// Runs body with the source as its own type when it is the program's
// generator, so that the draws of a whole pass cost no virtual call; any other
// source (a scripted list) is passed on as it is.
template <class Body> void WithSource(RandomSource &rnd, Body body) {
    if (auto *fixed = dynamic_cast<FixedSeedRandom *>(&rnd))
        body(*fixed);
    else
        body(rnd);
}

// Raised when a scripted list has no value left for a draw. It is not a
// RuntimeError: running out of script is the script's fault, not the program's.
class RandomExhausted : public std::logic_error {
  public:
    RandomExhausted() : std::logic_error("the random list has run out") {}
};

// Returns the given values in order; fails loudly when they run out, so a
// test also checks the number and order of draws.
class ScriptedRandom final : public RandomSource {
  public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::vector<Single> values) : values_(std::move(values)) {}
    Single next() override;
    std::size_t used() const { return next_; }
    std::size_t remaining() const { return values_.size() - next_; }

  private:
    std::vector<Single> values_;
    std::size_t next_ = 0;
};

} // namespace transistor
