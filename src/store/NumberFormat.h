#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// The number forms shown throughout the program, and the reader of typed amounts. Every finite
// value shows as a number: one too large for a fixed form (1e18 and more) takes the general form
// with an exponent. A value that is not finite (an overflowed result) shows as nothing.
class NumberFormat
{
public:
    // "#.##": two decimals at most, no trailing zeros, no zero before the point (.5), and
    // nothing for a value that rounds to zero.
    static QString hashes(double value);
    // General form: up to 15 significant digits, no trailing zeros.
    static QString general(double value);
    // The C "%g" form: six significant digits.
    static QString g6(double value);
    // "%.2f": two decimals.
    static QString fixed2(double value);
    // "%2.f": no decimals, at least two characters wide.
    static QString fixed0(double value);
    // A stored value in general form; empty for an empty field.
    static QString general(const QVariant& value);
    // A stored value in general form followed by a blank and its unit (the number alone without
    // a unit); empty for an empty field.
    static QString withUnit(const QVariant& value, const QString& unit);
    // The same for a value that may be missing: empty then.
    static QString optionalWithUnit(const std::optional<double>& value, const QString& unit);

    // The number at the start of text: optional blanks, an optional sign, digits with "." as
    // the decimal point, an optional exponent. What follows is ignored; no number gives 0.
    static double leadingNumber(const QString& text);
    // True when text (trimmed) is one complete number in the form above.
    static bool isNumber(const QString& text, double* value = nullptr);
};
