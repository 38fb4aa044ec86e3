#pragma once

// The worked solution of a problem that its equation alone does not explain, as a textbook
// writes it: a word problem (what x is, the equal quantities in words, the equation as first
// written) or a ratio equation (外項の積＝内項の積). Its equation is then solved step by step
// as every other; the check and the answer with its unit follow.

#include <QString>
#include <map>
#include <vector>

namespace minamo {

struct Working {
    std::vector<QString> setUp; // the lines before the equation
    QString equation;           // what is solved step by step: "250+5x=700"
    std::vector<QString> check; // the answer put back into the problem's own quantities
    QString conclusion;         // 「答 分速90 m」

    friend bool operator==(const Working&, const Working&) = default;
};

// The workings of a set's problems, by their text.
using Workings = std::map<QString, Working>;

} // namespace minamo
