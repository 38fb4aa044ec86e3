#pragma once

// Reads back what a worked solution shows in Picture7, line by line in reading order, from
// the recording fake: the stacked fraction lines as their texts, the empty line, every text
// step as printed, and a stacked solution as "x=N/D" (its reduced form on a line of its own).

#include "core/drill_state.h"
#include "fake/fake_platform.h"

#include <QStringList>

namespace minamo::trace {

// The stacked fraction lines are drawn for an equation with "/" and "=".
inline bool hasFractionLines(const QString& equation) {
    return equation.contains(u'/') && equation.contains(u'=');
}

// ops: Picture7's operations since it was last cleared; s: the state after the solution.
inline QStringList readSolutionLines(const std::vector<DrawOp>& ops, const DrillState& s,
                                     const QString& equation) {
    QStringList lines;
    if (hasFractionLines(equation)) {
        lines << s.fractionLines[1] << s.fractionLines[2];
    }

    // The text part begins with the empty line; everything before it is the fraction lines.
    std::size_t i = 0;
    while (i < ops.size() && !(ops[i].kind == DrawOp::Kind::Print && ops[i].text.isEmpty() &&
                               ops[i].end == LineEnd::Break)) {
        ++i;
    }

    QString current;
    bool inFraction = false; // a bar has been drawn: the next line is a denominator
    QString numerator;
    for (; i < ops.size(); ++i) {
        const DrawOp& op = ops[i];
        if (op.kind == DrawOp::Kind::Line) {
            // The line above the bar is the numerator; a sign printed on a line of its own
            // just before it ("x=" of the reduced form) belongs to it.
            numerator = lines.isEmpty() ? QString() : lines.takeLast();
            if (!numerator.contains(u'=') && !lines.isEmpty() &&
                (lines.back().endsWith(QStringLiteral("=")) ||
                 lines.back().endsWith(QStringLiteral("=-")))) {
                numerator.prepend(lines.takeLast());
            }
            inFraction = true;
            continue;
        }
        if (op.kind != DrawOp::Kind::Print) {
            continue;
        }
        current += op.text;
        if (op.end == LineEnd::Break) {
            if (inFraction) {
                lines << numerator + QStringLiteral("/") + current;
                inFraction = false;
            } else {
                lines << current;
            }
            current.clear();
        }
    }
    if (!current.isEmpty()) {
        lines << current;
    }
    return lines;
}

} // namespace minamo::trace
