// A numeric variant: holds the last numeric value stored into it together
// with its type, and counts as zero while empty.
#pragma once

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

    friend constexpr bool operator==(const NumericVariant&, const NumericVariant&) = default;

private:
    Kind kind_ = Kind::Empty;
    double value_ = 0.0;
};

} // namespace transistor
