#include "trace.h"

#include "stories/story_set.h"

#include <QElapsedTimer>
#include <cstdio>

namespace minamo::trace {

namespace {

// The window's solving steps of an equation, after its first line (the equation itself).
QStringList solvingSteps(const QString& equation) {
    QStringList steps = solutionLines(equation);
    steps.removeAll(QString());
    if (!steps.isEmpty() && steps.front() == equation) {
        steps.removeFirst();
    }
    return steps;
}

} // namespace

// Every word-problem set for a seed: a problem's story on one line, its answer, then its
// worked solution indented (set-up, equation, check, answer with its unit); --steps adds the
// window's solving steps after the equation, --tally the candidates drawn per set.
int stories(const QStringList& args, QTextStream& in, QTextStream& out) {
    bool steps = false, tally = false, ok = false;
    std::uint64_t seed = 0;
    for (const QString& arg : args) {
        if (arg == QStringLiteral("--steps")) {
            steps = true;
        } else if (arg == QStringLiteral("--tally")) {
            tally = true;
        } else {
            seed = arg.toULongLong(&ok);
        }
    }
    if (!ok) {
        std::fprintf(stderr,
                     "drill-trace stories: takes SEED (a whole number) [--steps] [--tally]\n");
        return 2;
    }
    for (const StorySet set : allStorySets) {
        StoryTally counted;
        QElapsedTimer clock;
        clock.start();
        const auto problems = makeStorySet(set, seed, {.tally = &counted});
        const qint64 made = clock.nsecsElapsed();
        if (!problems) {
            out.flush();
            std::fprintf(stderr, "drill-trace stories: no %s for seed %llu\n",
                         qPrintable(storySetKey(set).toString()),
                         static_cast<unsigned long long>(seed));
            return 1;
        }
        out << "== " << storySetCaption(set) << ' ' << storySetKey(set) << '\n';
        int k = 0;
        for (const StoryProblem& p : *problems) {
            out << ++k << '\t' << p.question << '\n' << '\t' << p.answer << '\n';
            for (const QString& line : p.setUp) {
                out << "\t\t" << line << '\n';
            }
            out << "\t\t" << p.equation << '\n';
            if (steps) {
                for (const QString& line : solvingSteps(p.equation)) {
                    out << "\t\t  " << line << '\n';
                }
            }
            for (const QString& line : p.check) {
                out << "\t\t" << line << '\n';
            }
            out << "\t\t" << p.conclusion << '\n';
        }
        if (tally) {
            std::fprintf(stderr,
                         "%s: %d candidates for %d problems, at most %d for one (unfriendly "
                         "%d, repeated %d, unproven %d), made in %.2f ms\n",
                         qPrintable(storySetKey(set).toString()), counted.drafts, storySetSize,
                         counted.mostForOne, counted.unfriendly, counted.repeated, counted.unproven,
                         static_cast<double>(made) / 1e6);
        }
    }
    return 0;
}

} // namespace minamo::trace
