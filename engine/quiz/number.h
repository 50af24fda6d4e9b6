#pragma once
// The grade's number: whole (16-bit) until the first fractional operand, then
// fractional (double). Every grade is a small multiple of 0.25, exact in both.

#include <QString>

#include <cstdint>

namespace quiz {

class Number {
public:
    static constexpr Number whole(std::int16_t v) { return Number(false, v); }
    static constexpr Number fractional(double v) { return Number(true, v); }

    constexpr bool isWhole() const { return !fractional_; }
    constexpr double value() const { return value_; }

    friend constexpr Number operator+(Number a, Number b) { return Number(a.fractional_ || b.fractional_, a.value_ + b.value_); }
    friend constexpr Number operator-(Number a, Number b) { return Number(a.fractional_ || b.fractional_, a.value_ - b.value_); }
    friend constexpr bool operator==(Number a, Number b) { return a.fractional_ == b.fractional_ && a.value_ == b.value_; }

    // The shortest form, at most 15 significant digits, with the given decimal separator.
    QString toText(const QString& decimalSeparator) const;
    // The same with the separator of the user's regional settings.
    QString toText() const;

private:
    constexpr Number(bool fractional, double v) : fractional_(fractional), value_(v) {}
    bool fractional_;
    double value_;
};

// The decimal separator of the user's regional settings (LC_ALL, LC_NUMERIC, LANG).
QString systemDecimalSeparator();

}  // namespace quiz
