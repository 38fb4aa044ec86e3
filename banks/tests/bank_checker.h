#pragma once

// An exact reading of the banks' equations, kept apart from any code that writes or solves
// them: a side of an equation evaluated at a given x with rational arithmetic, an answer in
// the stored form read back. The banks' tests and the fresh numbers' tests check answers by
// substituting them.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <numeric>
#include <optional>
#include <ostream>

namespace minamo::bankcheck {

inline const QString instruction = QStringLiteral(" 方程式を解いて。");

// An exact fraction num/den, den > 0, in lowest terms.
struct Rational {
    std::int64_t num = 0;
    std::int64_t den = 1;

    Rational() = default;
    Rational(std::int64_t n, std::int64_t d = 1) : num(n), den(d) {
        if (den < 0) {
            num = -num;
            den = -den;
        }
        const std::int64_t g = std::gcd(num, den);
        if (g > 1) {
            num /= g;
            den /= g;
        }
    }
    friend Rational operator+(Rational a, Rational b) {
        return {a.num * b.den + b.num * a.den, a.den * b.den};
    }
    friend Rational operator-(Rational a, Rational b) { return a + Rational(-b.num, b.den); }
    friend Rational operator*(Rational a, Rational b) { return {a.num * b.num, a.den * b.den}; }
    friend Rational operator/(Rational a, Rational b) { return {a.num * b.den, a.den * b.num}; }
    friend bool operator==(Rational a, Rational b) { return a.num == b.num && a.den == b.den; }
    friend void PrintTo(const Rational& r, std::ostream* os) { *os << r.num << "/" << r.den; }
};

// Evaluates one side of an equation of the banks' syntax at a given x: integers, x terms,
// a/b, a/bx (= (a/b)x), ax/b (= (ax)/b), brackets after a number or a lone sign.
// Returns nothing for a text outside that syntax.
class SideReader {
public:
    SideReader(const QString& text, Rational x) : text_(text), x_(x) {}

    std::optional<Rational> read() {
        const auto value = sum();
        if (!value || pos_ != text_.size()) {
            return std::nullopt;
        }
        return value;
    }

private:
    QChar peek() const { return pos_ < text_.size() ? text_[pos_] : QChar(); }

    std::optional<std::int64_t> number() {
        const qsizetype start = pos_;
        std::int64_t n = 0;
        while (peek().isDigit()) {
            n = n * 10 + (peek().unicode() - '0');
            ++pos_;
        }
        if (pos_ == start) {
            return std::nullopt;
        }
        return n;
    }

    std::optional<Rational> sum() {
        Rational total;
        bool first = true;
        while (true) {
            int sign = 1;
            if (peek() == u'+' || peek() == u'-') {
                sign = peek() == u'-' ? -1 : 1;
                ++pos_;
            } else if (!first) {
                return total;
            }
            first = false;
            const auto t = term();
            if (!t) {
                return std::nullopt;
            }
            total = total + Rational(sign) * *t;
        }
    }

    std::optional<Rational> term() {
        const auto k = number();
        if (peek() == u'(') {
            ++pos_;
            const auto inner = sum();
            if (!inner || peek() != u')') {
                return std::nullopt;
            }
            ++pos_;
            return Rational(k.value_or(1)) * *inner;
        }
        if (peek() == u'/') {
            ++pos_;
            const auto d = number();
            if (!k || !d || *d == 0) {
                return std::nullopt;
            }
            if (peek() == u'x') {
                ++pos_;
                return Rational(*k, *d) * x_;
            }
            return Rational(*k, *d);
        }
        if (peek() == u'x') {
            ++pos_;
            Rational value = Rational(k.value_or(1)) * x_;
            if (peek() == u'/') {
                ++pos_;
                const auto d = number();
                if (!d || *d == 0) {
                    return std::nullopt;
                }
                value = value / Rational(*d);
            }
            return value;
        }
        if (!k) {
            return std::nullopt;
        }
        return Rational(*k);
    }

    QString text_;
    Rational x_;
    qsizetype pos_ = 0;
};

// left - right of an equation at x; nothing when the text is not one equation.
inline std::optional<Rational> imbalance(const QString& equation, Rational x) {
    const QStringList sides = equation.split(u'=');
    if (sides.size() != 2) {
        return std::nullopt;
    }
    const auto left = SideReader(sides[0], x).read();
    const auto right = SideReader(sides[1], x).read();
    if (!left || !right) {
        return std::nullopt;
    }
    return *left - *right;
}

// Reads an answer in the stored form: "x=" and an integer, or a fraction in lowest terms
// with a denominator of at least 2 and the sign in front of the numerator.
inline std::optional<Rational> readAnswer(const QString& answer) {
    if (!answer.startsWith(QStringLiteral("x="))) {
        return std::nullopt;
    }
    QString rest = answer.mid(2);
    const bool negative = rest.startsWith(u'-');
    if (negative) {
        rest.remove(0, 1);
    }
    const QStringList parts = rest.split(u'/');
    if (parts.size() > 2) {
        return std::nullopt;
    }
    std::int64_t values[2] = {0, 1};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& digits = parts[i];
        if (digits.isEmpty() || (digits.size() > 1 && digits.startsWith(u'0'))) {
            return std::nullopt;
        }
        for (QChar c : digits) {
            if (c < u'0' || c > u'9') {
                return std::nullopt;
            }
        }
        values[i] = digits.toLongLong();
    }
    const auto [num, den] = values;
    if ((negative && num == 0) || (parts.size() == 2 && (den < 2 || std::gcd(num, den) != 1))) {
        return std::nullopt;
    }
    return Rational(negative ? -num : num, den);
}

// The equation part of a stored problem text, or nothing when the text is not well formed.
inline std::optional<QString> equationOf(const QString& name, const QString& problem) {
    if (name == QStringLiteral("fillBasicB")) {
        return problem.contains(u' ') ? std::nullopt : std::optional<QString>(problem);
    }
    if (!problem.endsWith(instruction)) {
        return std::nullopt;
    }
    const QString equation = problem.chopped(instruction.size());
    return equation.contains(u' ') ? std::nullopt : std::optional<QString>(equation);
}

} // namespace minamo::bankcheck
