// The program's number rules, in one place:
//  - Integer: a 16-bit signed integer whose arithmetic raises OverflowError
//    instead of wrapping around;
//  - CInt: conversion of a real to Integer, nearest with ties to even;
//  - Int: the largest integer not greater than a value (floor);
//  - Single: IEEE single precision, used for every carrier position.
// Every run-time error of the arithmetic derives from RuntimeError, so that
// the handler running a tick can catch exactly these.
#pragma once

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace transistor {

using Single = float;

// An arithmetic error of the running program (overflow, index out of range,
// division by zero).
class RuntimeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class OverflowError : public RuntimeError {
  public:
    OverflowError() : RuntimeError("Overflow") {}
};

class SubscriptError : public RuntimeError {
  public:
    SubscriptError() : RuntimeError("Subscript out of range") {}
};

class Integer {
  public:
    constexpr Integer() = default;
    // Implicit, so that literals mix with Integers; a value outside 16 bits
    // raises OverflowError.
    constexpr Integer(int v) : v_(checked(v)) {}

    constexpr int value() const { return v_; }
    constexpr double toDouble() const { return v_; }
    constexpr Single toSingle() const { return static_cast<Single>(v_); }

    friend constexpr Integer operator+(Integer a, Integer b) { return Integer(a.v_ + b.v_); }
    friend constexpr Integer operator-(Integer a, Integer b) { return Integer(a.v_ - b.v_); }
    friend constexpr Integer operator*(Integer a, Integer b) { return Integer(a.v_ * b.v_); }
    constexpr Integer operator-() const { return Integer(-v_); }

    friend constexpr bool operator==(Integer a, Integer b) = default;
    friend constexpr std::strong_ordering operator<=>(Integer a, Integer b) = default;

  private:
    static constexpr std::int16_t checked(int v) {
        if (v < -32768 || v > 32767) throw OverflowError();
        return static_cast<std::int16_t>(v);
    }
    std::int16_t v_ = 0;
};

// Conversion of a real into an Integer variable: nearest, ties to even.
// NaN, infinities and values outside 16 bits raise OverflowError.
Integer CInt(double v);

// Int(): the largest integer not greater than v, in the precision of v.
inline Single Int(Single v) {
    return __builtin_floorf(v);
}
inline double Int(double v) {
    return __builtin_floor(v);
}

// Index of a control array or bin array given as a real (a bin number held
// in a Single): rounded like CInt, then checked against [lo, hi].
int IndexFromReal(double v, int lo, int hi);
inline int IndexFrom(double v, int lo, int hi) {
    // Bin numbers and carrier indices are whole numbers but for a fault.
    if (v >= lo && v <= hi) {
        const int i = static_cast<int>(v);
        if (i == v) return i;
    }
    return IndexFromReal(v, lo, hi);
}

// The decimal text of an Integer: optional minus sign and digits.
std::string DecimalText(Integer v);

} // namespace transistor
