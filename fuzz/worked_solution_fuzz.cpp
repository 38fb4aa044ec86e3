// The equation engine over arbitrary short texts (UTF-8, at most maxTextBytes bytes): the side
// simplifier on the text and on each side of its "=", the fraction clearing and the whole
// worked solution. None may crash, index a list out of its range or draw at a coordinate the
// 16-bit twips cannot hold.
//
// Texts that are linear equations of the kind the banks hold (integers, x, one level of
// brackets, or fraction terms without brackets) are also solved here exactly, so that a
// 16-bit overflow cannot change a result silently:
// - a side's coefficient and constant are exact when they fit in 16 bits, and saturated at
//   the limit of the range (with the true sign) when they do not;
// - a solution the worked solution shows is the equation's solution.
// Raw texts seldom form such equations, so an input that begins with the byte 0xFF is not a
// text: its bytes build a bank-like equation (see generatedEquation).

#include "algebra/fraction_clearing.h"
#include "algebra/side_simplifier.h"
#include "algebra/worked_solution.h"
#include "core/fixed_list.h"
#include "drivers/fake_drive.h"
#include "fake/solution_reading.h"
#include "fuzz/fuzz_check.h"

#include <QRegularExpression>
#include <cstdint>
#include <optional>

namespace minamo {
namespace {

constexpr std::size_t maxTextBytes = 64;
constexpr std::uint8_t generatedMark = 0xFF;
// Literals longer than this are not read by the exact solver (they are fuzzed all the same).
constexpr int maxDigits = 6;
// Fraction equations of the banks have at most four terms; more are outside the clearing.
constexpr int maxFractionTerms = 4;

using Big = __int128;

Big gcd(Big a, Big b) {
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        const Big r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// An exact fraction, kept in lowest terms with a positive denominator.
struct Ratio {
    Big num = 0;
    Big den = 1;
};

Ratio ratio(Big num, Big den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const Big g = gcd(num, den);
    return g > 1 ? Ratio{num / g, den / g} : Ratio{num, den};
}

Ratio operator+(Ratio a, Ratio b) {
    return ratio(a.num * b.den + b.num * a.den, a.den * b.den);
}
Ratio operator-(Ratio a, Ratio b) {
    return a + Ratio{-b.num, b.den};
}
Ratio operator*(Ratio a, Ratio b) {
    return ratio(a.num * b.num, a.den * b.den);
}
bool operator==(Ratio a, Ratio b) {
    return a.num == b.num && a.den == b.den;
}

QString text(Big value) {
    const bool negative = value < 0;
    auto magnitude = static_cast<unsigned __int128>(negative ? -value : value);
    QString digits;
    do {
        digits.prepend(QChar(u'0' + static_cast<char16_t>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? QStringLiteral("-") + digits : digits;
}
QString text(Ratio r) {
    return r.den == 1 ? text(r.num) : text(r.num) + u'/' + text(r.den);
}

// a·x + c.
struct Linear {
    Ratio a;
    Ratio c;
    int terms = 0;
};

enum class Brackets { Allowed, No };
enum class Fractions { Allowed, No };

// A strict reader of one side: terms with a sign between them (the first may have one), each
// a number, a number with x, a bracket group with an optional number before it, or (where
// fractions are allowed) a fraction with x above or after the bar.
class SideReader {
public:
    SideReader(const QString& side, Brackets brackets, Fractions fractions)
        : t_(side), brackets_(brackets), fractions_(fractions) {}

    std::optional<Linear> read() {
        Linear sum;
        bool first = true;
        while (p_ < t_.size()) {
            Big sign = 1;
            if (t_[p_] == u'+' || t_[p_] == u'-') {
                sign = t_[p_] == u'-' ? -1 : 1;
                ++p_;
            } else if (!first) {
                return std::nullopt;
            }
            first = false;
            const std::optional<Linear> term = readTerm();
            if (!term) {
                return std::nullopt;
            }
            sum.a = sum.a + Ratio{sign, 1} * term->a;
            sum.c = sum.c + Ratio{sign, 1} * term->c;
            sum.terms += term->terms;
        }
        if (first) {
            return std::nullopt;
        }
        return sum;
    }

private:
    std::optional<Big> number() {
        Big value = 0;
        int digits = 0;
        while (p_ < t_.size() && t_[p_] >= u'0' && t_[p_] <= u'9') {
            if (++digits <= maxDigits) {
                value = value * 10 + (t_[p_].unicode() - u'0');
            }
            ++p_;
        }
        if (digits == 0 || digits > maxDigits) {
            return std::nullopt;
        }
        return value;
    }
    bool at(char16_t c) const { return p_ < t_.size() && t_[p_] == c; }
    bool atNumber() const { return p_ < t_.size() && t_[p_] >= u'0' && t_[p_] <= u'9'; }

    std::optional<Linear> readTerm() {
        std::optional<Big> n;
        if (atNumber()) {
            n = number();
            if (!n) {
                return std::nullopt;
            }
        }
        if (at(u'(') && brackets_ == Brackets::Allowed) {
            ++p_;
            const auto close = t_.indexOf(u')', p_);
            if (close < 0) {
                return std::nullopt;
            }
            const QString inside = t_.mid(p_, close - p_);
            if (inside.contains(u'(')) {
                return std::nullopt;
            }
            p_ = close + 1;
            std::optional<Linear> group = SideReader(inside, Brackets::No, Fractions::No).read();
            if (!group) {
                return std::nullopt;
            }
            const Ratio factor{n.value_or(1), 1};
            return Linear{factor * group->a, factor * group->c, group->terms};
        }
        bool letter = false;
        if (at(u'x')) {
            letter = true;
            ++p_;
        } else if (!n) {
            return std::nullopt;
        }
        Big denominator = 1;
        if (at(u'/') && fractions_ == Fractions::Allowed) {
            if (!n && !letter) {
                return std::nullopt;
            }
            ++p_;
            const std::optional<Big> d = number();
            if (!d || *d == 0) {
                return std::nullopt;
            }
            denominator = *d;
            if (at(u'x')) {
                if (letter) {
                    return std::nullopt;
                }
                letter = true;
                ++p_;
            }
        }
        const Ratio value = ratio(n.value_or(1), denominator);
        return letter ? Linear{value, {}, 1} : Linear{{}, value, 1};
    }

    QString t_;
    qsizetype p_ = 0;
    Brackets brackets_;
    Fractions fractions_;
};

struct Equation {
    Linear left, right;
};

std::optional<Equation> readEquation(const QString& equation) {
    const auto equals = equation.indexOf(u'=');
    if (equals < 0 || equation.indexOf(u'=', equals + 1) >= 0) {
        return std::nullopt;
    }
    const bool fractions = equation.contains(u'/');
    const Brackets brackets = fractions ? Brackets::No : Brackets::Allowed;
    const Fractions allowed = fractions ? Fractions::Allowed : Fractions::No;
    const auto left = SideReader(equation.left(equals), brackets, allowed).read();
    const auto right = SideReader(equation.mid(equals + 1), brackets, allowed).read();
    if (!left || !right) {
        return std::nullopt;
    }
    if (fractions && left->terms + right->terms > maxFractionTerms) {
        return std::nullopt;
    }
    return Equation{*left, *right};
}

int16 saturated(Big value) {
    return value > 32767    ? int16{32767}
           : value < -32768 ? int16{-32768}
                            : static_cast<int16>(value);
}

// The simplifier on one side; its exact value when the reader takes the side.
void checkSide(DrillState& s, const QString& side, const QString& input) {
    s.sideText = side;
    s.sideExpanded.clear();
    simplifySide(s);
    const std::optional<Linear> exact = SideReader(side, Brackets::Allowed, Fractions::No).read();
    if (!exact) {
        return;
    }
    const QString detail =
        QStringLiteral("text \"%1\", side \"%2\": exact %3x%4%5, got %6 %7 %8")
            .arg(input, side, text(exact->a), exact->c.num >= 0 ? QStringLiteral("+") : QString(),
                 text(exact->c), QString::number(s.sideCoefficient), s.sideLetter,
                 QString::number(s.sideConstant));
    FUZZ_CHECK(s.sideCoefficient == saturated(exact->a.num), detail);
    FUZZ_CHECK(s.sideConstant == saturated(exact->c.num), detail);
}

// "x=5", "x=-12/5", "=7": the value a solution line shows.
std::optional<Ratio> shownSolution(const QString& line) {
    static const QRegularExpression form(QStringLiteral("^x?=(-?)(\\d{1,12})(?:/(\\d{1,12}))?$"));
    const QRegularExpressionMatch m = form.match(line);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const Big n = m.captured(2).toLongLong();
    const Big d = m.captured(3).isEmpty() ? 1 : m.captured(3).toLongLong();
    if (d == 0) {
        return std::nullopt;
    }
    return ratio(m.captured(1).isEmpty() ? n : -n, d);
}

void checkSolution(FakeForm& f, const QString& input) {
    const std::optional<Equation> exact = readEquation(input);
    if (!exact) {
        return;
    }
    const QStringList lines = trace::readSolutionLines(f.fake.picture7.ops(), f.s(), input);
    const std::optional<Ratio> shown = lines.isEmpty() ? std::nullopt : shownSolution(lines.back());
    const Ratio a = exact->left.a - exact->right.a;
    const Ratio b = exact->right.c - exact->left.c;
    const QString detail = QStringLiteral("equation \"%1\": %2x=%3, shown \"%4\"")
                               .arg(input, text(a), text(b), lines.join(QStringLiteral("\" \"")));
    if (a.num == 0) {
        // 0x=b is shown as x=0, as designed; nothing else may be shown as its solution.
        FUZZ_CHECK(!shown || lines.back() == QStringLiteral("x=0"), detail);
        return;
    }
    if (shown) {
        FUZZ_CHECK(*shown == ratio(b.num * a.den, b.den * a.num), detail);
    }
}

// The bytes after the leading 0xFF as choices: the kind of equation, then for each side its
// terms, each term's sign, kind and numbers. Numbers are mostly one or two digits, some
// 16-bit and some up to six digits long. Missing bytes read as 0.
class EquationBuilder {
public:
    EquationBuilder(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    QString build() {
        fractions_ = (next() & 1) != 0;
        const int terms = fractions_ ? 2 : 4;
        QString equation;
        for (int side = 0; side < 2; ++side) {
            const int count = 1 + next() % terms;
            for (int t = 0; t < count; ++t) {
                equation += term(t == 0);
            }
            equation += side == 0 ? QStringLiteral("=") : QString();
        }
        return equation;
    }

private:
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    // The next n bytes as one number, the first the highest.
    int bytes(int n) {
        int value = 0;
        for (int i = 0; i < n; ++i) {
            value = value << 8 | next();
        }
        return value;
    }

    QString number() {
        const std::uint8_t b = next();
        switch (b >> 5) {
        case 0:
        case 1:
        case 2:
        case 3:
            return QString::number(1 + b % 9);
        case 4:
        case 5:
            return QString::number(b % 100);
        case 6:
            return QString::number(bytes(2) % 32768);
        default:
            return QString::number(bytes(3) % 1000000);
        }
    }

    QString sign(std::uint8_t b, bool first) {
        return (b & 1) != 0 ? QStringLiteral("-") : first ? QString() : QStringLiteral("+");
    }

    QString plainTerm(std::uint8_t b, bool first) {
        switch ((b >> 1) % 3) {
        case 0:
            return sign(b, first) + number();
        case 1:
            return sign(b, first) + number() + u'x';
        default:
            return sign(b, first) + u'x';
        }
    }

    QString term(bool first) {
        const std::uint8_t b = next();
        if (fractions_) {
            switch ((b >> 1) % 4) {
            case 0:
                return plainTerm(b, first);
            case 1:
                return sign(b, first) + number() + u'/' + number();
            case 2:
                return sign(b, first) + number() + QStringLiteral("x/") + number();
            default:
                return sign(b, first) + number() + u'/' + number() + u'x';
            }
        }
        if ((b >> 1) % 3 != 0) {
            return plainTerm(b, first);
        }
        // A bracket group, with or without a number before it.
        const std::uint8_t g = next();
        QString group = sign(b, first) + ((g & 1) != 0 ? number() : QString()) + u'(';
        const int inner = 1 + (g >> 1) % 3;
        for (int t = 0; t < inner; ++t) {
            group += plainTerm(next(), t == 0);
        }
        return group + u')';
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 1;
    bool fractions_ = false;
};

} // namespace
} // namespace minamo

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace minamo;
    if (size > maxTextBytes) {
        return 0;
    }
    const QString input =
        size >= 1 && data[0] == generatedMark
            ? EquationBuilder(data, size).build()
            : QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto violations = rangeViolations();
    const QString where = QStringLiteral("text \"%1\"").arg(input);

    FakeForm f;
    f.form.Form_Load();
    DrillState& s = f.s();

    // The simplifier: the whole text, then each side.
    checkSide(s, input, input);
    if (const auto equals = input.indexOf(u'='); equals >= 0) {
        checkSide(s, input.left(equals), input);
        checkSide(s, input.mid(equals + 1), input);
    }
    FUZZ_CHECK(rangeViolations() == violations, where + QStringLiteral(" (simplifySide)"));

    // The clearing alone, as the worked solution starts it.
    s.currentLine = input;
    s.solutionLineCount = 0;
    clearFractions(s);
    FUZZ_CHECK(rangeViolations() == violations, where + QStringLiteral(" (clearFractions)"));

    // The whole worked solution after a first miss, on a fresh window.
    FakeForm w;
    w.form.Form_Load();
    w.fake.picture7.clear();
    w.fake.picture7.forgetLog();
    w.s().explainedEquation = input;
    w.s().solutionLineCount = 0;
    showWorkedSolution(w.d());
    FUZZ_CHECK(rangeViolations() == violations, where + QStringLiteral(" (showWorkedSolution)"));
    fuzz::checkCoordinates(w.fake.picture7, 0, [&] { return where; });
    checkSolution(w, input);
    return 0;
}
