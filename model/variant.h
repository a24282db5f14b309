// A numeric variant: holds the last numeric value stored into it together
// with its type, and counts as zero while empty.
#pragma once

#include <type_traits>

#include "model/numeric.h"

namespace transistor {

class NumericVariant {
  public:
    enum class Kind { Empty, Integer, Single, Double };

    constexpr NumericVariant() = default;
    constexpr NumericVariant(transistor::Integer v) : kind_(Kind::Integer), value_(v.toDouble()) {}
    constexpr NumericVariant(transistor::Single v) : kind_(Kind::Single), value_(v) {}
    constexpr NumericVariant(double v) : kind_(Kind::Double), value_(v) {}

    constexpr Kind kind() const { return kind_; }
    // Every kind converts to double exactly.
    constexpr double toDouble() const { return value_; }

    friend constexpr bool operator==(const NumericVariant &, const NumericVariant &) = default;

  private:
    Kind kind_ = Kind::Empty;
    double value_ = 0.0;
};

// A counted loop over the shared counter: For counter = first To last. The
// counter keeps the value the loop left in it (last + 1 after a full run,
// first when the loop does not run at all). A body that returns bool ends the
// loop early by returning false, leaving the counter where it stood.
template <class Body> void CountedLoop(NumericVariant &counter, int first, int last, Body body) {
    for (int i = first;; ++i) {
        counter = Integer(i);
        if (i > last) return;
        if constexpr (std::is_same_v<decltype(body(i)), bool>) {
            if (!body(i)) return;
        } else {
            body(i);
        }
    }
}

} // namespace transistor
