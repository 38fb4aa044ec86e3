#include "app/answer_form.h"

#include "fresh/exact_solver.h"

#include <array>
#include <cstdint>
#include <numeric>
#include <optional>

namespace minamo {

namespace {

// A run of more digits may not fit 64-bit arithmetic; such a value is not read at all.
constexpr qsizetype maxDigits = 18;
constexpr std::int64_t ten = 10;

enum class Sign { None, Plus, Minus };
enum class Shape { Whole, Decimal, Fraction };

// A typed or expected answer read as a number, with how it was written.
struct ReadAnswer {
    bool hasHead = false;
    Sign sign = Sign::None;
    Shape shape = Shape::Whole;
    // The digit runs as written: the whole number, the numerator and the denominator, or
    // the two sides of the decimal point.
    QStringList runs;
    std::int64_t top = 0, bottom = 1; // a fraction's numerator and denominator as written
    Rational value;
};

bool isDigits(QStringView run) {
    for (const QChar c : run) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

QStringView withoutLeadingZeros(QStringView run) {
    while (run.startsWith(u'0')) {
        run = run.mid(1);
    }
    return run;
}

std::optional<std::int64_t> runValue(QStringView run) {
    const QStringView digits = withoutLeadingZeros(run);
    if (digits.size() > maxDigits) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const QChar c : digits) {
        value = value * ten + (c.unicode() - u'0');
    }
    return value;
}

Rational reduced(std::int64_t num, std::int64_t den, Sign sign) {
    const std::int64_t common = std::gcd(num, den);
    return Rational{.num = (sign == Sign::Minus ? -num : num) / common, .den = den / common};
}

// Reads "[head][+|-]digits", "...digits/digits" or "...digits.digits" (either side of the
// point may be empty, not both); nothing for any other text or a zero denominator. Only
// ASCII digits are read: the editor lets no other through.
std::optional<ReadAnswer> readAnswer(QStringView text, QStringView head) {
    ReadAnswer read;
    read.hasHead = !head.isEmpty() && text.startsWith(head);
    if (read.hasHead) {
        text = text.mid(head.size());
    }
    if (text.startsWith(u'+') || text.startsWith(u'-')) {
        read.sign = text.front() == u'+' ? Sign::Plus : Sign::Minus;
        text = text.mid(1);
    }
    if (const auto slash = text.indexOf(u'/'); slash >= 0) {
        const QStringView num = text.left(slash);
        QStringView den = text.mid(slash + 1);
        // A "+" typed before a fraction ("x=+6/4", denominator first) stands in front of
        // the denominator in the editor's text: "x=4/+6".
        if (read.sign == Sign::None && den.startsWith(u'+')) {
            read.sign = Sign::Plus;
            den = den.mid(1);
        }
        if (num.isEmpty() || den.isEmpty() || !isDigits(num) || !isDigits(den)) {
            return std::nullopt;
        }
        const auto top = runValue(num), bottom = runValue(den);
        if (!top || !bottom || *bottom == 0) {
            return std::nullopt;
        }
        read.shape = Shape::Fraction;
        read.runs = {num.toString(), den.toString()};
        read.top = *top;
        read.bottom = *bottom;
        read.value = reduced(*top, *bottom, read.sign);
        return read;
    }
    if (const auto point = text.indexOf(u'.'); point >= 0) {
        const QStringView whole = text.left(point), part = text.mid(point + 1);
        if (whole.size() + part.size() == 0 || !isDigits(whole) || !isDigits(part)) {
            return std::nullopt;
        }
        QStringView places = part;
        while (places.endsWith(u'0')) {
            places.chop(1);
        }
        const auto num = runValue(whole.toString() + places.toString());
        if (!num || places.size() > maxDigits) {
            return std::nullopt;
        }
        std::int64_t den = 1;
        for (qsizetype i = 0; i < places.size(); ++i) {
            den *= ten;
        }
        read.shape = Shape::Decimal;
        read.runs = {whole.toString(), part.toString()};
        read.value = reduced(*num, den, read.sign);
        return read;
    }
    if (text.isEmpty() || !isDigits(text)) {
        return std::nullopt;
    }
    const auto value = runValue(text);
    if (!value) {
        return std::nullopt;
    }
    read.runs = {text.toString()};
    read.value = reduced(*value, 1, read.sign);
    return read;
}

bool hasLeadingZero(const QStringList& runs) {
    for (const QString& run : runs) {
        if (run.size() > 1 && run.startsWith(u'0')) {
            return true;
        }
    }
    return false;
}

// The first form, left to right, in which an answer of the right value differs.
std::optional<FormAdvice> adviceFor(const ReadAnswer& typed, const ReadAnswer& expected,
                                    QStringView head) {
    if (!head.isEmpty() && !typed.hasHead) {
        return FormAdvice::AddHead;
    }
    if (typed.sign == Sign::Plus) {
        return FormAdvice::DropPlus;
    }
    if (typed.sign == Sign::Minus && typed.value.num == 0) {
        return FormAdvice::DropMinus;
    }
    if (typed.shape == Shape::Decimal) {
        return expected.value.den == 1 ? FormAdvice::WriteWhole : FormAdvice::WriteFraction;
    }
    if (hasLeadingZero(typed.runs)) {
        return FormAdvice::DropZeros;
    }
    if (typed.shape == Shape::Fraction && typed.value.den == 1) {
        return FormAdvice::WriteWhole;
    }
    if (typed.shape == Shape::Fraction && std::gcd(typed.top, typed.bottom) != 1) {
        return FormAdvice::Reduce;
    }
    return std::nullopt;
}

struct AdviceText {
    FormAdvice advice;
    FormMessage message;
};

// Short, as a teacher writes beside an answer: two lines at most, each no wider than the
// area where the expected answer would go.
const auto& adviceTexts() {
    static const auto texts = std::to_array<AdviceText>({
        {FormAdvice::AddHead,
         {{QStringLiteral("x= をつけて"), QStringLiteral("答えましょう")},
          QStringLiteral("x= をつけて答えましょう")}},
        {FormAdvice::DropPlus,
         {{QStringLiteral("+ をとって"), QStringLiteral("答えましょう")},
          QStringLiteral("プラスをとって答えましょう")}},
        {FormAdvice::DropMinus,
         {{QStringLiteral("- をとって"), QStringLiteral("答えましょう")},
          QStringLiteral("マイナスをとって答えましょう")}},
        {FormAdvice::WriteFraction,
         {{QStringLiteral("分数で"), QStringLiteral("答えましょう")},
          QStringLiteral("分数で答えましょう")}},
        {FormAdvice::DropZeros,
         {{QStringLiteral("よけいな 0 を"), QStringLiteral("とりましょう")},
          QStringLiteral("よけいな 0 をとりましょう")}},
        {FormAdvice::WriteWhole,
         {{QStringLiteral("整数で"), QStringLiteral("答えましょう")},
          QStringLiteral("整数で答えましょう")}},
        {FormAdvice::Reduce,
         {{QStringLiteral("約分しましょう")}, QStringLiteral("約分しましょう")}},
    });
    return texts;
}

} // namespace

AnswerVerdict judgeAnswerForm(const QString& typed, const QString& expected) {
    if (typed == expected) {
        return {.kind = AnswerVerdict::Kind::Right};
    }
    const QStringView head = QStringView(expected).left(expected.indexOf(u'=') + 1);
    const auto want = readAnswer(expected, head);
    const auto got = readAnswer(typed, head);
    if (!want || !got || got->value != want->value) {
        return {.kind = AnswerVerdict::Kind::Wrong};
    }
    if (const auto advice = adviceFor(*got, *want, head)) {
        return {.kind = AnswerVerdict::Kind::FormOnly, .advice = *advice};
    }
    return {.kind = AnswerVerdict::Kind::Wrong};
}

const FormMessage& formMessage(FormAdvice advice) {
    for (const AdviceText& text : adviceTexts()) {
        if (text.advice == advice) {
            return text.message;
        }
    }
    return adviceTexts().front().message;
}

bool isFormMessage(const QString& spoken) {
    for (const AdviceText& text : adviceTexts()) {
        if (text.message.spoken == spoken) {
            return true;
        }
    }
    return false;
}

} // namespace minamo
