#pragma once

#include "core/drill_state.h"

#include <QString>
#include <span>

namespace minamo {

// The built-in problem sets. Each builder writes its problems at bank positions 1..N in
// its fixed order (problem text and expected answer) and sets bankCount to N.
void fillBasicA(DrillState& s);
void fillBasicB(DrillState& s);
void fillStandard1(DrillState& s);
void fillStandard2(DrillState& s);
void fillStandard3(DrillState& s);
void fillStandard4(DrillState& s);
void fillStandard5(DrillState& s);
void fillComplex1(DrillState& s);
void fillComplex2(DrillState& s);
void fillComplex3(DrillState& s);
void fillComplex4(DrillState& s);
void fillComplex5(DrillState& s);
void fillFraction1(DrillState& s);
void fillFraction2(DrillState& s);
void fillFraction3(DrillState& s);

using BankFill = void (*)(DrillState&);

struct BankBuilder {
    QString name; // "fillBasicA"
    BankFill fill;
};

// All fifteen builders, in the order of the catalogue of sets.
std::span<const BankBuilder> bankBuilders();

} // namespace minamo
