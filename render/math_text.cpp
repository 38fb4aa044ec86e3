#include "render/math_text.h"

#include <QRegularExpression>
#include <algorithm>

namespace minamo {

namespace {

constexpr double twipsPerPoint = 20;
// The parts of a line, in ems of the area's font.
constexpr double lineAdvanceEm = 1.35;
constexpr double fractionLineAdvanceEm = 2.35;
constexpr double barEm = 1.12;
constexpr double denominatorEm = 1.22;
constexpr double textInFractionLineEm = 0.6;
// A fraction's bar reaches this far past the wider of its numbers, on each side.
constexpr double barOverhangEm = 0.12;

// A numerator (a bracketed expression, or digits and x), "/", a denominator of digits.
const QRegularExpression fractionAt(QStringLiteral(R"((\([^()]*\)|[0-9x]+)/([0-9]+))"));

bool isTight(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x20 && u < 0x7F) || u == u'×' || u == u'÷';
}

// Marks that never begin a line, and those that never end one.
bool clingsBack(QChar c) {
    return QStringLiteral("、。，．）」』・：；！？ー").contains(c);
}
bool clingsForward(QChar c) {
    return QStringLiteral("（「『").contains(c);
}

double em(const PictureArea& area) {
    return area.fontSize() * twipsPerPoint;
}

double atomWidth(const PictureArea& area, const MathAtom& atom) {
    if (atom.kind == MathAtom::Kind::Text) {
        return area.textWidth(atom.text);
    }
    return std::max(area.textWidth(atom.text), area.textWidth(atom.denominator)) +
           2 * barOverhangEm * em(area);
}

} // namespace

std::vector<MathAtom> mathAtoms(const QString& text) {
    std::vector<MathAtom> atoms;
    QString tight; // a run of letters, digits and signs, cut only at its blanks
    const auto endTight = [&] {
        if (!tight.isEmpty()) {
            atoms.push_back({.kind = MathAtom::Kind::Text, .text = tight, .denominator = {}});
            tight.clear();
        }
    };
    for (qsizetype i = 0; i < text.size();) {
        const QRegularExpressionMatch fraction =
            fractionAt.match(text, i, QRegularExpression::NormalMatch,
                             QRegularExpression::AnchorAtOffsetMatchOption);
        if (fraction.hasMatch()) {
            endTight();
            atoms.push_back({.kind = MathAtom::Kind::Fraction,
                             .text = fraction.captured(1),
                             .denominator = fraction.captured(2)});
            i = fraction.capturedEnd();
            continue;
        }
        const QChar c = text[i];
        if (isTight(c)) {
            // A blank ends a run unless a unit or a letter follows it on the same word
            // ("700 m", "分速 x m").
            tight += c;
            if (c == u' ' && tight.size() > 1 && (i + 1 >= text.size() || !isTight(text[i + 1]))) {
                endTight();
            }
            ++i;
            continue;
        }
        endTight();
        if (clingsBack(c) && !atoms.empty() && atoms.back().kind == MathAtom::Kind::Text) {
            atoms.back().text += c;
        } else if (!atoms.empty() && atoms.back().kind == MathAtom::Kind::Text &&
                   atoms.back().text.size() == 1 && clingsForward(atoms.back().text.front())) {
            atoms.back().text += c;
        } else {
            atoms.push_back({.kind = MathAtom::Kind::Text, .text = QString(c)});
        }
        ++i;
    }
    endTight();
    return atoms;
}

double mathLineHeight(const PictureArea& area) {
    return lineAdvanceEm * em(area);
}

double mathFractionLineHeight(const PictureArea& area) {
    return fractionLineAdvanceEm * em(area);
}

double drawMathText(PictureArea& area, const QString& text, double left, double top, double width) {
    std::vector<MathAtom> atoms = mathAtoms(text);
    // Each atom measured once: the measures are the costly part of a story's drawing.
    std::vector<double> widths;
    widths.reserve(atoms.size());
    for (const MathAtom& atom : atoms) {
        widths.push_back(atomWidth(area, atom));
    }
    const double size = em(area);
    double y = top;
    std::size_t first = 0;
    while (first < atoms.size()) {
        // A line's first atom loses its leading blank.
        if (atoms[first].kind == MathAtom::Kind::Text &&
            atoms[first].text.trimmed() != atoms[first].text) {
            atoms[first].text = atoms[first].text.trimmed();
            widths[first] = atomWidth(area, atoms[first]);
        }
        // The atoms of this line: as many as fit, at least one.
        std::size_t end = first;
        double used = 0;
        bool fractions = false;
        while (end < atoms.size()) {
            if (end > first && used + widths[end] > width) {
                break;
            }
            used += widths[end];
            fractions = fractions || atoms[end].kind == MathAtom::Kind::Fraction;
            ++end;
        }
        const double textTop = fractions ? y + textInFractionLineEm * size : y;
        // Text atoms side by side are printed as one run, from where the first stands.
        QString run;
        double runX = left;
        const auto endRun = [&] {
            if (!run.isEmpty()) {
                area.setPen(runX, textTop);
                area.print(run, LineEnd::Stay);
                run.clear();
            }
        };
        double x = left;
        for (std::size_t k = first; k < end; ++k) {
            const MathAtom& atom = atoms[k];
            const double w = widths[k];
            if (atom.kind == MathAtom::Kind::Text) {
                if (run.isEmpty()) {
                    runX = x;
                }
                run += atom.text;
            } else {
                endRun();
                area.setPen(x + (w - area.textWidth(atom.text)) / 2, y);
                area.print(atom.text, LineEnd::Stay);
                area.line(x, y + barEm * size, x + w, y + barEm * size, colour::green);
                area.setPen(x + (w - area.textWidth(atom.denominator)) / 2,
                            y + denominatorEm * size);
                area.print(atom.denominator, LineEnd::Stay);
            }
            x += w;
        }
        endRun();
        y += fractions ? mathFractionLineHeight(area) : mathLineHeight(area);
        first = end;
    }
    area.setPen(left, y);
    return y;
}

} // namespace minamo
