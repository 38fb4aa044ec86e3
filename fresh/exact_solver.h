#pragma once

// An exact solver of the banks' equations, kept apart from the worked solutions: it reads
// the equation text with rational arithmetic and finds the one x that makes both sides
// equal. What the worked solution shows is checked against it.

#include <QString>
#include <cstdint>
#include <optional>

namespace minamo {

// An exact fraction num/den with den > 0, in lowest terms.
struct Rational {
    std::int64_t num = 0;
    std::int64_t den = 1;

    friend bool operator==(const Rational&, const Rational&) = default;
};

// What an equation ax + b = cx + d says about x.
struct LinearSolution {
    enum class Kind { One, None, Every };
    Kind kind = Kind::None;
    Rational x; // the solution when there is exactly one
};

// Solves an equation of the banks' syntax: integers, x terms ("3x", "-x"), a/b, a/bx
// (= (a/b)x), ax/b (= (ax)/b), brackets after a number or a lone sign, never nested; and,
// as the word problems write them, a bracket over a number ("(1800-x)/150", "4(x+30)/60")
// and a fraction before a bracket ("1/20(500-x)").
// Nothing for a text outside that syntax or numbers beyond exact 64-bit arithmetic.
std::optional<LinearSolution> solveLinear(const QString& equation);

// Solves a ratio equation "a:b=c:d" by its own rule, a·d = b·c: each term is read as a side
// of solveLinear reads it (a whole number, a fraction, x, "(2400-x)"), with x in any place.
// Nothing for another text, or when a product would hold x twice (x·x is not linear).
// Kept apart from solveLinear, which reads no ":".
std::optional<LinearSolution> solveRatio(const QString& equation);

// The answer as the banks write it: "x=5", "x=-8/3".
QString answerText(const Rational& x);

} // namespace minamo
