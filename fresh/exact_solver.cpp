#include "fresh/exact_solver.h"

#include <QStringList>
#include <numeric>

namespace minamo {

namespace {

using Int = std::int64_t;

// Rational arithmetic that gives up (nothing) instead of overflowing.
std::optional<Rational> make(__int128 num, __int128 den) {
    if (den == 0) {
        return std::nullopt;
    }
    if (den < 0) {
        num = -num;
        den = -den;
    }
    __int128 a = num < 0 ? -num : num;
    __int128 b = den;
    while (b != 0) {
        const __int128 t = a % b;
        a = b;
        b = t;
    }
    if (a > 1) {
        num /= a;
        den /= a;
    }
    constexpr __int128 limit = INT64_MAX;
    if (num > limit || num < -limit || den > limit) {
        return std::nullopt;
    }
    return Rational{static_cast<Int>(num), static_cast<Int>(den)};
}

std::optional<Rational> add(Rational a, Rational b) {
    return make(static_cast<__int128>(a.num) * b.den + static_cast<__int128>(b.num) * a.den,
                static_cast<__int128>(a.den) * b.den);
}

std::optional<Rational> multiply(Rational a, Rational b) {
    return make(static_cast<__int128>(a.num) * b.num, static_cast<__int128>(a.den) * b.den);
}

// A side as a·x + b.
struct Linear {
    Rational a;
    Rational b;
};

std::optional<Linear> plus(const Linear& p, const Linear& q) {
    const auto a = add(p.a, q.a);
    const auto b = add(p.b, q.b);
    if (!a || !b) {
        return std::nullopt;
    }
    return Linear{*a, *b};
}

std::optional<Linear> scaled(const Linear& p, Rational k) {
    const auto a = multiply(p.a, k);
    const auto b = multiply(p.b, k);
    if (!a || !b) {
        return std::nullopt;
    }
    return Linear{*a, *b};
}

class SideReader {
public:
    explicit SideReader(const QString& text) : text_(text) {}

    std::optional<Linear> read() {
        const auto value = sum();
        if (!value || pos_ != text_.size()) {
            return std::nullopt;
        }
        return value;
    }

private:
    QChar peek() const { return pos_ < text_.size() ? text_[pos_] : QChar(); }

    std::optional<Int> number() {
        const qsizetype start = pos_;
        Int n = 0;
        while (peek() >= u'0' && peek() <= u'9') {
            if (n > (INT64_MAX - 9) / 10) {
                return std::nullopt;
            }
            n = n * 10 + (peek().unicode() - '0');
            ++pos_;
        }
        if (pos_ == start) {
            return std::nullopt;
        }
        return n;
    }

    std::optional<Linear> sum() {
        Linear total;
        bool first = true;
        while (true) {
            Int sign = 1;
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
            const auto signedTerm = scaled(*t, Rational{sign, 1});
            const auto next = signedTerm ? plus(total, *signedTerm) : std::nullopt;
            if (!next) {
                return std::nullopt;
            }
            total = *next;
        }
    }

    // "(...)", never nested.
    std::optional<Linear> bracket() {
        ++pos_;
        if (depth_ > 0) {
            return std::nullopt;
        }
        ++depth_;
        const auto inner = sum();
        --depth_;
        if (!inner || peek() != u')') {
            return std::nullopt;
        }
        ++pos_;
        return inner;
    }

    std::optional<Linear> term() {
        const auto k = number();
        if (peek() == u'(') {
            const auto inner = bracket();
            if (!inner) {
                return std::nullopt;
            }
            // A bracket over a number, "(1800-x)/150" or "4(x+30)/60", as a story's
            // equation writes a time or a share.
            Rational factor{k.value_or(1), 1};
            if (peek() == u'/') {
                ++pos_;
                const auto d = number();
                const auto divided = d ? make(factor.num, *d) : std::nullopt;
                if (!divided) {
                    return std::nullopt;
                }
                factor = *divided;
            }
            return scaled(*inner, factor);
        }
        if (peek() == u'/') {
            ++pos_;
            const auto d = number();
            if (!k || !d) {
                return std::nullopt;
            }
            const auto value = make(*k, *d);
            if (!value) {
                return std::nullopt;
            }
            if (peek() == u'x') {
                ++pos_;
                return Linear{.a = *value, .b = {}};
            }
            if (peek() == u'(') {
                // A fraction before a bracket, "1/20(500-x)": the bracket that many times.
                const auto inner = bracket();
                return inner ? scaled(*inner, *value) : std::nullopt;
            }
            return Linear{.a = {}, .b = *value};
        }
        if (peek() == u'x') {
            ++pos_;
            Rational a{k.value_or(1), 1};
            if (peek() == u'/') {
                ++pos_;
                const auto d = number();
                const auto divided = d ? make(a.num, *d) : std::nullopt;
                if (!divided) {
                    return std::nullopt;
                }
                a = *divided;
            }
            return Linear{.a = a, .b = {}};
        }
        if (!k) {
            return std::nullopt;
        }
        return Linear{.a = {}, .b = Rational{*k, 1}};
    }

    QString text_;
    qsizetype pos_ = 0;
    int depth_ = 0;
};

// The one x, none or every x for which both sides are equal: (a - c)x = d - b.
std::optional<LinearSolution> solveSides(const Linear& left, const Linear& right) {
    const auto slope = add(left.a, Rational{-right.a.num, right.a.den});
    const auto rest = add(right.b, Rational{-left.b.num, left.b.den});
    if (!slope || !rest) {
        return std::nullopt;
    }
    if (slope->num == 0) {
        return LinearSolution{.kind = rest->num == 0 ? LinearSolution::Kind::Every
                                                     : LinearSolution::Kind::None};
    }
    const auto x = multiply(*rest, Rational{slope->den, slope->num});
    if (!x) {
        return std::nullopt;
    }
    return LinearSolution{.kind = LinearSolution::Kind::One, .x = *x};
}

// The product of two terms of a ratio; nothing when both hold x, as x·x is not linear.
std::optional<Linear> product(const Linear& p, const Linear& q) {
    if (p.a.num != 0 && q.a.num != 0) {
        return std::nullopt;
    }
    return p.a.num != 0 ? scaled(p, q.b) : scaled(q, p.b);
}

} // namespace

std::optional<LinearSolution> solveLinear(const QString& equation) {
    const QStringList sides = equation.split(u'=');
    if (sides.size() != 2) {
        return std::nullopt;
    }
    const auto left = SideReader(sides[0]).read();
    const auto right = SideReader(sides[1]).read();
    if (!left || !right) {
        return std::nullopt;
    }
    return solveSides(*left, *right);
}

std::optional<LinearSolution> solveRatio(const QString& equation) {
    const QStringList sides = equation.split(u'=');
    if (sides.size() != 2) {
        return std::nullopt;
    }
    const QStringList left = sides[0].split(u':');
    const QStringList right = sides[1].split(u':');
    if (left.size() != 2 || right.size() != 2) {
        return std::nullopt;
    }
    std::optional<Linear> terms[] = {SideReader(left[0]).read(), SideReader(left[1]).read(),
                                     SideReader(right[0]).read(), SideReader(right[1]).read()};
    for (const auto& term : terms) {
        if (!term) {
            return std::nullopt;
        }
    }
    // a:b = c:d holds where a·d = b·c (the outer terms' product equals the inner terms').
    const auto outer = product(*terms[0], *terms[3]);
    const auto inner = product(*terms[1], *terms[2]);
    if (!outer || !inner) {
        return std::nullopt;
    }
    return solveSides(*outer, *inner);
}

QString answerText(const Rational& x) {
    if (x.den == 1) {
        return QStringLiteral("x=%1").arg(x.num);
    }
    return QStringLiteral("x=%1/%2").arg(x.num).arg(x.den);
}

} // namespace minamo
