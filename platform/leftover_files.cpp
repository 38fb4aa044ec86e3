#include "platform/leftover_files.h"

#include <algorithm>

namespace minamo {

namespace {
constexpr qsizetype saveFileSuffixLetters = 6;
} // namespace

bool isSaveFileLeftOver(const QString& candidate, const QString& name) {
    if (candidate.size() != name.size() + 1 + saveFileSuffixLetters ||
        !candidate.startsWith(name + u'.')) {
        return false;
    }
    const QStringView letters = QStringView(candidate).sliced(name.size() + 1);
    const auto isLower = [](QChar c) { return c >= u'a' && c <= u'z'; };
    const auto isUpper = [](QChar c) { return c >= u'A' && c <= u'Z'; };
    const QStringView rest = letters.sliced(1);
    const bool oneCase = std::all_of(letters.begin(), letters.end(), isLower) ||
                         std::all_of(letters.begin(), letters.end(), isUpper);
    const bool capitalised =
        isUpper(letters.front()) && std::all_of(rest.begin(), rest.end(), isLower);
    return std::all_of(letters.begin(), letters.end(),
                       [&](QChar c) { return isLower(c) || isUpper(c); }) &&
           !oneCase && !capitalised;
}

} // namespace minamo
