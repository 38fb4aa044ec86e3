#pragma once

#include "core/drill_state.h"

#include <QStringView>
#include <span>

namespace minamo {

// One problem of a bank: the text the pupil reads and the answer judging expects.
struct BankProblem {
    QStringView question; // "x+3=4 方程式を解いて。"
    QStringView answer;   // "x=1"
    // Its worked solution, for a problem its equation alone does not explain; none for an
    // equation, which the drill explains step by step.
    const Working* working = nullptr;
};

// A built-in problem set, its problems in bank order (the order of difficulty).
struct Bank {
    QStringView builder; // the builder's name, "fillBasicA", as the traces print it
    std::span<const BankProblem> problems;
};

// The builder: writes the bank's problems at positions 1..N in its order (problem text and
// expected answer) and sets bankCount to N; the workings become the bank's. Positions above N
// keep what they held.
void fillBank(DrillState& s, const Bank& bank);

// The banks, each declared beside its table; the catalogue of sets says which menu entry
// asks which, and lists them (catalogueBanks).
extern const Bank basicA;
extern const Bank basicB;
extern const Bank standard1;
extern const Bank standard2;
extern const Bank standard3;
extern const Bank standard4;
extern const Bank standard5;
extern const Bank complex1;
extern const Bank complex2;
extern const Bank complex3;
extern const Bank complex4;
extern const Bank complex5;
extern const Bank fraction1;
extern const Bank fraction2;
extern const Bank fraction3;

} // namespace minamo
