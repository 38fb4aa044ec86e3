#include "trace.h"

#include "catalogue/catalogue.h"
#include "core/problem.h"
#include "stories/fresh_set.h"

#include <cstdio>

namespace minamo::trace {

namespace {

// The entry a person names: by its record title with either numbers (文章問題1, 文章問題新1),
// its control name (bhhayasa) or its generator (storySpeed); none when nothing has the name.
const CatalogueEntry* entryNamed(const QString& name) {
    for (const CatalogueEntry& entry : catalogue()) {
        if (entry.name == name || (!entry.generator.isEmpty() && entry.generator == name) ||
            (entry.record && (entry.record->title() == name ||
                              entry.record->with(Numbers::Fresh).title() == name))) {
            return &entry;
        }
    }
    return nullptr;
}

// A problem's worked solution as Picture7 shows it after a miss, line by line, blank lines
// left out: with a working of its own its lines in words, the equation (where it has no
// fractions; with fractions the stacked lines begin the steps), the steps, the check and the
// answer with its unit; otherwise the steps of its equation alone.
QStringList workedSolution(const BankProblem& problem) {
    if (!problem.working) {
        QStringList lines = solutionLines(Problem::read(problem.question.toString()).equation);
        lines.removeAll(QString());
        return lines;
    }
    const Working& working = *problem.working;
    QStringList lines(working.setUp.begin(), working.setUp.end());
    QStringList steps = solutionLines(working.equation);
    // The step-by-step solution leaves its first line empty; the equation is written there.
    if (const qsizetype empty = steps.indexOf(QString());
        empty >= 0 && !working.equation.contains(u'/')) {
        steps[empty] = working.equation;
        // A step that reads as the equation is not shown again.
        if (empty + 1 < steps.size() && steps[empty + 1] == working.equation) {
            steps.removeAt(empty + 1);
        }
    }
    steps.removeAll(QString());
    lines << steps;
    lines << QStringList(working.check.begin(), working.check.end());
    lines << working.conclusion;
    return lines;
}

int refuse(const char* message, const QString& detail = {}) {
    std::fprintf(stderr, "drill-trace working: %s%s\n", message, qPrintable(detail));
    return 2;
}

} // namespace

// One problem of a set's fresh numbers for a seed, with the worked solution a miss shows:
// a heading, the problem on one line, its answer, then the solution's lines.
int working(const QStringList& args, QTextStream& in, QTextStream& out) {
    if (args.size() != 3) {
        return refuse("takes SET SEED N, e.g. drill-trace working 文章問題1 7 3");
    }
    const CatalogueEntry* entry = entryNamed(args[0]);
    if (!entry || !entry->choosable(Numbers::Fresh)) {
        return refuse("no set named ", QStringLiteral("'%1' (a record title such as 文章問題1 or "
                                                      "方程式基本新1, or a menu entry's control "
                                                      "name such as bhhayasa)")
                                           .arg(args[0]));
    }
    bool ok = false;
    const std::uint64_t seed = args[1].toULongLong(&ok);
    if (!ok) {
        return refuse("the seed is a whole number, not ", QStringLiteral("'%1'").arg(args[1]));
    }
    const auto fresh = makeFreshSet(*entry, seed);
    if (!fresh) {
        out.flush();
        std::fprintf(stderr, "drill-trace working: %s\n",
                     qPrintable(freshFailureMessage(*entry, fresh.reason())));
        return 1;
    }
    const auto problems = fresh->bank().problems;
    const QString title = recordNameFor(*entry, Numbers::Fresh).title();
    const int n = args[2].toInt(&ok);
    if (!ok || n < 1 || n > static_cast<int>(problems.size())) {
        return refuse("", QStringLiteral("%1 has problems 1 to %2, not '%3'")
                              .arg(title)
                              .arg(problems.size())
                              .arg(args[2]));
    }
    const BankProblem& problem = problems[static_cast<std::size_t>(n - 1)];
    out << "== " << title << " (" << menuPath(*entry) << "), seed " << seed << ", problem " << n
        << '\n'
        << problem.question << '\n'
        << problem.answer << '\n';
    for (const QString& line : workedSolution(problem)) {
        out << line << '\n';
    }
    return 0;
}

} // namespace minamo::trace
