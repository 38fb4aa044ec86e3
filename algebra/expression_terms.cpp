#include "algebra/expression_terms.h"

#include <array>

namespace minamo {

namespace {
// expressionTerms holds terms 1..5. A text with more signs keeps its surplus signs inside
// the fifth term, so that no term is lost and nothing is written past the list.
constexpr int maxTerms = FixedList<QString, 0, 5>::last;

bool isCut(QChar c) {
    return c == u'+' || c == u'-' || c == u'=';
}
} // namespace

void splitExpressionTerms(DrillState& s) {
    for (int k = 1; k <= maxTerms; ++k) {
        s.expressionTerms[k].clear();
    }

    QString text = s.answerLayoutText.trimmed();
    if (text.isEmpty() || (text[0] != u'+' && text[0] != u'-')) {
        text.prepend(u'+');
    }
    s.answerLayoutText = text;

    // 0-based starts of the terms; the first character is always a sign.
    std::array<int, maxTerms> cuts{};
    int count = 0;
    for (int i = 0; i < text.size() && count < maxTerms; ++i) {
        if (isCut(text[i])) {
            cuts[static_cast<std::size_t>(count++)] = i;
        }
    }
    for (int k = 0; k < count; ++k) {
        const int start = cuts[static_cast<std::size_t>(k)];
        const int end = k + 1 < count ? cuts[static_cast<std::size_t>(k + 1)] : text.size();
        s.expressionTerms[k + 1] = text.mid(start, end - start);
    }
    s.expressionTermCount = static_cast<int16>(count);
}

} // namespace minamo
