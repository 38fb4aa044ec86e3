#pragma once

// The shape of a bank problem: its text with the numbers taken out. A fresh problem of the
// same shape is the same text with other numbers in the same places.

#include <QString>
#include <vector>

namespace minamo {

// What a number does where it stands, and so which values keep the text in the banks' form.
enum class NumberRole {
    Constant,    // "x+8=2": 1 or more
    Coefficient, // "3x", "5x/12": 2 or more (1 is written "x")
    Multiplier,  // "6(x-3)": 2 or more (1 is written without a number)
    Numerator,   // "1/3", "1/3x": 1 or more
    Denominator, // "/3": 2 or more
};

struct NumberPlace {
    NumberRole role = NumberRole::Constant;
    int digits = 1;    // the bank's number has this many; a fresh one no more
    int bankValue = 0; // 0 stays 0: "=0" is part of the shape
    // For a denominator, the place of its numerator (or of the coefficient of "ax/b").
    int over = -1;
};

struct ProblemShape {
    std::vector<QString> pieces; // the text around the numbers: one more than places
    std::vector<NumberPlace> places;

    // The text with these numbers in the places, in order.
    QString with(const std::vector<int>& values) const;
};

// The shape of a problem text; every run of digits is one number.
ProblemShape shapeOf(const QString& problem);

} // namespace minamo
